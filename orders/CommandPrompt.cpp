#include "CommandPrompt.h"

#include <charconv>
#include <cmath>

namespace velmora {

namespace {

constexpr int kLastSlot = 5;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Value of c as a digit in base 8 or 16, or -1.
int digitValue(char c, int base) {
    int d = -1;
    if (c >= '0' && c <= '9') {
        d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        d = c - 'A' + 10;
    }
    return d < base ? d : -1;
}

double readRadixWhole(std::string_view t, int base) {
    double v = 0;
    for (const char c : t) {
        const int d = digitValue(c, base);
        if (d < 0) {
            break;
        }
        v = v * base + d;
    }
    return std::isfinite(v) ? v : 0;
}

double readDecimal(std::string_view t) {
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    const std::size_t intStart = i;
    while (i < t.size() && isDigit(t[i])) {
        ++i;
    }
    const std::string_view intDigits = t.substr(intStart, i - intStart);
    std::string_view fracDigits;
    if (i < t.size() && t[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < t.size() && isDigit(t[i])) {
            ++i;
        }
        fracDigits = t.substr(fracStart, i - fracStart);
    }
    if (intDigits.empty() && fracDigits.empty()) {
        return 0;
    }
    // An exponent counts only when digits follow the letter: "1e" and "1e+" read as 1.
    std::string_view exponent;
    if (i < t.size() && (t[i] == 'E' || t[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) {
            ++j;
        }
        const std::size_t digitsStart = j;
        while (j < t.size() && isDigit(t[j])) {
            ++j;
        }
        if (j > digitsStart) {
            exponent = t.substr(i + 1, j - i - 1);
        }
    }

    // from_chars ignores the locale and takes no '+': hand it a plain form of the number.
    std::string plain = intDigits.empty() ? "0" : std::string(intDigits);
    if (!fracDigits.empty()) {
        plain += '.';
        plain += fracDigits;
    }
    if (!exponent.empty()) {
        plain += 'e';
        plain += exponent[0] == '+' ? exponent.substr(1) : exponent;
    }
    double v = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    (void)end;
    // Beyond the range of a double, either way, reads as 0 like any other non-number.
    if (ec != std::errc() || !std::isfinite(v)) {
        return 0;
    }
    return negative ? -v : v;
}

bool isSlot(int param) {
    return param >= 1 && param <= kLastSlot;
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
            return readRadixWhole(std::string_view(t).substr(2), 16);
        }
        if (t[1] == 'O' || t[1] == 'o') {
            return readRadixWhole(std::string_view(t).substr(2), 8);
        }
    }
    return readDecimal(t);
}

std::string PromptInstructions(const SharedSubsAndVar& s) {
    std::string name;
    if (s.Commands.Has(s.CurrentCommand) && isSlot(s.CurrentParam)) {
        name = s.Commands(s.CurrentCommand).Params[static_cast<std::size_t>(s.CurrentParam)].Name;
    }
    return "Enter in " + name + ":";
}

PromptStep StartPrompt(SharedSubsAndVar& s) {
    s.CurrentParam = 1;
    return {false, PromptInstructions(s)};
}

PromptStep AnswerPrompt(SharedSubsAndVar& s, std::string_view typed) {
    const int slot = s.CurrentParam;
    if (!isSlot(slot)) {
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
