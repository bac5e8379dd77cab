#include "orders/FlightPad.h"

#include <algorithm>
#include <limits>

#include "model/Numbers.h"
#include "model/SharedProcedures.h"

namespace velmora {

namespace {

// The signed amount one event adds.
int ArrowStep(PadArrow arrow, ArrowEvent event) {
    const bool dbl = event == ArrowEvent::DblClick;
    switch (arrow) {
        case PadArrow::HeadLeft:
            return dbl ? -10 : -1;
        case PadArrow::HeadRight:
            return dbl ? 10 : 1;
        case PadArrow::AltUp:
            return dbl ? 1000 : 100;
        case PadArrow::AltDown:
            return dbl ? -1000 : -100;
        case PadArrow::ThrottleUp:
            return 10;  // the double click repeats the click's step, not ten times it
        case PadArrow::ThrottleDown:
            return -10;
    }
    return 0;
}

// One of two maneuvers that exclude each other: checking it clears the other.
void PickOneOfTwo(bool& picked, bool& other) {
    picked = !picked;
    if (picked) {
        other = false;
    }
}

}  // namespace

void StepArrow(SharedSubsAndVar& s, PadArrow arrow, ArrowEvent event) {
    const int step = ArrowStep(arrow, event);
    switch (arrow) {
        case PadArrow::HeadLeft:
        case PadArrow::HeadRight:
            s.OrderHeading = WrapHeading(int{s.OrderHeading} + step);
            break;
        case PadArrow::AltUp:
        case PadArrow::AltDown:
            s.OrderAltitude = Saturate16(int{s.OrderAltitude} + step);
            ClampOrderAltitude(s);
            break;
        case PadArrow::ThrottleUp:
        case PadArrow::ThrottleDown:
            s.OrderThrottle = Saturate16(int{s.OrderThrottle} + step);
            ClampOrderThrottle(s);
            break;
    }
}

void ClampOrderAltitude(SharedSubsAndVar& s) {
    if (s.OrderAltitude > s.Ceiling) {
        s.OrderAltitude = s.Ceiling;
    }
    if (s.OrderAltitude < 100) {
        s.OrderAltitude = 100;
    }
}

void ClampOrderThrottle(SharedSubsAndVar& s) {
    if (s.OrderThrottle > 100) {
        s.OrderThrottle = 100;
    }
    if (s.OrderThrottle < 0) {
        s.OrderThrottle = 0;
    }
}

std::string HeadingCaption(int16_t orderHeading) {
    return "Heading:" + CaptionNumber(int{orderHeading});
}

std::string AltitudeCaption(int16_t orderAltitude) {
    return "Altitude:" + CaptionNumber(int{orderAltitude});
}

std::string ThrottleCaption(int16_t orderThrottle) {
    return "Throttle:" + CaptionNumber(int{orderThrottle});
}

std::vector<std::string> PadCommandCaptions(const SharedSubsAndVar& s) {
    std::vector<std::string> captions;
    const int shown = std::min(s.NumCommands(), kPadCommandItems);
    for (int i = 1; i <= shown; ++i) {
        captions.push_back(s.Commands(i).Name);
    }
    return captions;
}

void PickImmelmann(PadChecks& checks) {
    PickOneOfTwo(checks.Immelmann, checks.SplitS);
}

void PickSplitS(PadChecks& checks) {
    PickOneOfTwo(checks.SplitS, checks.Immelmann);
}

void PickBailOut(PadChecks& checks) {
    checks.BailOut = !checks.BailOut;
}

bool PickCustomCommand(SharedSubsAndVar& s, PadChecks& checks, int index) {
    if (index < 0 || index >= kPadCommandItems) {
        return false;
    }
    auto& mark = checks.Commands[static_cast<std::size_t>(index)];
    if (mark) {
        mark = false;
        return false;
    }
    if (!s.Commands.Has(index + 1)) {
        return false;
    }
    s.CurrentCommand = static_cast<int16_t>(index + 1);
    mark = true;
    return true;
}

void PickRadio(SharedSubsAndVar& s, PadChecks& checks, int16_t kind) {
    if (kind == kRadioPrivate) {
        checks.RadioPrivate = true;
    } else if (kind == kRadioTeam) {
        checks.RadioTeam = true;
    } else {
        checks.RadioSquadron = true;
    }
    s.RadioKind = kind;
}

void ClearRadioMessages(SharedSubsAndVar& s, PadChecks& checks) {
    s.RadioMessages.clear();
    checks.RadioPrivate = false;
    checks.RadioSquadron = false;
    checks.RadioTeam = false;
}

}  // namespace velmora
