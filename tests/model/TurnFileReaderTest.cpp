// The reader in two tiers: short in-memory snippets (how each ends, at which line, what it
// stored), then whole files under tests/data/.
#include "model/TurnFileReader.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <span>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "model/KeyTable.h"
#include "model/SharedProcedures.h"

namespace velmora {

namespace {

constexpr auto Complete = [](int line) { return ReadOutcome{ReadEnd::Complete, line}; };
constexpr auto Failed = [](int line) { return ReadOutcome{ReadEnd::Failed, line}; };
constexpr auto Refused = [](ReadEnd end) { return ReadOutcome{end, 0}; };
constexpr ReadOutcome kWrongHeader{ReadEnd::WrongHeader, 1};
const std::string kHeader(kTurnFileHeader);

// The header line and the given lines, each ended by CR LF.
std::string Turn(std::initializer_list<std::string_view> lines) {
    std::string text = kHeader + "\r\n";
    for (const std::string_view l : lines) {
        text.append(l).append("\r\n");
    }
    return text;
}

using S = const SharedSubsAndVar&;
const auto Records = [](S s) { return s.AircraftCount() + s.ObjectiveCount() + s.NumCommands(); };

TEST(ReadTurnData, Snippets) {
    const std::tuple<const char*, std::string, ReadOutcome, void (*)(S)> snippets[] = {
        // clang-format off
        {"header with a blank after it", kHeader + " \r\nX=1\r\n", kWrongHeader, nullptr},
        {"a byte order mark before the header; LF, CR LF, and a CR at the very end end a line",
         "\xEF\xBB\xBF" + kHeader + "\nX=1\r\nY=2\r", Complete(3),
         [](S s) { EXPECT_EQ(std::pair(s.OwnX, s.OwnY), std::pair(1.0f, 2.0f)); }},
        {"top-level keys; other blocks' keys, unknown keys and stray end lines are ignored",
         Turn({"VISIBILITY=15", "HEADING=22.5", "MAXRANGE=2.5", "SERVERADDR=gm@example.net",
               "DAMAGEENGINE=2", "DAMAGELEFTWING=3", "DAMAGERIGHTWING=4", "DAMAGEFUSELAGE=5",
               "DAMAGECONTROLS=-1", "ONAME=Depot", "STR~Target", "COLOR=blue", "[ENDAIRCRAFT]"}),
         Complete(14), [](S s) {  // the heading rounds to 22 but takes its sector from 22.5
             EXPECT_EQ(std::tuple(s.Visibility, s.ZoomLevel, s.OwnHeading, s.OwnHeadingSector,
                                  s.DamageEngine, s.DamageLeftWing, s.DamageRightWing,
                                  s.DamageFuselage, s.DamageControls, Records(s), s.MaxRange,
                                  s.ServerAddr),
                       std::tuple(15, 15, 22, 1, 2, 3, 4, 5, -1, 0, 2.5f, "gm@example.net")); }},
        {"commands keep their first five parameters, each command from slot 1",
         Turn({"[COMMAND]", "NAME=Drop Flare", "STR~ Target Name ", "INT~Count", "[ENDCOMMAND]",
               "[COMMAND]", "STR~a", "INT~b", "STR~c", "INT~d", "STR~e", "INT~f", "[ENDCOMMAND]"}),
         Complete(14), [](S s) {
             const auto& p = s.Commands(1).Params;
             EXPECT_EQ(std::tuple(s.Commands(1).Name, p[1].Name, p[1].Kind, p[1].Value, p[2].Name,
                                  p[2].Kind, p[2].Value, p[3].Kind, s.Commands(2).Params[1].Name,
                                  s.Commands(2).Params[5].Name),
                       std::tuple("Drop Flare", " Target Name ", "String", ParamValue(std::string{}),
                                  "Count", "Integer", ParamValue(0.0), "", "a", "e")); }},
        {"section, top-level and end lines with a blank inside a block are ignored",
         Turn({"[COMMAND]", "[AIRCRAFT]", "X=5", "[ENDCOMMAND] ", "NAME=Late", "[ENDCOMMAND]"}),
         Complete(7), [](S s) {
             EXPECT_EQ(std::tuple(s.Commands(1).Name, s.AircraftCount(), s.OwnX),
                       std::tuple("Late", 0, 0)); }},
        {"an aircraft's keys, its heading a compass name, its name keeping a lone CR, NUL and "
         "bytes above 127; objectives",
         Turn({"[AIRCRAFT]", std::string_view("NAME=J\xc3\xbc\rX\0Y", 12), "SQUAD=Kites", "X=-3.5",
               "HEADING=Southwest", "PVICTORIES=4", "PDEFEATS=2", "[ENDAIRCRAFT]", "[OBJECTIVE]",
               "ONAME=Fuel Depot", "OX=4.5", "OY=-2", "OALT=1500.5", "[ENDOBJECTIVE]",
               "[OBJECTIVE]", "ONAME=Bridge", "[ENDOBJECTIVE]"}),
         Complete(18), [](S s) {
             const AircraftRecord& a = s.AircraftList(1);
             const ObjectiveRecord& o = s.ObjectiveList(1);
             EXPECT_EQ(std::tuple(a.Name, a.Squad, a.X, a.HeadingSector, a.Victories, a.Defeats,
                                  s.OwnX, o.Name, o.X, o.Y, o.Altitude, s.ObjectiveList(2).Name),
                       std::tuple(std::string_view("J\xc3\xbc\rX\0Y", 7), "Kites", -3.5f, 5, 4,
                                  2, 0, "Fuel Depot", 4.5f, -2.0f, 1500.5f, "Bridge")); }},
        {"a section line in lower case or with a blank opens nothing: HEADING= stays a number",
         Turn({"[aircraft]", "[AIRCRAFT] ", "HEADING=East", "[ENDAIRCRAFT]"}), Failed(4), nullptr},
        {"a second [COMBAT] block replaces the first; key lines in it are report text",
         Turn({"[COMBAT]", "first", "[ENDCOMBAT]", "[COMBAT]", "X=5", "", "[ENDCOMBAT] ",
               "[ENDCOMBAT]", "Y=2"}),
         Complete(10), [](S s) {
             EXPECT_EQ(std::tuple(s.CombatText, s.OwnX, s.OwnY),
                       std::tuple("X=5\r\n\r\n[ENDCOMBAT] \r\n", 0, 2)); }},
        // clang-format on
    };
    for (const auto& [name, bytes, outcome, check] : snippets) {
        SCOPED_TRACE(name);
        SharedSubsAndVar s;
        s.AircraftList.Append().Name = "from the last file";  // every end empties the lists
        std::tie(s.SelectedAircraft, s.OrderHeading) = std::tuple(9, 123);
        EXPECT_EQ(ReadTurnData(bytes, s), outcome);
        if (check) {
            check(s);
        }
        // The reader leaves the window's and the order state to the windows.
        EXPECT_EQ(std::tuple(s.SelectedAircraft, s.OrderHeading), std::tuple(9, 123));
    }
}

// The reader's key table finds what ParseKeyword finds with each key of the table in turn, both
// when it may read only the line and when it may read on into what follows, 8 bytes at a time.
TEST(KeyTable, FindsWhatParseKeywordFinds) {
    const std::string_view lines[] = {
        // blanks, case and what ends a key
        "HEADING=90", " heading = 90", "H E A D I N G =>", "XY=5", "x =  5>6", ">X=5", "X>=5",
        "STR~ a b", "s t r ~x", "INT=3", "NAME=", "OALT~=1", "HEADING==90", "", "=", "[AIRCRAFT]",
        "\tX=1", std::string_view("X\0=1", 4), "NAME=a long value >here", "ALTITUDE=12345678>",
        // keys of sixteen characters and more, and long walks
        "DAMAGERIGHTWING=2", "damagerightwing=", "DAMAGERIGHTWINGS=2", "DAMAGERIGHTWIN G=2",
        "DAMAGERIGHTWINGDAMAGE", "D A M A G E E N G I N E=1", "PVICTORIES=1", "VISIBILITY",
        // bytes next to the letters, which a byte-wise test could take for letters
        "\xc1LTITUDE=1", "ALTITUD\xc5=1", "@LTITUDE=1", "[LTITUDE=1", "{LTITUDE=1", "`X=1", "X`=1"};
    // What may follow a line in the file: its line end, then anything.
    const std::string_view followers[] = {"\rZZZZZZZZZZZZZZZZ", "\n>>>>>>>>>>>>>>>>", "",
                                          "\n================", "\n                ", "\r\n"};
    const std::span<const std::string_view> tables[] = {kTopLevelKeys, kCommandKeys, kAircraftKeys,
                                                        kObjectiveKeys};
    for (const std::span<const std::string_view> keys : tables) {
        const KeyTable table(keys);
        for (const std::string_view line : lines) {
            std::pair<int, std::string_view> expected(-1, "untouched");
            for (std::size_t k = 0; k < keys.size(); ++k) {
                if (const std::optional<std::string_view> v = ParseKeyword(line, keys[k])) {
                    expected = {static_cast<int>(k), *v};
                }
            }
            for (const std::string_view follower : followers) {
                const std::string bytes = std::string(line) + std::string(follower);
                for (const std::size_t readable : {std::size_t{0}, bytes.size()}) {
                    std::string_view value = "untouched";
                    const int found = table.Find({bytes.data(), line.size()}, value, readable);
                    EXPECT_EQ(std::pair(found, value), expected)
                        << '"' << line << "\" readable " << readable;
                }
            }
        }
    }
}

const std::string kData = VELMORA_TEST_DATA_DIR "/";

// A file of size bytes, head and then NUL bytes, made without writing them.
std::string SparseFile(const std::filesystem::path& path, std::uintmax_t size,
                       std::string_view head = {}) {
    std::ofstream(path, std::ios::binary) << head;
    std::filesystem::resize_file(path, size);
    return path.string();
}

// Each file read over a full turn: every end empties the lists and keeps the values of the keys
// it does not reach or lack, the combat text among them. What is no regular file, or far larger
// than a turn, is refused before a byte is read (a pipe would wait for a writer, a device would
// never end), with its message.
TEST(ReadTurnFile, EachEndAfterAFullTurn) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("velmora-reader-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string pipe = (folder / "turn.smv").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // The file; how the read ends; records, Visibility and zoom after it; a message for the pilot.
    const std::tuple<const char*, std::string, ReadOutcome, int, int, int, bool> rows[] = {
        // clang-format off
        {"a full turn", kData + "full-turn.smv", Complete(69), 5, 12, 12, false},
        {"no VISIBILITY=, [COMBAT]", kData + "second-turn.smv", Complete(17), 2, 12, 3, false},
        {"a block without its end", kData + "block-without-end.smv", Failed(11), 2, 10, 10, false},
        {"a wrong header", kData + "wrong-header.smv", kWrongHeader, 0, 12, 3, true},
        {"an empty file", kData + "empty.smv", Refused(ReadEnd::Empty), 0, 12, 3, false},
        {"no such file", kData + "none.smv", Refused(ReadEnd::CannotOpen), 0, 12, 3, false},
        {"a named pipe", pipe, Refused(ReadEnd::NotAFile), 0, 12, 3, true},
        {"a folder", folder.string(), Refused(ReadEnd::NotAFile), 0, 12, 3, true},
        {"a byte too large", SparseFile(folder / "a.smv", kMaxTurnFileBytes + 1),
         Refused(ReadEnd::TooLarge), 0, 12, 3, true},
        {"at the limit: no header", SparseFile(folder / "b.smv", kMaxTurnFileBytes), kWrongHeader,
         0, 12, 3, true},
        // clang-format on
    };
    for (const auto& [name, path, outcome, records, visibility, zoom, message] : rows) {
        SCOPED_TRACE(name);
        SharedSubsAndVar s;
        ASSERT_EQ(ReadTurnFile(kData + "full-turn.smv", s), Complete(69));
        s.ZoomLevel = 3;  // the pilot zoomed in
        EXPECT_EQ(ReadTurnFile(path, s), outcome);
        EXPECT_EQ(std::tuple(Records(s), int{s.Visibility}, int{s.ZoomLevel}, s.CombatText.size(),
                             ReadEndMessage(outcome.End).has_value()),
                  std::tuple(records, visibility, zoom, std::size_t{64}, message));
    }
    std::filesystem::remove_all(folder);
}

// The 32768th aircraft or objective section line fails before its record is made, so no list
// index passes 16 bits.
TEST(ReadTurnData, AtMost32767AircraftAndObjectives) {
    for (const std::string_view block :
         {"[AIRCRAFT]\r\n[ENDAIRCRAFT]\r\n", "[OBJECTIVE]\r\n[ENDOBJECTIVE]\r\n"}) {
        std::string text = Turn({});
        for (int i = 0; i < 32768; ++i) {
            text += block;
        }
        SharedSubsAndVar s;
        EXPECT_EQ(ReadTurnData(text, s), Failed(65536)) << block;
        EXPECT_EQ(Records(s), 32767) << block;
    }
}

#if !defined(__SANITIZE_ADDRESS__)
// Memory that runs out while a turn is read ends the read with its message, never the program.
// The read runs in a child process whose address space leaves room for the 48 MB file and, in
// the second row, for nothing more: the copy of its squadron runs out.
TEST(ReadTurnFileDeathTest, RunningOutOfMemoryEndsTheReadNotTheProgram) {
    const std::string path = SparseFile(std::filesystem::temp_directory_path() /
                                            ("velmora-memory-" + std::to_string(getpid()) + ".smv"),
                                        48u << 20, kHeader + "\r\nSQUAD=");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const rlim_t room : {rlim_t{16} << 20, rlim_t{64} << 20}) {
        EXPECT_EXIT(
            {
                rlim_t pages = 0;  // what the process takes already, then the room
                std::ifstream("/proc/self/statm") >> pages;
                rlimit space{};
                space.rlim_cur = space.rlim_max = pages * sysconf(_SC_PAGESIZE) + room;
                setrlimit(RLIMIT_AS, &space);
                SharedSubsAndVar s;
                std::_Exit(ReadTurnFile(path, s).End == ReadEnd::OutOfMemory ? 0 : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << (room >> 20) << " MB of room";
    }
    std::filesystem::remove(path);
}
#endif

}  // namespace
}  // namespace velmora
