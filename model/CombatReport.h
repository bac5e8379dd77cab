#pragma once
// The combat report window's rules without the window: how much of the report text the box
// shows, and how the box follows the window's size.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The report comes from a turn file and can be any length. A text box lays out a long line as
// one paragraph, in time that grows with the square of its length, and a huge text fills memory,
// so the box shows a bounded part. Real reports are a few dozen lines of under a hundred
// characters; these bounds lie far above that.
struct ReportBounds {
    std::size_t MaxBytes = std::size_t{1} << 20;  // 1 MiB in all
    std::size_t MaxLines = 65536;
    std::size_t MaxLineBytes = 4096;  // a longer line goes on in the next shown line
};

// The report as the box shows it: the text itself whenever it lies within the bounds; otherwise
// its first whole lines up to MaxBytes and MaxLines, with each line longer than MaxLineBytes
// broken (CR LF inserted) into pieces of at most that length, never inside a UTF-8 character,
// and then one more line that tells the pilot how many lines are not shown at all, so that a cut
// report never passes for a whole one: "[Report shortened: 72115 more lines not shown]" (after
// "shortened:" comes "the rest of a line and " when the cut falls inside a line). That line may
// take the text a few dozen bytes and one line beyond the bounds. A line ends at LF, with or
// without a CR before it.
std::string ShownCombatText(std::string_view text, const ReportBounds& bounds = {});

// The box's new size for the window's outer size width x height (frame and caption included), in
// twips: width - 330 wide and height - 615 high, each only when it is greater than 0; nothing
// means that side keeps its size.
struct ReportBoxSize {
    std::optional<float> Width;
    std::optional<float> Height;
};
ReportBoxSize CombatBoxSize(float width, float height);

}  // namespace velmora
