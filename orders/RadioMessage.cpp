#include "orders/RadioMessage.h"

#include "orders/LineEnds.h"

namespace velmora {

namespace {

// At most kRadioToMaxLength characters of the addressee, counting a UTF-8 sequence as one.
std::string LimitTo(std::string_view to) {
    std::string out;
    int characters = 0;
    for (const char c : to) {
        if (c == '\r' || c == '\n') {
            continue;
        }
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!continuation) {
            if (characters == kRadioToMaxLength) {
                break;
            }
            ++characters;
        }
        out += c;
    }
    return out;
}

}  // namespace

std::string RadioCaption(int16_t radioKind) {
    if (radioKind == kRadioPrivate) {
        return "Private Radio Message";
    }
    if (radioKind == kRadioTeam) {
        return "Team Radio Message";
    }
    return "Squadron Radio Message";
}

bool RadioToEnabled(int16_t radioKind) {
    return radioKind == kRadioPrivate;
}

std::string RadioBlock(int16_t radioKind, std::string_view to, std::string_view message) {
    std::string block = "\r\n\r\n";
    if (radioKind == kRadioPrivate) {
        block += "Radio Transmission:" + LimitTo(to);
    } else if (radioKind == kRadioTeam) {
        block += "Team Radio Transmission:";
    } else {
        block += "Squadron Radio Transmission:";
    }
    block += "\r\n" + ToCrLf(message) + "\r\nEnd Transmission";
    return block;
}

void AppendRadioMessage(SharedSubsAndVar& s, std::string_view to, std::string_view message) {
    s.RadioMessages += RadioBlock(s.RadioKind, to, message);
}

}  // namespace velmora
