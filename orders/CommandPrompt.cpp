#include "orders/CommandPrompt.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace velmora {

namespace {

constexpr int kLastSlot = 5;

// A whole number in base 8 or 16, up to the first character that is no digit of the base; 0
// when none is, or when the number lies beyond 64 bits.
double ReadRadixWhole(std::string_view t, int base) {
    uint64_t v = 0;
    const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v, base);
    return ec == std::errc{} ? static_cast<double>(v) : 0;
}

// The longest number at the start of t; from_chars reads the same syntax, but no "+", and it
// would take "inf", "nan" and a minus sign after the first sign.
double ReadDecimal(std::string_view t) {
    const bool negative = !t.empty() && t.front() == '-';
    if (negative || (!t.empty() && t.front() == '+')) {
        t.remove_prefix(1);
    }
    if (t.empty() || !((t.front() >= '0' && t.front() <= '9') || t.front() == '.')) {
        return 0;
    }
    double v = 0;
    const auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    // Beyond the range of a double, either way, reads as 0 like any other non-number.
    if (ec != std::errc{}) {
        return 0;
    }
    return negative ? -v : v;
}

bool IsSlot(int param) {
    return param >= 1 && param <= kLastSlot;
}

// The question for slot CurrentParam of Commands(CurrentCommand).
std::string PromptInstructions(const SharedSubsAndVar& s) {
    std::string name;
    if (s.Commands.Has(s.CurrentCommand) && IsSlot(s.CurrentParam)) {
        name = s.Commands(s.CurrentCommand).Params[static_cast<std::size_t>(s.CurrentParam)].Name;
    }
    return "Enter in " + name + ":";
}

}  // namespace

double ReadTypedNumber(std::string_view text) {
    std::string t;
    t.reserve(text.size());
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            t += c;
        }
    }
    if (t.size() >= 2 && t[0] == '&') {
        if (t[1] == 'H' || t[1] == 'h') {
            return ReadRadixWhole(std::string_view(t).substr(2), 16);
        }
        if (t[1] == 'O' || t[1] == 'o') {
            return ReadRadixWhole(std::string_view(t).substr(2), 8);
        }
    }
    return ReadDecimal(t);
}

PromptStep StartPrompt(SharedSubsAndVar& s) {
    s.CurrentParam = 1;
    return {false, PromptInstructions(s)};
}

PromptStep AnswerPrompt(SharedSubsAndVar& s, std::string_view typed) {
    const int slot = s.CurrentParam;
    if (!IsSlot(slot)) {
        s.CurrentParam = kLastSlot + 1;
        return {true, {}};
    }
    if (!s.Commands.Has(s.CurrentCommand)) {
        s.CurrentParam = static_cast<int16_t>(slot + 1);
        return {true, {}};
    }
    CommandDef& command = s.Commands(s.CurrentCommand);
    ParamDef& p = command.Params[static_cast<std::size_t>(slot)];
    if (p.Kind == "Integer") {
        p.Value = ReadTypedNumber(typed);
    } else if (p.Kind == "String") {
        p.Value = std::string(typed);
    }

    const int next = slot + 1;
    s.CurrentParam = static_cast<int16_t>(next);
    if (next > kLastSlot || command.Params[static_cast<std::size_t>(next)].Name.empty()) {
        return {true, {}};
    }
    return {false, PromptInstructions(s)};
}

}  // namespace velmora
