// libFuzzer target for the part of a combat report that its window shows. The first three input
// bytes pick small bounds (bytes, lines, line length), the rest is the report text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "CombatReport.h"

namespace {

using namespace velmora;

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool ValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::string WithoutLineEnds(std::string_view text) {
    std::string rest;
    for (char c : text) {
        if (c != '\r' && c != '\n') {
            rest += c;
        }
    }
    return rest;
}

// The text of each line, without LF and without a CR right before it; a last line without LF
// keeps everything.
template <class Each>
void ForEachLine(std::string_view text, Each each) {
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        if (lf == std::string_view::npos) {
            each(text);
            return;
        }
        each(text.substr(0, lf > 0 && text[lf - 1] == '\r' ? lf - 1 : lf));
        text.remove_prefix(lf + 1);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 3) {
        return 0;
    }
    ReportBounds bounds;
    bounds.MaxBytes = data[0];
    bounds.MaxLines = data[1] % 16;
    bounds.MaxLineBytes = data[2] % 32;
    const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);
    const std::string shown = ShownCombatText(text, bounds);

    const std::size_t maxLine = bounds.MaxLineBytes < 4 ? 4 : bounds.MaxLineBytes;
    Check(shown.size() <= bounds.MaxBytes);
    std::size_t lines = 0;
    ForEachLine(shown, [&](std::string_view line) {
        ++lines;
        Check(line.size() <= maxLine);
    });
    Check(lines <= bounds.MaxLines);
    // Only line ends are added, and only the end is left out.
    Check(WithoutLineEnds(text).starts_with(WithoutLineEnds(shown)));
    if (ValidUtf8(text)) {
        Check(ValidUtf8(shown));
    }
    // A report within the bounds is shown as it is.
    std::size_t inputLines = 0;
    bool shortLines = true;
    ForEachLine(text, [&](std::string_view line) {
        ++inputLines;
        shortLines = shortLines && line.size() <= maxLine;
    });
    if (text.size() <= bounds.MaxBytes && inputLines <= bounds.MaxLines && shortLines) {
        Check(shown == text);
    }
    return 0;
}
