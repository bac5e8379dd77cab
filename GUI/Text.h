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

}  // namespace velmora
