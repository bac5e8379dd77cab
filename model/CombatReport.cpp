#include "CombatReport.h"

#include <algorithm>

#include "TextLines.h"

namespace velmora {

std::string ShownCombatText(std::string_view text, const ReportBounds& bounds) {
    const std::size_t maxLine = std::max<std::size_t>(bounds.MaxLineBytes, 4);
    std::string shown;
    std::size_t lines = 0;
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
        ++lines;
    }
    return shown;
}

ReportBoxSize CombatBoxSize(float W, float H) {
    ReportBoxSize size;
    if (W - 330 > 0) {
        size.Width = W - 330;
    }
    if (H - 615 > 0) {
        size.Height = H - 615;
    }
    return size;
}

}  // namespace velmora
