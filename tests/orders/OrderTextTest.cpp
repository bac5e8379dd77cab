#include "OrderText.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "CommandPrompt.h"
#include "RadioMessage.h"

namespace velmora {
namespace {

// Goldens are written with LF in the source; the system's texts use CR LF.
std::string crlf(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RadioMessage, BlocksByKind) {
    struct Row {
        int16_t kind;
        const char* to;
        const char* message;
        const char* caption;
        bool toEnabled;
        const char* block;
    };
    const Row rows[] = {
        {0, "AB", "hello", "Private Radio Message", true,
         "\n\nRadio Transmission:AB\nhello\nEnd Transmission"},
        {0, "", "", "Private Radio Message", true, "\n\nRadio Transmission:\n\nEnd Transmission"},
        {0, "ABC\n", "x", "Private Radio Message", true,
         "\n\nRadio Transmission:AB\nx\nEnd Transmission"},
        {0, "\xC3\xA9\xC3\xA8z", "x", "Private Radio Message", true,
         "\n\nRadio Transmission:\xC3\xA9\xC3\xA8\nx\nEnd Transmission"},
        {2, "AB", "first\nsecond", "Team Radio Message", false,
         "\n\nTeam Radio Transmission:\nfirst\nsecond\nEnd Transmission"},
        {1, "AB", "a\r\nb\rc", "Squadron Radio Message", false,
         "\n\nSquadron Radio Transmission:\na\nb\nc\nEnd Transmission"},
        {7, "", "m", "Squadron Radio Message", false,
         "\n\nSquadron Radio Transmission:\nm\nEnd Transmission"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(RadioCaption(r.kind), r.caption) << r.block;
        EXPECT_EQ(RadioToEnabled(r.kind), r.toEnabled) << r.block;
        EXPECT_EQ(RadioBlock(r.kind, r.to, r.message), crlf(r.block));
    }
}

CommandDef command(const char* name, std::initializer_list<ParamDef> params) {
    CommandDef c;
    c.Name = name;
    std::size_t slot = 1;
    for (const ParamDef& p : params) {
        c.Params[slot++] = p;
    }
    return c;
}

TEST(OrderText, NothingCheckedIsFiveLines) {
    struct Row {
        int16_t heading, altitude, throttle;
        const char* text;
    };
    for (const Row r :
         {Row{90, 5000, 100,
              "Name=Jo\nPassword=pw\nSet Heading: 90\nSet Altitude: 5000\n"
              "Throttle: 100"},
          {0, -5, 0, "Name=Jo\nPassword=pw\nSet Heading: 0\nSet Altitude:-5\nThrottle: 0"}}) {
        SharedSubsAndVar s;
        s.PilotName = "Jo";
        s.PilotPassword = "pw";
        s.OrderHeading = r.heading;
        s.OrderAltitude = r.altitude;
        s.OrderThrottle = r.throttle;
        const std::string text = BuildOrderText(s, PadChecks{});
        EXPECT_EQ(text, crlf(r.text));
        EXPECT_EQ(ClipboardOrderText(text), crlf(r.text));
        EXPECT_EQ(SavedOrderText(text), crlf(r.text) + "\r\n");
    }
}

TEST(OrderText, CustomCommandLines) {
    struct Row {
        CommandDef command;
        const char* line;
    };
    const Row rows[] = {
        {command("Climb", {{"Rate", "Integer", 2.5}}), "Climb: 2.5"},
        {command("Climb", {{"Rate", "Integer", -3.0}}), "Climb:-3"},
        {command("Strafe", {{"Target", "String", "Alpha 1"}, {"Range", "Integer", 7.0}}),
         "Strafe:Alpha 1, 7"},
        {command("Drop", {}), "Drop:"},
        {command("Signal", {{"A", "String", ""}, {"B", "Integer", 0.0}, {"C", "String", ""}}),
         "Signal:, 0, "},
        {command("Fix", {{"A", "Integer", 2.5}, {"B", "Integer", -3.0}, {"C", "Integer", 0.25}}),
         "Fix: 2.5,-3, 0.25"},
        {command("Big", {{"N", "Integer", 123456789012345.0}}), "Big: 123456789012345"},
        {command("Odd", {{"T", "string", "lower-case kind is text"}}),
         "Odd:lower-case kind is text"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(CustomCommandLine(r.command), r.line);
    }
    // An empty slot is passed over; later named slots still count.
    CommandDef gap = command("Gap", {{"A", "Integer", 1.0}});
    gap.Params[3] = {"C", "String", "c"};
    EXPECT_EQ(CustomCommandLine(gap), "Gap: 1, c");
}

TEST(OrderText, WholeOrdersMatchTheGoldenFile) {
    SharedSubsAndVar s;
    s.PilotName = "Red Baron";
    s.PilotPassword = "s3cret";
    s.Ceiling = 8000;
    s.OrderHeading = 355;
    s.OrderAltitude = 5000;
    s.OrderThrottle = 100;
    s.Commands.Append() = command("Strafe", {{"Target", "String", ""}, {"Range", "Integer", 0.0}});
    s.Commands.Append() = command("Climb", {{"Rate", "Integer", 0.0}});
    s.Commands.Append() = command("Drop", {});
    s.Commands.Append() =
        command("Signal", {{"A", "String", ""}, {"B", "Integer", 0.0}, {"C", "String", ""}});
    s.Commands.Append() = command("Hold", {});
    s.Commands.Append() = command("NoItem", {});

    PadChecks checks;
    StepArrow(s, PadArrow::HeadRight, ArrowEvent::Click);
    StepArrow(s, PadArrow::HeadRight, ArrowEvent::DblClick);
    StepArrow(s, PadArrow::ThrottleDown, ArrowEvent::Click);
    PickImmelmann(checks);
    PickSplitS(checks);
    PickBailOut(checks);
    for (const int item : {0, 2, 3}) {
        ASSERT_TRUE(PickCustomCommand(s, checks, item));
    }
    s.CurrentCommand = 1;
    StartPrompt(s);
    AnswerPrompt(s, "Alpha 1");
    AnswerPrompt(s, "7.5");
    PickRadio(s, checks, kRadioPrivate);
    AppendRadioMessage(s, "AB", "hello");
    PickRadio(s, checks, kRadioTeam);
    AppendRadioMessage(s, "", "first line\nsecond line");

    const std::string before = s.RadioMessages;
    const std::string text = BuildOrderText(s, checks);
    const std::string golden = readFile(ORDERS_TEST_DATA_DIR "/full-orders.txt");
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(SavedOrderText(text), golden);
    EXPECT_EQ(ClipboardOrderText(text), golden.substr(0, golden.size() - 2));
    EXPECT_EQ(BuildOrderText(s, checks), text);  // building changes nothing
    EXPECT_EQ(s.RadioMessages, before);
    // The text box hands back bare LF; copy and save restore CR LF.
    std::string boxText = text;
    std::erase(boxText, '\r');
    EXPECT_EQ(SavedOrderText(boxText), golden);
}

TEST(OrderText, AddressAndSaveDefaults) {
    SharedSubsAndVar s;
    DefaultServerAddr(s);
    EXPECT_EQ(s.ServerAddr, "gamemaster@skelmar.example.org");
    s.ServerAddr = "gm@turns.example.net";
    DefaultServerAddr(s);
    EXPECT_EQ(s.ServerAddr, "gm@turns.example.net");
    EXPECT_EQ(InstructionLine(s.ServerAddr),
              "Copy and paste these commands into an e-Mail message to gm@turns.example.net.  "
              "Put the words 'Flight Controls' in the subject.");
    EXPECT_EQ(DefaultSaveFileName("03-07-2026"), "sMV_Turn_03-07-2026.txt");
}

}  // namespace
}  // namespace velmora
