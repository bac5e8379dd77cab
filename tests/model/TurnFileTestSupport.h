#pragma once
// Helpers shared by the reader's tests.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "TurnFileReader.h"

namespace velmora {

inline void PrintTo(const ReadOutcome& o, std::ostream* os) {
    static const char* const kNames[] = {"Cancelled",   "CannotOpen", "Empty",
                                         "WrongHeader", "Failed",     "Complete"};
    *os << kNames[static_cast<int>(o.end)] << " at line " << o.line;
}

namespace testing_support {

// The header line and the given lines, each ended by CR LF.
inline std::string Turn(const std::vector<std::string_view>& lines) {
    std::string text(kTurnFileHeader);
    text += "\r\n";
    for (const std::string_view l : lines) {
        text.append(l).append("\r\n");
    }
    return text;
}

constexpr ReadOutcome Complete(int line) {
    return {ReadEnd::Complete, line};
}
constexpr ReadOutcome Failed(int line) {
    return {ReadEnd::Failed, line};
}

}  // namespace testing_support
}  // namespace velmora
