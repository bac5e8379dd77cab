#pragma once
// The generator's rules: the game master's address, the instruction line, the order text built
// from the order values, the pad's check marks and the radio blocks, the forms in which it is
// copied or saved, and the save dialog's defaults.

#include <string>
#include <string_view>

#include "model/SharedSubsAndVar.h"
#include "orders/FlightPad.h"

namespace velmora {

// The built-in address used when the turn file names none: under the reserved example.org
// domain, so it can never reach a real person.
constexpr std::string_view kBuiltInServerAddr = "gamemaster@skelmar.example.org";

// At the generator's load: ServerAddr = kBuiltInServerAddr when it is empty. It stays set for the
// rest of the run, until a turn file with SERVERADDR= replaces it.
void DefaultServerAddr(SharedSubsAndVar& s);

// lblInstruct's caption: "Copy and paste these commands into an e-Mail message to " + address
// + ".  Put the words 'Flight Controls' in the subject."
std::string InstructionLine(std::string_view serverAddr);

// One custom command's order line: Name, ":", then a piece for each of slots 1..5 with a name.
// "Integer" (exact) writes the number with its leading blank or minus sign, up to fifteen
// significant digits ("Climb: 2.5"); any other kind writes the text unchanged. Slots 2..5 put
// "," before a number and ", " before a text. A command without named slots gives "Name:".
std::string CustomCommandLine(const CommandDef& command);

// The order text as the generator's text box first holds it, lines joined by CR LF, no line end
// at the end:
//   Name=<PilotName>, Password=<PilotPassword>, Set Heading:<n>, Set Altitude:<n>, Throttle:<n>,
//   then "Split S", "Immelmann", the checked custom commands in the order of Commands, and
//   "Bail Out" where checked, then RadioMessages unchanged (each block brings its own CR LFs).
// Only Commands(1) to Commands(5) have a pad item and can appear; a checked item whose command
// the turn no longer has adds nothing. Reads only; changes nothing.
std::string BuildOrderText(const SharedSubsAndVar& s, const PadChecks& checks);

// What Copy puts on the clipboard and Save writes as the file's one line (CR LF after it): the
// text box's content with every line break made CR LF (the box hands back bare LF).
std::string ClipboardOrderText(std::string_view boxText);

// The save dialog's default name: "sMV_Turn_" + the date text (MM-DD-YYYY) + ".txt".
std::string DefaultSaveFileName(std::string_view dateText);

// The save dialog's filter, in the "description|pattern" form.
constexpr std::string_view kSaveFilter = "Text Files (*.txt)|*.txt";

// Shown (OK only, the program's title) when the save dialog returns an empty file name.
constexpr std::string_view kInvalidFileNameMessage = "Error- Not a valid File Name!";

}  // namespace velmora
