#pragma once
// The radio window's rules: its caption and To field by kind, and the transmission block that
// Continue appends to RadioMessages. The generator copies RadioMessages unchanged to the end of
// the order text, so the block is what the game master receives.

#include <cstdint>
#include <string>
#include <string_view>

#include "model/SharedSubsAndVar.h"

namespace velmora {

// Radio kinds as RadioKind holds them.
constexpr int16_t kRadioPrivate = 0;
constexpr int16_t kRadioSquadron = 1;
constexpr int16_t kRadioTeam = 2;

// The To field holds at most this many characters.
constexpr int kRadioToMaxLength = 2;

// "Private Radio Message", "Team Radio Message", or "Squadron Radio Message" for any other kind.
std::string RadioCaption(int16_t radioKind);

// Label1 and txtTO are enabled only for a private message (kind 0).
bool RadioToEnabled(int16_t radioKind);

// One transmission block, CR LF line ends, no line end after "End Transmission":
//   kind 0:     CR LF CR LF "Radio Transmission:" to CR LF message CR LF "End Transmission"
//   kind 2:     CR LF CR LF "Team Radio Transmission:" CR LF message CR LF "End Transmission"
//   otherwise:  the same with "Squadron Radio Transmission:".
// The message keeps its lines; each of its line breaks is written as CR LF. The addressee is
// used only for kind 0, cut to its first two characters (UTF-8 aware) with any line break
// dropped, so it can never add a line to the order text.
std::string RadioBlock(int16_t radioKind, std::string_view to, std::string_view message);

// Continue: appends RadioBlock(RadioKind, to, message) to RadioMessages. Cancel and the close
// box simply do not call it.
void AppendRadioMessage(SharedSubsAndVar& s, std::string_view to, std::string_view message);

}  // namespace velmora
