#pragma once
// Texts of the shared state are bytes as the turn file gave them; the windows show QStrings.

#include <QString>
#include <string>
#include <string_view>

namespace velmora {

// UTF-8 when the bytes are valid UTF-8, otherwise Latin-1, so that a file written with an older
// single-byte character set still shows its accented letters.
QString ToQ(std::string_view bytes);
// What the pilot typed, as UTF-8 bytes.
std::string FromQ(const QString& text);

// The most characters of one text that a window shows: more than any label, prompt or tooltip
// has room for, and few enough that laying them out costs next to nothing.
inline constexpr qsizetype kShownTextLimit = 200;

// A text from the turn file as a window shows it: ToQ of its first limit characters, ending in
// an ellipsis ("…") when the text is longer. Only the bytes kept are decoded, so a text of any
// size costs the same; the shared state keeps the whole text. Every text that a window shows
// from the turn file goes through here (a label's caption or tooltip, a menu item, a prompt);
// a window that shows many lines passes a larger limit.
QString ShownText(std::string_view bytes, qsizetype limit = kShownTextLimit);

// ToQ of the first limit characters (at least one) of a text, never cutting inside a UTF-8
// sequence or a surrogate pair; only the bytes kept are decoded. cut tells whether any went.
QString FirstCharacters(std::string_view bytes, qsizetype limit, bool* cut = nullptr);

}  // namespace velmora
