#pragma once
// The flight control pad's rules: arrow steps with their wraps and clamps, the label texts,
// the maneuver and custom-command check marks and the radio menu. frmFlightPad only forwards
// its events here and shows what comes back.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/SharedSubsAndVar.h"
#include "orders/RadioMessage.h"

namespace velmora {

// The pad has exactly five custom-command items, menuprc(0) to menuprc(4).
constexpr int kPadCommandItems = 5;

// The pad's check marks: the only place where the maneuver and custom-command choices live.
// All clear when the pad loads; the generator reads them when it loads.
struct PadChecks {
    bool Immelmann = false;  // menuImmel
    bool SplitS = false;     // menuSplit; never set together with Immelmann
    bool BailOut = false;    // menuBail
    // menuprc(i): give Commands(i + 1) with its parameter values.
    std::array<bool, kPadCommandItems> Commands{};
    bool RadioPrivate = false;   // radioPrivate
    bool RadioSquadron = false;  // menuSquadron
    bool RadioTeam = false;      // menuTeam
};

enum class PadArrow { HeadLeft, HeadRight, AltUp, AltDown, ThrottleUp, ThrottleDown };

// A double click delivers Click and then DblClick; each applies its own step.
enum class ArrowEvent { Click, DblClick };

// Applies one arrow event (heading 1 / 10 degrees, altitude 100 / 1000 feet, throttle 10 percent
// for both events) to the order value it moves and leaves that value as the pad's display
// procedure would: OrderHeading wrapped into 0..359, OrderAltitude clamped by
// ClampOrderAltitude, OrderThrottle by ClampOrderThrottle. The sum is taken in a wider type,
// so a value near the 16-bit edges (a turn file read while the pad is open) never overflows:
// the heading wraps from the true sum, the others saturate at the 16-bit edge before the clamp.
// The window then refreshes the label of that value.
void StepArrow(SharedSubsAndVar& s, PadArrow arrow, ArrowEvent event);

// ShowAltitude's clamp, in this order: first at most Ceiling, then at least 100 (feet), so a
// Ceiling below 100 gives 100: the lower bound wins.
void ClampOrderAltitude(SharedSubsAndVar& s);

// ShowThrottle's clamp: 0..100 percent.
void ClampOrderThrottle(SharedSubsAndVar& s);

// Label captions: the caption word and the value with its leading blank or minus sign
// ("Heading: 90", "Heading:-5"). The heading caption shows the value as it is: only the
// heading arrows wrap it.
std::string HeadingCaption(int16_t orderHeading);
std::string AltitudeCaption(int16_t orderAltitude);
std::string ThrottleCaption(int16_t orderThrottle);

// The captions of the custom-command items the pad shows, menuprc(0) first: the names of
// Commands(1) to Commands(5), fewer when the turn has fewer. The other items stay hidden.
std::vector<std::string> PadCommandCaptions(const SharedSubsAndVar& s);

// menuImmel / menuSplit: checking one clears the other; picking a checked one clears it.
void PickImmelmann(PadChecks& checks);
void PickSplitS(PadChecks& checks);
// menuBail: reverses its own mark only.
void PickBailOut(PadChecks& checks);

// menuprc(index), index 0..4. A checked item is unchecked and nothing else changes. An
// unchecked item sets CurrentCommand = index + 1, checks the item and returns true: the window
// then shows the parameter prompt, which starts again at the first parameter. An item that
// stands for no command of the current turn (the pad's menu predates the turn file) or an
// index outside 0..4 changes nothing and returns false.
bool PickCustomCommand(SharedSubsAndVar& s, PadChecks& checks, int index);

// radioPrivate / menuSquadron / menuTeam: checks that item and sets RadioKind; the window then
// shows the radio window. Nothing is unchecked; a kind other than 0 and 2 counts as squadron.
void PickRadio(SharedSubsAndVar& s, PadChecks& checks, int16_t kind);

// menuClear, asked first with these words (Yes and No, no icon, the program's title).
constexpr std::string_view kClearRadioQuestion =
    "Are you sure you want to clear all radio messages?";

// menuClear answered Yes: empties RadioMessages and clears the three radio marks; the
// maneuver and custom-command marks stay.
void ClearRadioMessages(SharedSubsAndVar& s, PadChecks& checks);

}  // namespace velmora
