// The reader on whole turn files: the named cases under tests/data/, the samples a new pilot
// opens, and what a second file keeps and replaces.
#include "TurnFileReader.h"

#include <cmath>
#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "TurnFileTestSupport.h"

namespace velmora {
namespace {

using testing_support::Complete;
using testing_support::Failed;

std::string DataFile(const char* name) {
    return std::string(VELMORA_TEST_DATA_DIR) + "/" + name;
}

std::string SampleFile(const std::string& name) {
    return std::string(VELMORA_SAMPLES_DIR) + "/" + name;
}

TEST(ReadTurnFile, NamedFiles) {
    struct Row {
        const char* file;
        ReadOutcome outcome;
        int aircraft;
    };
    for (const Row& r : {Row{"full-turn.smv", Complete(69), 2},
                         {"block-without-end.smv", Failed(11), 2},
                         {"bad-number.smv", Failed(4), 0},
                         {"header-only.smv", Failed(2), 0},
                         {"wrong-header.smv", {ReadEnd::WrongHeader, 1}, 0},
                         {"empty.smv", {ReadEnd::Empty, 0}, 0},
                         {"no-such-file.smv", {ReadEnd::CannotOpen, 0}, 0}}) {
        SharedSubsAndVar s;
        EXPECT_EQ(ReadTurnFile(DataFile(r.file), s), r.outcome) << r.file;
        EXPECT_EQ(s.AircraftCount(), r.aircraft) << r.file;
    }
}

TEST(ReadTurnFile, FullTurnStoresEverything) {
    SharedSubsAndVar s;
    ASSERT_EQ(ReadTurnFile(DataFile("full-turn.smv"), s), Complete(69));
    EXPECT_EQ(s.Visibility, 12);
    EXPECT_EQ(s.ZoomLevel, 12);
    EXPECT_EQ(s.ServerAddr, "orders@skelmar-test.example");
    EXPECT_EQ(s.OwnHeading, 338);
    EXPECT_EQ(s.OwnHeadingSector, 7);  // from 337.5
    EXPECT_EQ(s.OwnAltitude, 8000);
    EXPECT_EQ(s.OwnAirspeed, 275);
    EXPECT_EQ(s.OwnX, 3.5f);
    EXPECT_EQ(s.OwnY, -1.25f);
    EXPECT_EQ(s.OwnTeam, 1);
    EXPECT_EQ(s.OwnSquad, "Blue Lancers");
    EXPECT_EQ(s.Ceiling, 22000);
    EXPECT_EQ(s.MaxRange, 2.0f);
    EXPECT_EQ(s.ArenaMode, 2);
    EXPECT_EQ(s.OwnAircraftType, "Kestrel Mk II");
    EXPECT_EQ(s.DamageEngine, 1);
    EXPECT_EQ(s.DamageRightWing, 2);
    EXPECT_EQ(s.DamageControls, 3);
    EXPECT_EQ(s.OwnVictories, 4);
    EXPECT_EQ(s.OwnDefeats, 1);

    ASSERT_EQ(s.NumCommands(), 2);
    EXPECT_EQ(s.Commands(1).Name, "Request Escort");
    EXPECT_EQ(s.Commands(1).Params[1].Name, "Escort Pilot");
    EXPECT_EQ(s.Commands(1).Params[2].Kind, "Integer");
    EXPECT_EQ(s.Commands(2).Name, "Bail Out Early");
    EXPECT_EQ(s.Commands(2).Params[1].Name, "");

    ASSERT_EQ(s.AircraftCount(), 2);
    const AircraftRecord& ilse = s.AircraftList(1);
    EXPECT_EQ(ilse.Name, "Ilse Marrow");
    EXPECT_EQ(ilse.Pic, "IM");
    EXPECT_EQ(ilse.Arena, 2);
    EXPECT_EQ(ilse.Team, 2);
    EXPECT_EQ(ilse.Squad, "Red Vipers");
    EXPECT_EQ(ilse.X, 5.25f);
    EXPECT_EQ(ilse.Y, 0.5f);
    EXPECT_EQ(ilse.Altitude, 8500);
    EXPECT_EQ(ilse.Airspeed, 300);
    EXPECT_EQ(ilse.Plane, "Harrow F.3");
    EXPECT_EQ(ilse.HeadingSector, 6);
    EXPECT_EQ(ilse.Victories, 5);
    EXPECT_EQ(ilse.Defeats, 3);
    const AircraftRecord& tamsin = s.AircraftList(2);  // keys in lower case, blanks in one
    EXPECT_EQ(tamsin.Name, " Tamsin Reyes");
    EXPECT_EQ(tamsin.Squad, "Blue Lancers");
    EXPECT_EQ(tamsin.X, 2.0f);
    EXPECT_EQ(tamsin.HeadingSector, 1);
    EXPECT_EQ(tamsin.Victories, 0);

    ASSERT_EQ(s.ObjectiveCount(), 1);
    EXPECT_EQ(s.ObjectiveList(1).Name, "Fuel Depot");
    EXPECT_EQ(s.ObjectiveList(1).Y, -4.5f);
    EXPECT_EQ(s.CombatText, "Ilse Marrow fired on you: 2 hits.\r\n  Right wing: heavy damage.\r\n");
}

TEST(ReadTurnFile, BlockWithoutEndKeepsWhatWasRead) {
    SharedSubsAndVar s;
    ASSERT_EQ(ReadTurnFile(DataFile("block-without-end.smv"), s), Failed(11));
    EXPECT_EQ(s.Visibility, 10);
    EXPECT_EQ(s.OwnX, 1.0f);
    ASSERT_EQ(s.AircraftCount(), 2);
    EXPECT_EQ(s.AircraftList(2).Name, "Faye Dunmore");
    EXPECT_EQ(s.AircraftList(2).Team, 2);
}

// A second file on the same state: the lists start again, missing top-level keys keep their
// values, the combat text stays without a [COMBAT] block, and a new block starts empty.
TEST(ReadTurnFile, SecondFileKeepsAndReplaces) {
    SharedSubsAndVar s;
    ASSERT_EQ(ReadTurnFile(DataFile("full-turn.smv"), s), Complete(69));
    StartOrderValues(s);
    s.ZoomLevel = 3;  // the pilot zoomed in
    s.Commands(1).Params[1].Value = std::string("Tamsin Reyes");
    s.RadioMessages = "kept";

    ASSERT_EQ(ReadTurnFile(DataFile("second-turn.smv"), s), Complete(17));
    StartOrderValues(s);
    // Replaced by the second file.
    EXPECT_EQ(s.OwnHeading, 180);
    EXPECT_EQ(s.OwnHeadingSector, 4);
    EXPECT_EQ(s.OwnAltitude, 6000);
    EXPECT_EQ(s.OwnX, -2.0f);
    EXPECT_EQ(s.OrderHeading, 180);
    EXPECT_EQ(s.OrderAltitude, 6000);
    // Kept from the first: keys the second lacks, the combat text, the zoom (no VISIBILITY=).
    EXPECT_EQ(s.Visibility, 12);
    EXPECT_EQ(s.ZoomLevel, 3);
    EXPECT_EQ(s.ServerAddr, "orders@skelmar-test.example");
    EXPECT_EQ(s.OwnSquad, "Blue Lancers");
    EXPECT_EQ(s.DamageControls, 3);
    EXPECT_EQ(s.CombatText, "Ilse Marrow fired on you: 2 hits.\r\n  Right wing: heavy damage.\r\n");
    EXPECT_EQ(s.RadioMessages, "kept");
    // The lists start again; the first aircraft lacks SQUAD= and gets none.
    EXPECT_EQ(s.NumCommands(), 0);
    ASSERT_EQ(s.AircraftCount(), 1);
    EXPECT_EQ(s.AircraftList(1).Name, "Odo Brannick");
    EXPECT_EQ(s.AircraftList(1).Squad, "");
    EXPECT_EQ(s.AircraftList(1).HeadingSector, 0);
    ASSERT_EQ(s.ObjectiveCount(), 1);
    EXPECT_EQ(s.ObjectiveList(1).Altitude, 1450.5f);

    // The first file again: VISIBILITY= brings the zoom back to the visibility.
    ASSERT_EQ(ReadTurnFile(DataFile("full-turn.smv"), s), Complete(69));
    EXPECT_EQ(s.ZoomLevel, 12);
}

TEST(ReadTurnFile, FailedOrRejectedFileAfterAGoodOne) {
    SharedSubsAndVar s;
    ASSERT_EQ(ReadTurnFile(DataFile("full-turn.smv"), s), Complete(69));
    StartOrderValues(s);
    s.SelectedAircraft = 2;

    // The wrong header: only the lists change.
    ASSERT_EQ(ReadTurnFile(DataFile("wrong-header.smv"), s).end, ReadEnd::WrongHeader);
    EXPECT_EQ(s.AircraftCount(), 0);
    EXPECT_EQ(s.ObjectiveCount(), 0);
    EXPECT_EQ(s.NumCommands(), 0);
    EXPECT_EQ(s.Visibility, 12);
    EXPECT_EQ(s.OwnX, 3.5f);
    EXPECT_EQ(s.SelectedAircraft, 2);  // beyond the new count: readers test it first

    // A file that cannot be opened: the same.
    ASSERT_EQ(ReadTurnFile(DataFile("full-turn.smv"), s), Complete(69));
    ASSERT_EQ(ReadTurnFile(DataFile("no-such-file.smv"), s).end, ReadEnd::CannotOpen);
    EXPECT_EQ(s.AircraftCount(), 0);
    EXPECT_EQ(s.OwnAltitude, 8000);

    // A folder is not a file.
    ASSERT_EQ(ReadTurnFile(DataFile("full-turn.smv"), s), Complete(69));
    EXPECT_EQ(ReadTurnFile(VELMORA_TEST_DATA_DIR, s), (ReadOutcome{ReadEnd::CannotOpen, 0}));
    EXPECT_EQ(s.AircraftCount(), 0);

    // A bad number: the lines before it are stored, the order values are the window's.
    ASSERT_EQ(ReadTurnFile(DataFile("full-turn.smv"), s), Complete(69));
    StartOrderValues(s);
    ASSERT_EQ(ReadTurnFile(DataFile("bad-number.smv"), s), Failed(4));
    EXPECT_EQ(s.Visibility, 10);
    EXPECT_EQ(s.OwnX, 1.0f);
    EXPECT_EQ(s.OwnY, -1.25f);
    EXPECT_EQ(s.OwnAltitude, 8000);
    EXPECT_EQ(s.OrderAltitude, 8000);
}

// Every turn file under samples/ reads whole, with the counts a pilot will see.
TEST(Samples, EveryOneReadsComplete) {
    struct Row {
        std::string file;
        int aircraft;
        int objectives;
        int commands;
        int16_t arenaMode;
        bool hasServerAddr;
    };
    const Row rows[] = {{"dogfight.smv", 8, 3, 3, 2, true},
                        {"squadron-patrol.smv", 10, 2, 2, 1, false},
                        {"airfield-strike.smv", 5, 5, 1, 2, true}};
    std::set<std::string> listed;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.file);
        listed.insert(r.file);
        SharedSubsAndVar s;
        const ReadOutcome outcome = ReadTurnFile(SampleFile(r.file), s);
        EXPECT_EQ(outcome.end, ReadEnd::Complete);
        EXPECT_EQ(s.AircraftCount(), r.aircraft);
        EXPECT_EQ(s.ObjectiveCount(), r.objectives);
        EXPECT_EQ(s.NumCommands(), r.commands);
        EXPECT_EQ(s.ArenaMode, r.arenaMode);
        EXPECT_EQ(!s.ServerAddr.empty(), r.hasServerAddr);
        EXPECT_GT(s.Visibility, 0);
        EXPECT_EQ(s.ZoomLevel, s.Visibility);
        EXPECT_FALSE(s.CombatText.empty());
        EXPECT_FALSE(s.OwnAircraftType.empty());
        // Every contact lies within the visibility, so the pilot sees the whole turn.
        for (const AircraftRecord& a : s.AircraftList) {
            EXPECT_FALSE(a.Name.empty());
            EXPECT_LE(std::hypot(a.X - s.OwnX, a.Y - s.OwnY), s.Visibility) << a.Name;
        }
        for (const ObjectiveRecord& o : s.ObjectiveList) {
            EXPECT_LE(std::hypot(o.X - s.OwnX, o.Y - s.OwnY), s.Visibility) << o.Name;
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(VELMORA_SAMPLES_DIR)) {
        if (entry.path().extension() == ".smv") {
            EXPECT_TRUE(listed.count(entry.path().filename().string()))
                << entry.path() << " has no row in this test";
        }
    }
}

}  // namespace
}  // namespace velmora
