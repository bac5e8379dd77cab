// The reader on short in-memory turn files: how each ends, at which line, and what it stored.
#include "TurnFileReader.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "KeyTable.h"
#include "SharedProcedures.h"
#include "TurnFileTestSupport.h"

namespace velmora {

namespace {

using testing_support::Complete;
using testing_support::Failed;
using testing_support::Turn;

using Check = std::function<void(const SharedSubsAndVar&)>;

struct Snippet {
    const char* name;
    std::string bytes;
    ReadOutcome outcome;
    Check check;
};

const std::vector<Snippet>& Snippets() {
    static const std::vector<Snippet> kSnippets = {
        // --- the header line and the file's ends
        {"empty file", "", {ReadEnd::Empty, 0}, nullptr},
        {"header only", Turn({}), Failed(2), nullptr},
        {"header without its line end", std::string(kTurnFileHeader), Failed(2), nullptr},
        {"header and one empty line", Turn({""}), Complete(2), nullptr},
        {"header with a blank after it", std::string(kTurnFileHeader) + " \r\nX=1\r\n",
         {ReadEnd::WrongHeader, 1}, nullptr},
        {"header with one letter in other case",
         "Skelmar Velmora Data File, Version 2.0 (Skelmar air combat by e-mail)\r\nX=1\r\n",
         {ReadEnd::WrongHeader, 1}, nullptr},
        {"header without the publisher notice",
         "Skelmar Velmora Data File, version 2.0\r\nX=1\r\n", {ReadEnd::WrongHeader, 1},
         nullptr},
        {"header of another version",
         "Skelmar Velmora Data File, version 1.0 (Skelmar air combat by e-mail)\r\nX=1\r\n",
         {ReadEnd::WrongHeader, 1}, nullptr},
        {"an empty first line", "\r\n" + Turn({"X=1"}), {ReadEnd::WrongHeader, 1}, nullptr},
        {"header after a byte order mark", "\xEF\xBB\xBF" + Turn({"X=1"}), Complete(2),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.OwnX, 1.0f); }},
        {"a byte order mark only", "\xEF\xBB\xBF", {ReadEnd::Empty, 0}, nullptr},
        {"bare LF line ends", std::string(kTurnFileHeader) + "\nX=1\nY=2\n", Complete(3),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnX, 1.0f);
             EXPECT_EQ(s.OwnY, 2.0f);
         }},
        {"no line end after the last line", std::string(kTurnFileHeader) + "\r\nX=1\r\nY=2",
         Complete(3), [](const SharedSubsAndVar& s) { EXPECT_EQ(s.OwnY, 2.0f); }},
        {"a CR at the very end", std::string(kTurnFileHeader) + "\r\nY=2\r", Complete(2),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.OwnY, 2.0f); }},
        {"empty lines at the end", Turn({"X=1", "", ""}), Complete(4), nullptr},

        // --- top-level keys
        {"every top-level key",
         Turn({"VISIBILITY=15", "SERVERADDR=gm@example.net", "HEADING=90", "ALTITUDE=3000",
               "AIRSPEED=250", "X=12.5", "Y=-4.25", "TEAM=2", "SQUAD=Red Wolves", "CEILING=20000",
               "MAXRANGE=2.5", "ARENA=1", "AIRCRAFT=Kestrel Mk II", "DAMAGEENGINE=1",
               "DAMAGELEFTWING=2", "DAMAGERIGHTWING=3", "DAMAGEFUSELAGE=0", "DAMAGECONTROLS=-1",
               "VICTORIES=12", "DEFEATS=3"}),
         Complete(21),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.Visibility, 15);
             EXPECT_EQ(s.ZoomLevel, 15);
             EXPECT_EQ(s.ServerAddr, "gm@example.net");
             EXPECT_EQ(s.OwnHeading, 90);
             EXPECT_EQ(s.OwnHeadingSector, 2);
             EXPECT_EQ(s.OwnAltitude, 3000);
             EXPECT_EQ(s.OwnAirspeed, 250);
             EXPECT_EQ(s.OwnX, 12.5f);
             EXPECT_EQ(s.OwnY, -4.25f);
             EXPECT_EQ(s.OwnTeam, 2);
             EXPECT_EQ(s.OwnSquad, "Red Wolves");
             EXPECT_EQ(s.Ceiling, 20000);
             EXPECT_EQ(s.MaxRange, 2.5f);
             EXPECT_EQ(s.ArenaMode, 1);
             EXPECT_EQ(s.OwnAircraftType, "Kestrel Mk II");
             EXPECT_EQ(s.DamageEngine, 1);
             EXPECT_EQ(s.DamageLeftWing, 2);
             EXPECT_EQ(s.DamageRightWing, 3);
             EXPECT_EQ(s.DamageFuselage, 0);
             EXPECT_EQ(s.DamageControls, -1);
             EXPECT_EQ(s.OwnVictories, 12);
             EXPECT_EQ(s.OwnDefeats, 3);
             EXPECT_EQ(s.AircraftCount(), 0);
             EXPECT_EQ(s.ObjectiveCount(), 0);
             EXPECT_EQ(s.NumCommands(), 0);
         }},
        {"duplicate key: the last one holds", Turn({"ALTITUDE=1000", "ALTITUDE=2000"}),
         Complete(3), [](const SharedSubsAndVar& s) { EXPECT_EQ(s.OwnAltitude, 2000); }},
        {"blanks in a key and lower case", Turn({"  heading  =  90", "d a m a g e engine=2"}),
         Complete(3),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnHeading, 90);
             EXPECT_EQ(s.OwnHeadingSector, 2);
             EXPECT_EQ(s.DamageEngine, 2);
         }},
        {"heading 22.5", Turn({"HEADING=22.5"}), Complete(2),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnHeading, 22);
             EXPECT_EQ(s.OwnHeadingSector, 1);  // from 22.5, not from the rounded 22
         }},
        {"heading 67.5", Turn({"HEADING=67.5"}), Complete(2),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnHeading, 68);
             EXPECT_EQ(s.OwnHeadingSector, 2);
         }},
        {"heading 400 is kept unwrapped", Turn({"HEADING=400"}), Complete(2),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnHeading, 400);
             EXPECT_EQ(s.OwnHeadingSector, 0);
         }},
        {"heading -5", Turn({"HEADING=-5"}), Complete(2),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnHeading, -5);
             EXPECT_EQ(s.OwnHeadingSector, 0);
         }},
        {"a text value keeps its blanks", Turn({"SQUAD= Red Wolves ", "AIRCRAFT="}),
         Complete(3),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnSquad, " Red Wolves ");
             EXPECT_EQ(s.OwnAircraftType, "");
         }},
        {"> in a value ends it", Turn({"SQUAD=Red>Wolves", "ALTITUDE=3000>feet"}), Complete(3),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnSquad, "Red");
             EXPECT_EQ(s.OwnAltitude, 3000);
         }},
        {"> before the key hides it", Turn({">ALTITUDE=3000", "ALTI>TUDE=3000"}), Complete(3),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.OwnAltitude, 0); }},
        {"a key later in the line is no key", Turn({"NOTE ALTITUDE=3000"}), Complete(2),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.OwnAltitude, 0); }},
        {"unknown keys and other contexts' keys are ignored",
         Turn({"ONAME=Depot", "PIC=K", "STR~Target", "COLOR=blue", "[ENDAIRCRAFT]",
               "[ENDCOMBAT]", "[aircraft]"}),
         Complete(8),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.AircraftCount(), 0);
             EXPECT_EQ(s.ObjectiveCount(), 0);
             EXPECT_EQ(s.NumCommands(), 0);
             EXPECT_EQ(s.CombatText, "");
         }},
        {"a whole number with a fraction is rounded", Turn({"TEAM=1.5", "CEILING= 2.5e4 "}),
         Complete(3),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnTeam, 2);
             EXPECT_EQ(s.Ceiling, 25000);
         }},
        {"visibility 0 and below are taken as they are", Turn({"VISIBILITY=-3"}), Complete(2),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.Visibility, -3);
             EXPECT_EQ(s.ZoomLevel, -3);
         }},

        // --- values that do not convert stop the read at their line
        {"out-of-range whole number", Turn({"X=5", "ALTITUDE=40000", "Y=7"}), Failed(3),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnX, 5.0f);
             EXPECT_EQ(s.OwnAltitude, 0);
             EXPECT_EQ(s.OwnY, 0.0f);
         }},
        {"empty whole number", Turn({"X=5", "ALTITUDE="}), Failed(3),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.OwnX, 5.0f); }},
        {"a word for a whole number", Turn({"ALTITUDE=high"}), Failed(2), nullptr},
        {"a heading that is not a number", Turn({"HEADING=East"}), Failed(2),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnHeading, 0);
             EXPECT_EQ(s.OwnHeadingSector, 0);
         }},
        {"a real number that is a word", Turn({"MAXRANGE=far"}), Failed(2), nullptr},
        {"a real number beyond single range", Turn({"X=1e39"}), Failed(2),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.OwnX, 0.0f); }},
        {"infinity is no real number", Turn({"Y=inf"}), Failed(2), nullptr},
        {"visibility that fails sets neither value", Turn({"VISIBILITY=15", "VISIBILITY=x"}),
         Failed(3),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.Visibility, 15);
             EXPECT_EQ(s.ZoomLevel, 15);
         }},
        {"a lone CR spoils a number", std::string(kTurnFileHeader) + "\r\nALTITUDE=90\r\r\n",
         Failed(2), nullptr},

        // --- [COMMAND]
        {"a command with parameters",
         Turn({"[COMMAND]", "NAME=Drop Flare", "STR~ Target Name ", "INT~Count", "[ENDCOMMAND]"}),
         Complete(6),
         [](const SharedSubsAndVar& s) {
             ASSERT_EQ(s.NumCommands(), 1);
             const CommandDef& c = s.Commands(1);
             EXPECT_EQ(c.Name, "Drop Flare");
             EXPECT_EQ(c.Params[0].Name, "");
             EXPECT_EQ(c.Params[1].Name, " Target Name ");
             EXPECT_EQ(c.Params[1].Kind, "String");
             EXPECT_EQ(c.Params[1].Value, ParamValue(std::string{}));
             EXPECT_EQ(c.Params[2].Name, "Count");
             EXPECT_EQ(c.Params[2].Kind, "Integer");
             EXPECT_EQ(c.Params[2].Value, ParamValue(0.0));
             EXPECT_EQ(c.Params[3].Name, "");
             EXPECT_EQ(c.Params[3].Kind, "");
         }},
        {"seven parameters: the first five are stored",
         Turn({"[COMMAND]", "STR~a", "INT~b", "STR~c", "INT~d", "STR~e", "INT~f", "STR~g",
               "[ENDCOMMAND]"}),
         Complete(10),
         [](const SharedSubsAndVar& s) {
             ASSERT_EQ(s.NumCommands(), 1);
             const CommandDef& c = s.Commands(1);
             EXPECT_EQ(c.Name, "");
             const char* const names[] = {"", "a", "b", "c", "d", "e"};
             const char* const kinds[] = {"", "String", "Integer", "String", "Integer",
                                          "String"};
             for (int p = 0; p <= 5; ++p) {
                 EXPECT_EQ(c.Params[p].Name, names[p]) << p;
                 EXPECT_EQ(c.Params[p].Kind, kinds[p]) << p;
             }
         }},
        {"the slot counter starts again for each command",
         Turn({"[COMMAND]", "NAME=A", "INT~x", "[ENDCOMMAND]", "[COMMAND]", "NAME=B", "STR~y",
               "[ENDCOMMAND]"}),
         Complete(9),
         [](const SharedSubsAndVar& s) {
             ASSERT_EQ(s.NumCommands(), 2);
             EXPECT_EQ(s.Commands(1).Name, "A");
             EXPECT_EQ(s.Commands(2).Name, "B");
             EXPECT_EQ(s.Commands(2).Params[1].Name, "y");
             EXPECT_EQ(s.Commands(2).Params[1].Kind, "String");
             EXPECT_EQ(s.Commands(2).Params[2].Name, "");
         }},
        {"section and top-level lines inside a command are ignored",
         Turn({"[COMMAND]", "NAME=Recon", "[AIRCRAFT]", "X=5", "[ENDAIRCRAFT]", "[ENDCOMMAND]"}),
         Complete(7),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.NumCommands(), 1);
             EXPECT_EQ(s.AircraftCount(), 0);
             EXPECT_EQ(s.OwnX, 0.0f);
         }},
        {"a command without its end line", Turn({"[COMMAND]", "NAME=Recon", "STR~Area"}),
         Failed(5),
         [](const SharedSubsAndVar& s) {
             ASSERT_EQ(s.NumCommands(), 1);
             EXPECT_EQ(s.Commands(1).Name, "Recon");
             EXPECT_EQ(s.Commands(1).Params[1].Name, "Area");
         }},
        {"an end line with blanks is no end line",
         Turn({"[COMMAND]", "[ENDCOMMAND] ", "NAME=Late", "[ENDCOMMAND]"}), Complete(5),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.Commands(1).Name, "Late"); }},

        // --- [AIRCRAFT]
        {"an aircraft with every key",
         Turn({"[AIRCRAFT]", "NAME=Ilse Marrow", "PIC=IM", "ARENA=3", "TEAM=1", "SQUAD=Kites",
               "X=-3.5", "Y=7.25", "ALTITUDE=4500", "AIRSPEED=310", "PLANE=Harrow F.3",
               "HEADING=Southwest", "PVICTORIES=4", "PDEFEATS=1", "[ENDAIRCRAFT]"}),
         Complete(16),
         [](const SharedSubsAndVar& s) {
             ASSERT_EQ(s.AircraftCount(), 1);
             const AircraftRecord& a = s.AircraftList(1);
             EXPECT_EQ(a.Name, "Ilse Marrow");
             EXPECT_EQ(a.Pic, "IM");
             EXPECT_EQ(a.Arena, 3);
             EXPECT_EQ(a.Team, 1);
             EXPECT_EQ(a.Squad, "Kites");
             EXPECT_EQ(a.X, -3.5f);
             EXPECT_EQ(a.Y, 7.25f);
             EXPECT_EQ(a.Altitude, 4500);
             EXPECT_EQ(a.Airspeed, 310);
             EXPECT_EQ(a.Plane, "Harrow F.3");
             EXPECT_EQ(a.HeadingSector, 5);
             EXPECT_EQ(a.Victories, 4);
             EXPECT_EQ(a.Defeats, 1);
             // The block's keys are its own: the top level is untouched.
             EXPECT_EQ(s.OwnX, 0.0f);
             EXPECT_EQ(s.OwnAltitude, 0);
             EXPECT_EQ(s.OwnTeam, 0);
             EXPECT_EQ(s.ArenaMode, 0);
         }},
        {"compass point headings",
         Turn({"[AIRCRAFT]", "HEADING=East", "[ENDAIRCRAFT]", "[AIRCRAFT]", "HEADING= East",
               "[ENDAIRCRAFT]", "[AIRCRAFT]", "HEADING=east", "[ENDAIRCRAFT]", "[AIRCRAFT]",
               "HEADING=90", "[ENDAIRCRAFT]", "[AIRCRAFT]", "NAME=no heading", "[ENDAIRCRAFT]",
               "[AIRCRAFT]", "heading = Northwest", "[ENDAIRCRAFT]"}),
         Complete(19),
         [](const SharedSubsAndVar& s) {
             ASSERT_EQ(s.AircraftCount(), 6);
             EXPECT_EQ(s.AircraftList(1).HeadingSector, 2);
             EXPECT_EQ(s.AircraftList(2).HeadingSector, 0);
             EXPECT_EQ(s.AircraftList(3).HeadingSector, 0);
             EXPECT_EQ(s.AircraftList(4).HeadingSector, 0);
             EXPECT_EQ(s.AircraftList(5).HeadingSector, 0);
             EXPECT_EQ(s.AircraftList(6).HeadingSector, 0);  // the value is " Northwest"
         }},
        {"duplicate key in a block", Turn({"[AIRCRAFT]", "NAME=A", "NAME=B", "[ENDAIRCRAFT]"}),
         Complete(5), [](const SharedSubsAndVar& s) { EXPECT_EQ(s.AircraftList(1).Name, "B"); }},
        {"a block without its end line",
         Turn({"[AIRCRAFT]", "NAME=Ilse Marrow", "TEAM=1"}), Failed(5),
         [](const SharedSubsAndVar& s) {
             ASSERT_EQ(s.AircraftCount(), 1);
             EXPECT_EQ(s.AircraftList(1).Name, "Ilse Marrow");
             EXPECT_EQ(s.AircraftList(1).Team, 1);
         }},
        {"a bad number inside a block keeps the block counted",
         Turn({"X=1", "[AIRCRAFT]", "NAME=Ilse Marrow", "ALTITUDE=high", "TEAM=2",
               "[ENDAIRCRAFT]"}),
         Failed(5),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnX, 1.0f);
             ASSERT_EQ(s.AircraftCount(), 1);
             EXPECT_EQ(s.AircraftList(1).Name, "Ilse Marrow");
             EXPECT_EQ(s.AircraftList(1).Altitude, 0);
             EXPECT_EQ(s.AircraftList(1).Team, 0);
         }},
        {"a lower-case section line: its lines are top-level lines",
         Turn({"[aircraft]", "NAME=Ilse Marrow", "X=3", "Y=4", "ALTITUDE=500", "AIRSPEED=200",
               "TEAM=7", "SQUAD=Kites", "ARENA=2", "HEADING=East", "[ENDAIRCRAFT]"}),
         Failed(11),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.AircraftCount(), 0);
             EXPECT_EQ(s.OwnX, 3.0f);
             EXPECT_EQ(s.OwnY, 4.0f);
             EXPECT_EQ(s.OwnAltitude, 500);
             EXPECT_EQ(s.OwnAirspeed, 200);
             EXPECT_EQ(s.OwnTeam, 7);
             EXPECT_EQ(s.OwnSquad, "Kites");
             EXPECT_EQ(s.ArenaMode, 2);
         }},
        {"a section line with a blank opens nothing", Turn({"[AIRCRAFT] ", "X=3"}), Complete(3),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.AircraftCount(), 0);
             EXPECT_EQ(s.OwnX, 3.0f);
         }},
        {"a lone CR in a text value is kept",
         std::string(kTurnFileHeader) + "\r\n[AIRCRAFT]\r\nNAME=Ilse\rMarrow\r\n[ENDAIRCRAFT]\r\n",
         Complete(4),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.AircraftList(1).Name, "Ilse\rMarrow"); }},
        {"an end line followed by a lone CR is no end line",
         std::string(kTurnFileHeader) + "\r\n[AIRCRAFT]\r\n[ENDAIRCRAFT]\r\r\n",
         Failed(4), [](const SharedSubsAndVar& s) { EXPECT_EQ(s.AircraftCount(), 1); }},
        {"NUL and bytes above 127 are kept",
         Turn({"[AIRCRAFT]", std::string_view("NAME=J\xc3\xbcrgen\0X", 14),
               "PLANE=\xff\xfe", "[ENDAIRCRAFT]", std::string_view("X\0=5", 4)}),
         Complete(6),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.AircraftList(1).Name, std::string_view("J\xc3\xbcrgen\0X", 9));
             EXPECT_EQ(s.AircraftList(1).Plane, "\xff\xfe");
             EXPECT_EQ(s.OwnX, 0.0f);
         }},

        // --- [OBJECTIVE]
        {"objectives",
         Turn({"[OBJECTIVE]", "ONAME=Fuel Depot", "OX=4.5", "OY=-2", "OALT=1500.5",
               "[ENDOBJECTIVE]", "[OBJECTIVE]", "ONAME=Bridge", "[ENDOBJECTIVE]"}),
         Complete(10),
         [](const SharedSubsAndVar& s) {
             ASSERT_EQ(s.ObjectiveCount(), 2);
             EXPECT_EQ(s.ObjectiveList(1).Name, "Fuel Depot");
             EXPECT_EQ(s.ObjectiveList(1).X, 4.5f);
             EXPECT_EQ(s.ObjectiveList(1).Y, -2.0f);
             EXPECT_EQ(s.ObjectiveList(1).Altitude, 1500.5f);
             EXPECT_EQ(s.ObjectiveList(2).Name, "Bridge");
             EXPECT_EQ(s.ObjectiveList(2).X, 0.0f);
         }},
        {"an objective's bad real number", Turn({"[OBJECTIVE]", "ONAME=Bridge", "OALT=high"}),
         Failed(4),
         [](const SharedSubsAndVar& s) {
             ASSERT_EQ(s.ObjectiveCount(), 1);
             EXPECT_EQ(s.ObjectiveList(1).Name, "Bridge");
         }},

        // --- [COMBAT]
        {"a combat report",
         Turn({"[COMBAT]", "Turn 14: Ilse Marrow hit your left wing.", "",
               "  You hit Corin Vale.", "[ENDCOMBAT]"}),
         Complete(6),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.CombatText,
                       "Turn 14: Ilse Marrow hit your left wing.\r\n\r\n  You hit Corin Vale.\r\n");
         }},
        {"key lines inside [COMBAT] are report text",
         Turn({"[COMBAT]", "X=5", "[AIRCRAFT]", "[ENDCOMBAT]", "Y=2"}), Complete(6),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.CombatText, "X=5\r\n[AIRCRAFT]\r\n");
             EXPECT_EQ(s.OwnX, 0.0f);
             EXPECT_EQ(s.OwnY, 2.0f);
             EXPECT_EQ(s.AircraftCount(), 0);
         }},
        {"two [COMBAT] blocks: the second replaces the first",
         Turn({"[COMBAT]", "first", "[ENDCOMBAT]", "[COMBAT]", "second", "third",
               "[ENDCOMBAT]"}),
         Complete(8),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.CombatText, "second\r\nthird\r\n"); }},
        {"an empty [COMBAT] block empties the report", Turn({"[COMBAT]", "[ENDCOMBAT]"}),
         Complete(3), [](const SharedSubsAndVar& s) { EXPECT_EQ(s.CombatText, ""); }},
        {"a combat block without its end line", Turn({"[COMBAT]", "line one"}), Failed(4),
         [](const SharedSubsAndVar& s) { EXPECT_EQ(s.CombatText, "line one\r\n"); }},
        {"combat text keeps a lone CR, NUL and blanks",
         std::string(kTurnFileHeader) + "\r\n[COMBAT]\r\na\rb\r\n" + std::string(1, '\0') +
             " \r\n[ENDCOMBAT]",
         Complete(5),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.CombatText, std::string("a\rb\r\n") + '\0' + " \r\n");
         }},

        // --- order of blocks and lines
        {"blocks and top-level lines in any order",
         Turn({"[OBJECTIVE]", "ONAME=Bridge", "[ENDOBJECTIVE]", "X=1", "[AIRCRAFT]",
               "NAME=A", "[ENDAIRCRAFT]", "[COMMAND]", "NAME=C", "[ENDCOMMAND]", "Y=2",
               "[AIRCRAFT]", "NAME=B", "[ENDAIRCRAFT]"}),
         Complete(15),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.AircraftCount(), 2);
             EXPECT_EQ(s.AircraftList(2).Name, "B");
             EXPECT_EQ(s.ObjectiveCount(), 1);
             EXPECT_EQ(s.NumCommands(), 1);
             EXPECT_EQ(s.OwnX, 1.0f);
             EXPECT_EQ(s.OwnY, 2.0f);
         }},
        {"a very long line", Turn({"SQUAD=" + std::string(1 << 20, 'w'), std::string(1 << 20, ' '),
                                   "X=" + std::string(1 << 16, ' ') + "3"}),
         Complete(4),
         [](const SharedSubsAndVar& s) {
             EXPECT_EQ(s.OwnSquad.size(), std::size_t{1} << 20);
             EXPECT_EQ(s.OwnX, 3.0f);
         }},
    };
    return kSnippets;
}

TEST(ReadTurnData, Snippets) {
    for (const Snippet& snippet : Snippets()) {
        SCOPED_TRACE(snippet.name);
        SharedSubsAndVar s;
        s.SelectedAircraft = 9;
        s.OrderHeading = 123;
        s.OrderThrottle = 42;
        EXPECT_EQ(ReadTurnData(snippet.bytes, s), snippet.outcome);
        if (snippet.check) {
            snippet.check(s);
        }
        // The reader leaves the window's and the order state to the windows.
        EXPECT_EQ(s.SelectedAircraft, 9);
        EXPECT_EQ(s.OrderHeading, 123);
        EXPECT_EQ(s.OrderThrottle, 42);
    }
}

TEST(ReadTurnData, EveryEndEmptiesTheListsFirst) {
    const std::string full = Turn({"[AIRCRAFT]", "[ENDAIRCRAFT]", "[OBJECTIVE]", "[ENDOBJECTIVE]",
                                   "[COMMAND]", "[ENDCOMMAND]", "X=4"});
    for (const std::string& second :
         {std::string(), std::string("not a turn file\r\n"), Turn({}), Turn({"X=5"})}) {
        SharedSubsAndVar s;
        ASSERT_EQ(ReadTurnData(full, s), Complete(8));
        ASSERT_EQ(s.AircraftCount(), 1);
        ReadTurnData(second, s);
        EXPECT_EQ(s.AircraftCount(), 0);
        EXPECT_EQ(s.ObjectiveCount(), 0);
        EXPECT_EQ(s.NumCommands(), 0);
    }
}

std::string ManyBlocks(std::string_view start, std::string_view end, int count) {
    std::string text(kTurnFileHeader);
    text += "\r\n";
    for (int i = 0; i < count; ++i) {
        text.append(start).append("\r\n").append(end).append("\r\n");
    }
    return text;
}

TEST(ReadTurnData, AtMost32767AircraftAndObjectives) {
    SharedSubsAndVar s;
    EXPECT_EQ(ReadTurnData(ManyBlocks("[AIRCRAFT]", "[ENDAIRCRAFT]", 32767), s),
              Complete(1 + 2 * 32767));
    EXPECT_EQ(s.AircraftCount(), 32767);
    // The 32768th section line fails, before its record is made.
    EXPECT_EQ(ReadTurnData(ManyBlocks("[AIRCRAFT]", "[ENDAIRCRAFT]", 32768), s),
              Failed(2 + 2 * 32767));
    EXPECT_EQ(s.AircraftCount(), 32767);
    EXPECT_EQ(ReadTurnData(ManyBlocks("[OBJECTIVE]", "[ENDOBJECTIVE]", 32768), s),
              Failed(2 + 2 * 32767));
    EXPECT_EQ(s.ObjectiveCount(), 32767);
    EXPECT_EQ(s.AircraftCount(), 0);
}

TEST(ReadTurnData, NoLimitOnCommands) {
    SharedSubsAndVar s;
    EXPECT_EQ(ReadTurnData(ManyBlocks("[COMMAND]", "[ENDCOMMAND]", 40000), s),
              Complete(1 + 2 * 40000));
    EXPECT_EQ(s.NumCommands(), 40000);
}

TEST(StartOrderValues, FromTheOwnAircraft) {
    SharedSubsAndVar s;
    ASSERT_EQ(ReadTurnData(Turn({"HEADING=400", "ALTITUDE=3000"}), s), Complete(3));
    s.OrderThrottle = 40;
    StartOrderValues(s);
    EXPECT_EQ(s.OrderHeading, 400);
    EXPECT_EQ(s.OrderAltitude, 3000);
    EXPECT_EQ(s.OrderThrottle, 100);
}

// A key table finds what ParseKeyword finds with each key of the table in turn, both when it may
// read only the line (the walk) and when it may read on into what follows (eight bytes at a time).
TEST(KeyTable, AgreesWithParseKeyword) {
    const std::vector<std::string_view> lines = {"HEADING=90",
                                                 " heading = 90",
                                                 "H E A D I N G =>",
                                                 "XY=5",
                                                 "X=5",
                                                 "x =  5>6",
                                                 ">X=5",
                                                 "X>=5",
                                                 "STR~ a b",
                                                 "s t r ~x",
                                                 "INT~",
                                                 "INT=3",
                                                 "NAME=",
                                                 "ONAME=Depot",
                                                 "OX=1",
                                                 "DAMAGERIGHTWING=2",
                                                 "damagerightwing=",
                                                 "DAMAGERIGHTWINGS=2",
                                                 "DAMAGERIGHTWIN G=2",
                                                 "DAMAGERIGHTWING",
                                                 "DAMAGERIGHTWINGDAMAGE",
                                                 "PVICTORIES=1",
                                                 "VICTORIES=1",
                                                 "VISIBILITY=1",
                                                 "VISIBILITY",
                                                 "",
                                                 "   ",
                                                 "=",
                                                 "~",
                                                 "[AIRCRAFT]",
                                                 "\tX=1",
                                                 std::string_view("X\0=1", 4),
                                                 "ARENA = 1 > 2",
                                                 "AIRCRAFT=Kestrel",
                                                 "AIRSPEED=250",
                                                 "D A M A G E E N G I N E=1",
                                                 "ALTITUDE=1>2>3",
                                                 "ALTITUDE=12345678>",
                                                 "ALTITUDE=123456789",
                                                 "NAME=a long value >here",
                                                 "\xc1LTITUDE=1",
                                                 "ALTITUD\xc5=1",
                                                 "@LTITUDE=1",
                                                 "[LTITUDE=1",
                                                 "{LTITUDE=1",
                                                 "`X=1",
                                                 "X`=1",
                                                 "PIC=\r",
                                                 "Y= ",
                                                 "OALT=~",
                                                 "OALT~=1",
                                                 "HEADING==90",
                                                 "HEADING~=90"};
    // What may follow a line in the file: its line end, then anything.
    const std::vector<std::string_view> followers = {"",
                                                     "\r\n",
                                                     "\n",
                                                     "\rZZZZZZZZZZZZZZZZ",
                                                     "\n>>>>>>>>>>>>>>>>",
                                                     "\n================",
                                                     "\n~~~~~~~~~~~~~~~~",
                                                     "\n                "};
    const std::vector<std::span<const std::string_view>> tables = {kTopLevelKeys, kCommandKeys,
                                                                   kAircraftKeys, kObjectiveKeys};
    for (const auto& keys : tables) {
        const KeyTable table(keys);
        for (const std::string_view line : lines) {
            int expectedIndex = -1;
            std::string expectedValue;
            for (std::size_t k = 0; k < keys.size(); ++k) {
                bool found = false;
                std::string value;
                ParseKeyword(line, keys[k], value, found);
                if (found) {
                    EXPECT_EQ(expectedIndex, -1) << "two keys match " << line;
                    expectedIndex = static_cast<int>(k);
                    expectedValue = value;
                }
            }
            for (const std::string_view follower : followers) {
                const std::string bytes = std::string(line) + std::string(follower);
                const std::string_view view(bytes.data(), line.size());
                for (const std::size_t readable : {std::size_t{0}, bytes.size()}) {
                    std::string_view value = "untouched";
                    EXPECT_EQ(table.Find(view, value, readable), expectedIndex)
                        << '"' << line << "\" + readable " << readable;
                    EXPECT_EQ(value, expectedIndex >= 0 ? std::string_view(expectedValue)
                                                        : std::string_view("untouched"))
                        << '"' << line << "\" + readable " << readable;
                }
            }
        }
    }
}

TEST(KeyTable, RejectsKeysOfAnotherForm) {
    const auto make = [](std::vector<std::string_view> keys) { return KeyTable(keys); };
    EXPECT_NO_THROW(make({"A=", "B~", "ABCDEFGHIJKLMNO="}));
    EXPECT_ANY_THROW(make({"name="}));
    EXPECT_ANY_THROW(make({"A=B="}));
    EXPECT_ANY_THROW(make({"AB"}));
    EXPECT_ANY_THROW(make({""}));
    EXPECT_ANY_THROW(make({"ABCDEFGHIJKLMNOP="}));  // 17 characters
    EXPECT_ANY_THROW(make({"A=", "A="}));
    std::vector<std::string> many;
    for (char c = 'A'; c <= 'Z'; ++c) {
        many.push_back(std::string(1, c) + "=");
        many.push_back(std::string(1, c) + "~");
    }
    const std::vector<std::string_view> views(many.begin(), many.end());
    EXPECT_ANY_THROW(make(std::vector<std::string_view>(views.begin(), views.begin() + 33)));
    EXPECT_NO_THROW(make(std::vector<std::string_view>(views.begin(), views.begin() + 32)));
}

}  // namespace
}  // namespace velmora
