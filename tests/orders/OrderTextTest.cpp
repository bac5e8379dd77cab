#include "OrderText.h"

#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

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

TEST(RadioMessage, BlocksByKind) {
    struct Row {
        int16_t kind;
        const char *to, *message, *caption, *block;
    };
    const Row rows[] = {
        {0, "AB", "hello", "Private Radio Message",
         "\n\nRadio Transmission:AB\nhello\nEnd Transmission"},
        {0, "", "", "Private Radio Message", "\n\nRadio Transmission:\n\nEnd Transmission"},
        {0, "\xC3\xA9\nBC", "x", "Private Radio Message",
         "\n\nRadio Transmission:\xC3\xA9"
         "B\nx\nEnd Transmission"},
        {2, "AB", "first\nsecond", "Team Radio Message",
         "\n\nTeam Radio Transmission:\nfirst\nsecond\nEnd Transmission"},
        {7, "AB", "a\r\nb\rc", "Squadron Radio Message",
         "\n\nSquadron Radio Transmission:\na\nb\nc\nEnd Transmission"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(RadioCaption(r.kind), r.caption) << r.block;
        EXPECT_EQ(RadioToEnabled(r.kind), r.kind == 0) << r.block;
        EXPECT_EQ(RadioBlock(r.kind, r.to, r.message), crlf(r.block));
    }
}

CommandDef command(const char* name, std::initializer_list<ParamDef> params) {
    CommandDef c;
    c.Name = name;
    std::copy(params.begin(), params.end(), c.Params.begin() + 1);
    return c;
}

TEST(OrderText, NothingCheckedIsFiveLines) {
    SharedSubsAndVar s;
    s.PilotName = "Jo";
    s.PilotPassword = "pw";
    s.OrderAltitude = -5;
    EXPECT_EQ(BuildOrderText(s, PadChecks{}),
              crlf("Name=Jo\nPassword=pw\nSet Heading: 0\nSet Altitude:-5\nThrottle: 0"));
}

TEST(OrderText, CustomCommandLines) {
    struct Row {
        CommandDef command;
        const char* line;
    };
    const Row rows[] = {
        {command("Strafe", {{"Target", "String", "Alpha 1"}, {"Range", "Integer", 7.0}}),
         "Strafe:Alpha 1, 7"},
        {command("Fix", {{"A", "Integer", 2.5}, {"B", "Integer", -3.0}, {"C", "Integer", 0.25}}),
         "Fix: 2.5,-3, 0.25"},
        {command("Big", {{"N", "Integer", 123456789012345.0}}), "Big: 123456789012345"},
        {command("Odd", {{"T", "string", "lower-case kind is text"}}),
         "Odd:lower-case kind is text"},
        {command("Gap", {{"A", "Integer", 1.0}, {}, {"C", "String", "c"}}), "Gap: 1, c"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(CustomCommandLine(r.command), r.line);
    }
}

TEST(OrderText, WholeOrdersMatchTheGoldenFile) {
    SharedSubsAndVar s;
    s.PilotName = "Red Baron";
    s.PilotPassword = "s3cret";
    s.OrderHeading = 6;
    s.OrderAltitude = 5000;
    s.OrderThrottle = 90;
    s.Commands.Append() =
        command("Strafe", {{"Target", "String", "Alpha 1"}, {"Range", "Integer", 7.5}});
    s.Commands.Append() = command("Climb", {{"Rate", "Integer", 0.0}});
    s.Commands.Append() = command("Drop", {});
    s.Commands.Append() =  // never answered
        command("Signal", {{"A", "String", ""}, {"B", "Integer", 0.0}, {"C", "String", ""}});
    s.Commands.Append() = command("Hold", {});
    s.Commands.Append() = command("NoItem", {});
    PadChecks checks;
    checks.SplitS = checks.BailOut = true;
    checks.Commands = {true, false, true, true, false};
    s.RadioKind = kRadioPrivate;
    AppendRadioMessage(s, "AB", "hello");
    s.RadioKind = kRadioTeam;
    AppendRadioMessage(s, "", "first line\nsecond line");

    std::ifstream in(ORDERS_TEST_DATA_DIR "/full-orders.txt", std::ios::binary);
    const std::string golden{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(golden.empty());
    const std::string radio = s.RadioMessages;
    std::string text = BuildOrderText(s, checks);
    EXPECT_EQ(SavedOrderText(text), golden);
    EXPECT_EQ(ClipboardOrderText(text), golden.substr(0, golden.size() - 2));
    EXPECT_EQ(s.RadioMessages, radio);  // building changes nothing
    std::erase(text, '\r');             // as the text box hands it back
    EXPECT_EQ(SavedOrderText(text), golden);
}

TEST(OrderText, AddressAndSaveDefaults) {
    SharedSubsAndVar s;
    DefaultServerAddr(s);
    EXPECT_EQ(s.ServerAddr, "gamemaster@skelmar.example.org");
    s.ServerAddr = "gm@turns.example.net";
    DefaultServerAddr(s);
    EXPECT_EQ(InstructionLine(s.ServerAddr),
              "Copy and paste these commands into an e-Mail message to gm@turns.example.net.  "
              "Put the words 'Flight Controls' in the subject.");
    EXPECT_EQ(DefaultSaveFileName("03-07-2026"), "sMV_Turn_03-07-2026.txt");
}

}  // namespace
}  // namespace velmora
