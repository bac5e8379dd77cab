#pragma once
// The turn data file reader: it empties the three lists, checks the header line and reads every
// key line and block into the shared state. The open dialog, the wrong-header message and what
// the main window shows afterwards belong to the main window; it calls StartOrderValues after a
// complete read.
//
// Lines: see TextLines.h (CR LF or bare LF; a lone CR, NUL and bytes above 127 are ordinary
// characters and text values keep them as bytes; no length limit; the last line needs no line
// end). A UTF-8 byte order mark before the header line is skipped. Text values are stored as the
// file's bytes; how they are shown is the windows' choice.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/SharedSubsAndVar.h"

namespace velmora {

// Line 1 of every turn file, compared as a whole line, case significant. The text after
// "version 2.0 " is the turn files' publisher notice.
inline constexpr std::string_view kTurnFileHeader =
    "Skelmar Velmora Data File, version 2.0 (Skelmar air combat by e-mail)";

// For the main window: the open dialog and the reader's one message.
inline constexpr std::string_view kTurnFileDialogTitle = "Open Skelmar Velmora Data File";
inline constexpr std::string_view kTurnFileFilter =
    "Velmora Data Files (*.smv)|*.smv|All Files (*.*)|*.*";
inline constexpr std::string_view kWrongHeaderText = "Error: Not an Velmora 2.0 file!";
inline constexpr std::string_view kWrongHeaderTitle = "Error Opening File";

// The largest turn file read. Real turns stay under 10 MB; a file far beyond that is no turn,
// and reading it whole would only cost the pilot memory and time.
inline constexpr std::uintmax_t kMaxTurnFileBytes = 64 * 1024 * 1024;

// The messages of a file that is refused before it is read, or whose read ran out of memory;
// they carry the wrong header's title.
inline constexpr std::string_view kNotAFileText =
    "Error: Not a file that can be read! A folder, a device or a pipe is no turn data file.";
inline constexpr std::string_view kTooLargeText =
    "Error: The file is larger than 64 MB, far too large for a turn data file!";
inline constexpr std::string_view kOutOfMemoryText =
    "Error: There was not enough memory to read the turn data file!";

// How a read ended.
enum class ReadEnd {
    CannotOpen,   // the file cannot be opened or read; the lists are empty, nothing else changed
    NotAFile,     // a folder, device, pipe or socket: refused unread, with kNotAFileText
    TooLarge,     // beyond kMaxTurnFileBytes: refused unread, with kTooLargeText
    OutOfMemory,  // memory ran out: ended with kOutOfMemoryText, what was stored stays stored
    Empty,        // no line 1; the lists are empty, nothing else changed (no message)
    WrongHeader,  // line 1 is not kTurnFileHeader: kWrongHeaderText
    Failed,       // stopped silently; everything stored before the stop stays stored
    Complete      // every line read
};

struct ReadOutcome {
    ReadEnd End;
    // 1-based number of the line the read stopped at: the line whose value did not convert, the
    // section line beyond the 32767th block of its kind, or, when a line was missing (a block
    // without its end line, a file of the header only), the number the missing line would have
    // had. Complete: the last line. WrongHeader: 1. 0 when no line was read, and for
    // OutOfMemory.
    int Line;
    friend bool operator==(const ReadOutcome&, const ReadOutcome&) = default;
};

// The message the pilot is shown for a read that ended so; nothing for the ends that are
// silent (a cancel, a file that cannot be opened, an empty file, a failure part-way, success).
std::optional<std::string_view> ReadEndMessage(ReadEnd end);

// Empties the lists, then reads a whole turn file held in memory into state.
ReadOutcome ReadTurnData(std::string_view bytes, SharedSubsAndVar& state);

// Empties the lists, then opens the file at path and reads it as ReadTurnData does. Only a
// regular file of at most kMaxTurnFileBytes is read; anything else is refused before a byte is
// read, so that a pipe or a device can neither block the program nor fill its memory.
ReadOutcome ReadTurnFile(const std::string& path, SharedSubsAndVar& state);

// After a complete read the order values restart at the own heading and altitude with
// throttle 100. For the main window, after a Complete read.
void StartOrderValues(SharedSubsAndVar& state);

// The keys of each context; a key's place in its list is its number in the reader. KeyTable.h
// finds the key of a line among them all in one look-up.
inline constexpr std::array<std::string_view, 20> kTopLevelKeys = {"VISIBILITY=",
                                                                   "SERVERADDR=",
                                                                   "HEADING=",
                                                                   "ALTITUDE=",
                                                                   "AIRSPEED=",
                                                                   "X=",
                                                                   "Y=",
                                                                   "TEAM=",
                                                                   "SQUAD=",
                                                                   "CEILING=",
                                                                   "MAXRANGE=",
                                                                   "ARENA=",
                                                                   "AIRCRAFT=",
                                                                   "DAMAGEENGINE=",
                                                                   "DAMAGELEFTWING=",
                                                                   "DAMAGERIGHTWING=",
                                                                   "DAMAGEFUSELAGE=",
                                                                   "DAMAGECONTROLS=",
                                                                   "VICTORIES=",
                                                                   "DEFEATS="};
inline constexpr std::array<std::string_view, 3> kCommandKeys = {"NAME=", "STR~", "INT~"};
inline constexpr std::array<std::string_view, 13> kAircraftKeys = {
    "NAME=",     "PIC=",      "ARENA=", "TEAM=",    "SQUAD=",      "X=",       "Y=",
    "ALTITUDE=", "AIRSPEED=", "PLANE=", "HEADING=", "PVICTORIES=", "PDEFEATS="};
inline constexpr std::array<std::string_view, 4> kObjectiveKeys = {"ONAME=", "OX=", "OY=", "OALT="};

}  // namespace velmora
