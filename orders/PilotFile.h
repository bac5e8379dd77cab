#pragma once
// The pilot file "npdata.vsd" as bytes: what cmdOK_Click writes and what LoadNamePassword reads
// back. Opening, writing (atomically) and closing the file belong to the window layer.

#include <optional>
#include <string>
#include <string_view>

#include "model/SharedSubsAndVar.h"

namespace velmora {

// A fixed name without a folder: the file lies in the process's current directory.
constexpr std::string_view kPilotFileName = "npdata.vsd";

// The file's whole content: two lines, each a double-quoted field and CR LF:
//   "name" CR LF "password" CR LF
// Nothing is changed but a double quote inside the name or the password, which is written
// twice; LoadPilotLogin reads it back as one, so every login survives the round trip. A login
// without double quotes gives exactly the bytes of the classic format.
std::string PilotFileBytes(std::string_view name, std::string_view password);

// Reading the login from the bytes of the pilot file: PilotName takes the first field
// and PilotPassword the second, each only when it was read; a value not read keeps what it
// held. Returns false when either field could not be read: the window then shows
// frmNamePassword (as it does when the file cannot be opened at all).
//
// A field is either double-quoted (up to the closing double quote, a doubled one standing for
// one double quote; a field whose closing quote is missing fails) or unquoted (up to a comma or
// line end, blanks and tabs trimmed at both ends). Anything between a closing quote and the next
// comma or line end is passed over. Fields are separated by a comma or a line end (CR LF, LF or
// CR). The end of the bytes where a field should start fails that field; a field missing or
// broken ends the read there.
bool LoadPilotLogin(SharedSubsAndVar& s, std::string_view bytes);

}  // namespace velmora
