#include "orders/OrderText.h"

#include <algorithm>
#include <cmath>
#include <variant>

#include "model/Numbers.h"
#include "orders/CommandPrompt.h"
#include "orders/LineEnds.h"

namespace velmora {

namespace {

// The prompt stores a number for "Integer" and text for "String"; a value of the other sort
// can only come from code, and is converted rather than dropped.
double NumberOf(const ParamValue& value) {
    if (const double* d = std::get_if<double>(&value)) {
        return std::isfinite(*d) ? *d : 0;
    }
    return ReadTypedNumber(std::get<std::string>(value));
}

std::string TextOf(const ParamValue& value) {
    if (const std::string* t = std::get_if<std::string>(&value)) {
        return *t;
    }
    std::string n = CaptionNumberDouble(NumberOf(value));
    if (!n.empty() && n.front() == ' ') {
        n.erase(0, 1);
    }
    return n;
}

}  // namespace

void DefaultServerAddr(SharedSubsAndVar& s) {
    if (s.ServerAddr.empty()) {
        s.ServerAddr = kBuiltInServerAddr;
    }
}

std::string InstructionLine(std::string_view serverAddr) {
    return "Copy and paste these commands into an e-Mail message to " + std::string(serverAddr) +
           ".  Put the words 'Flight Controls' in the subject.";
}

std::string CustomCommandLine(const CommandDef& command) {
    std::string line = command.Name + ":";
    for (std::size_t slot = 1; slot <= 5; ++slot) {
        const ParamDef& p = command.Params[slot];
        if (p.Name.empty()) {
            continue;
        }
        if (p.Kind == "Integer") {
            if (slot > 1) {
                line += ",";
            }
            line += CaptionNumberDouble(NumberOf(p.Value));
        } else {
            if (slot > 1) {
                line += ", ";
            }
            line += TextOf(p.Value);
        }
    }
    return line;
}

std::string BuildOrderText(const SharedSubsAndVar& s, const PadChecks& checks) {
    const std::string crlf = "\r\n";
    std::string text = "Name=" + s.PilotName;
    text += crlf + "Password=" + s.PilotPassword;
    text += crlf + "Set Heading:" + CaptionNumber(int{s.OrderHeading});
    text += crlf + "Set Altitude:" + CaptionNumber(int{s.OrderAltitude});
    text += crlf + "Throttle:" + CaptionNumber(int{s.OrderThrottle});
    if (checks.SplitS) {
        text += crlf + "Split S";
    }
    if (checks.Immelmann) {
        text += crlf + "Immelmann";
    }
    const int withItem = std::min(s.NumCommands(), kPadCommandItems);
    for (int i = 1; i <= withItem; ++i) {
        if (checks.Commands[static_cast<std::size_t>(i - 1)]) {
            text += crlf + CustomCommandLine(s.Commands(i));
        }
    }
    if (checks.BailOut) {
        text += crlf + "Bail Out";
    }
    text += s.RadioMessages;
    return text;
}

std::string ClipboardOrderText(std::string_view boxText) {
    return ToCrLf(boxText);
}

std::string DefaultSaveFileName(std::string_view dateText) {
    return "sMV_Turn_" + std::string(dateText) + ".txt";
}

}  // namespace velmora
