#include "model/CombatReport.h"

#include <algorithm>
#include <charconv>

#include "model/TextLines.h"

namespace velmora {

namespace {

// The line that ends a shortened report. Written with to_chars: the count must not follow the
// desktop's language.
std::string ShortenedNote(std::size_t notShown, bool midLine) {
    char digits[24];
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, notShown);
    return std::string("[Report shortened: ") + (midLine ? "the rest of a line and " : "") +
           std::string(digits, end) + (notShown == 1 ? " more line" : " more lines") +
           " not shown]\r\n";
}

}  // namespace

std::string ShownCombatText(std::string_view text, const ReportBounds& bounds) {
    const std::size_t maxLine = std::max<std::size_t>(bounds.MaxLineBytes, 4);
    std::string shown;
    std::size_t lines = 0;
    bool midLine = false;  // the last piece shown was not the end of its line
    while (!text.empty() && lines < bounds.MaxLines) {
        // Look no further than a line that may be shown whole: its text and CR LF.
        const std::size_t lf = text.substr(0, maxLine + 2).find('\n');
        std::size_t length = 0;  // of the line's text, without its line end
        std::size_t used = 0;    // bytes taken from the report, line end included
        if (lf != std::string_view::npos) {
            length = lf > 0 && text[lf - 1] == '\r' ? lf - 1 : lf;
            used = lf + 1;
        } else {
            length = text.size();
            used = text.size();
        }
        bool broken = false;
        if (length > maxLine) {
            length = Utf8Boundary(text, maxLine);
            used = length;
            broken = true;
        }
        const std::size_t adds = broken ? length + 2 : used;
        if (adds > bounds.MaxBytes - shown.size()) {
            break;
        }
        shown.append(text.substr(0, broken ? length : used));
        if (broken) {
            shown.append("\r\n");
        }
        text.remove_prefix(used);
        midLine = broken;
        ++lines;
    }
    if (!text.empty()) {
        // The lines not shown at all: those that start in what is left.
        const std::size_t starts =
            static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) +
            (text.back() != '\n') - (midLine ? 1 : 0);
        shown.append(ShortenedNote(starts, midLine));
    }
    return shown;
}

ReportBoxSize CombatBoxSize(float width, float height) {
    ReportBoxSize size;
    if (width - 330 > 0) {
        size.Width = width - 330;
    }
    if (height - 615 > 0) {
        size.Height = height - 615;
    }
    return size;
}

}  // namespace velmora
