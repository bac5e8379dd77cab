// The orders rules: pad steps and check marks, the parameter prompt, the pilot file, the radio
// blocks and the order text, down to the golden bytes of a whole order.

#include <fstream>
#include <iterator>
#include <tuple>

#include <gtest/gtest.h>

#include "orders/CommandPrompt.h"
#include "orders/FlightPad.h"
#include "orders/OrderText.h"
#include "orders/PilotFile.h"
#include "orders/RadioMessage.h"
#include "tests/support/CommaLocale.h"

namespace velmora {
namespace {

CommandDef Command(const char* name, std::initializer_list<ParamDef> params) {
    CommandDef c{name, {}};
    std::copy(params.begin(), params.end(), c.Params.begin() + 1);
    return c;
}

TEST(FlightPad, ArrowStepsWrapAndClamp) {
    using enum PadArrow;
    // Arrow, Ceiling, the value before, after Click and after the DblClick that follows it.
    const std::tuple<const char*, PadArrow, int16_t, int16_t, int16_t, int16_t> rows[] = {
        {"heading 32767 wraps from the true sum", HeadRight, 0, 32767, 8, 18},
        {"heading -32768 wraps from the true sum", HeadLeft, 0, -32768, 351, 341},
        {"altitude double up", AltUp, 6000, 3950, 4050, 5050},
        {"odd ceiling 32001", AltUp, 32001, 31950, 32001, 32001},
        {"throttle double up is two steps of 10", ThrottleUp, 0, 50, 60, 70},
        {"throttle at the 16-bit top", ThrottleUp, 0, 32767, 100, 100},
        {"throttle down from 0", ThrottleDown, 0, 0, 0, 0},
    };
    for (const auto& [name, arrow, ceiling, start, afterClick, afterDblClick] : rows) {
        SharedSubsAndVar s;
        s.Ceiling = ceiling;
        int16_t& value = arrow <= HeadRight ? s.OrderHeading
                         : arrow <= AltDown ? s.OrderAltitude
                                            : s.OrderThrottle;
        value = start;
        StepArrow(s, arrow, ArrowEvent::Click);
        const int16_t clicked = value;
        StepArrow(s, arrow, ArrowEvent::DblClick);
        EXPECT_EQ(std::pair(clicked, value), std::pair(afterClick, afterDblClick)) << name;
    }
}

TEST(FlightPad, CheckMarks) {
    SharedSubsAndVar s;
    for (const char* name : {"Strafe", "Climb", "Drop"}) {
        s.Commands.Append().Name = name;
    }
    PadChecks c;
    // The last command; another while the prompt is open; the last again, which only unchecks;
    // items left over from a turn with more commands and indices beyond the menu open nothing.
    std::vector<bool> opens;
    for (const int index : {2, 0, 2, 3, 4, 5, -1}) {
        opens.push_back(PickCustomCommand(s, c, index));
    }
    EXPECT_EQ(opens, (std::vector{true, true, false, false, false, false, false}));
    EXPECT_EQ(std::tuple(s.CurrentCommand, c.Commands),
              std::tuple(int16_t{1}, std::array{true, false, false, false, false}));

    // Split S and Immelmann: each clears the other; picked again, it clears itself. Bail Out
    // reverses its own mark only.
    std::vector<std::array<bool, 3>> maneuvers;
    for (void (*pick)(PadChecks&) : {PickSplitS, PickImmelmann, PickSplitS, PickSplitS, PickBailOut,
                                     PickBailOut, PickImmelmann, PickBailOut}) {
        pick(c);
        maneuvers.push_back({c.SplitS, c.Immelmann, c.BailOut});
    }
    // clang-format off
    EXPECT_EQ(maneuvers, (std::vector<std::array<bool, 3>>{
        {1, 0, 0}, {0, 1, 0}, {1, 0, 0}, {0, 0, 0}, {0, 0, 1}, {0, 0, 0}, {0, 1, 0}, {0, 1, 1}}));
    // clang-format on
    PickRadio(s, c, kRadioTeam);
    PickRadio(s, c, 7);
    PickRadio(s, c, kRadioPrivate);
    EXPECT_TRUE(s.RadioKind == kRadioPrivate && c.RadioTeam && c.RadioSquadron && c.RadioPrivate);
    s.RadioMessages = "block";
    ClearRadioMessages(s, c);  // clears the radio marks and nothing else
    EXPECT_EQ(std::vector({c.RadioTeam, c.RadioSquadron, c.RadioPrivate, c.Immelmann, c.BailOut,
                           c.Commands[0], s.RadioMessages.empty()}),
              (std::vector{false, false, false, true, true, true, true}));
}

TEST(CommandPrompt, ReadsTypedNumbersForgivinglyAndAsksEachNamedSlot) {
    const std::pair<const char*, double> rows[] = {
        // clang-format off
        {"12abc", 12}, {"1 2", 12}, {"1,5", 1}, {"abc", 0}, {" \t-\n7.25", -7.25}, {"+.5", 0.5},
        {"1.2.3", 1.2}, {"2E-2x", 0.02}, {"1e+", 1}, {"+-3", 0}, {"\r5", 0}, {"&hff", 255},
        {"&o19", 1}, {"&O178", 15}, {"-&H10", 0}, {"1e999", 0}, {"1e-999", 0},
        {"123456789012345", 123456789012345.0}, {"&H10000000000000000", 0},
        {"&HFFFFFFFFFFFFFFFF", 0xFFFFFFFFFFFFFFFFp0},
        // clang-format on
    };
    for (const auto& [text, value] : rows) {
        EXPECT_EQ(ReadTypedNumber(text), value) << '"' << text << '"';
    }

    // Each question in turn, a restart going back to the first; slots C and D are of kinds the
    // prompt does not know, so their answers are stored nowhere.
    SharedSubsAndVar s;
    // clang-format off
    s.Commands.Append() = Command("Strafe", {{"Target", "String", ""}, {"Range", "Integer", 0.0},
                                             {"C", "?", ""}, {"D", "?", ""}, {"E", "String", ""}});
    // clang-format on
    s.Commands.Append().Name = "Loiter";  // no parameters
    s.CurrentCommand = 1;
    const std::pair<const char*, const char*> script[] = {
        // clang-format off
        {nullptr, "Enter in Target:"}, {"x", "Enter in Range:"}, {nullptr, "Enter in Target:"},
        {" Alpha 1 ", "Enter in Range:"}, {"7.5", "Enter in C:"}, {"c", "Enter in D:"},
        {"4", "Enter in E:"}, {"last", "(done)"},
        // clang-format on
    };
    for (const auto& [answer, asked] : script) {
        const PromptStep step = answer ? AnswerPrompt(s, answer) : StartPrompt(s);
        EXPECT_EQ(step.Done ? "(done)" : step.Instructions, asked) << (answer ? answer : "start");
    }
    const auto& p = s.Commands(1).Params;
    EXPECT_EQ(std::tie(p[1].Value, p[2].Value, p[3].Value, p[4].Value, p[5].Value),
              std::tuple(ParamValue(" Alpha 1 "), ParamValue(7.5), ParamValue(), ParamValue(),
                         ParamValue("last")));

    // A command without slots, or one a newer turn file left behind: one bare question.
    for (const int16_t picked : {2, 0, 3}) {
        s.CurrentCommand = picked;
        EXPECT_EQ(StartPrompt(s).Instructions, "Enter in :") << picked;
        EXPECT_TRUE(AnswerPrompt(s, "5").Done) << picked;
    }
}

TEST(PilotFile, WrittenAndRead) {
    // The bytes; whether PilotFileBytes writes them; whether both fields are read; the name and
    // password held after the read ("old" when not read).
    const std::tuple<const char*, std::string_view, bool, bool, const char*, const char*> rows[] = {
        {"classic", "\"Red Baron\"\r\n\"s3cret\"\r\n", true, true, "Red Baron", "s3cret"},
        {"blanks and commas", "\" Baron, Red \"\r\n\"a,b\"\r\n", true, true, " Baron, Red ", "a,b"},
        {"quotes doubled", "\"Jo \"\"Ace\"\"\"\r\n\"p\"\"\"\r\n", true, true, "Jo \"Ace\"", "p\""},
        {"empty file", "", false, false, "old", "old"},
        {"password cut short", "\"Jo\"\r\n\"pw", false, false, "Jo", "old"},
        {"bare LF lines", "\"Jo\"\n\"pw\"\n", false, true, "Jo", "pw"},
        {"unquoted fields", "  Jo Smith \t, pw\r\n", false, true, "Jo Smith", "pw"},
        {"a stray quote after the field", "\"Jo\"e\"\r\n\"pw\"\r\n", false, true, "Jo", "pw"},
    };
    for (const auto& [what, bytes, written, complete, name, password] : rows) {
        if (written) {
            EXPECT_EQ(PilotFileBytes(name, password), bytes) << what;
        }
        SharedSubsAndVar s;
        s.PilotName = s.PilotPassword = "old";
        EXPECT_EQ(LoadPilotLogin(s, bytes), complete) << what;
        EXPECT_EQ(std::tie(s.PilotName, s.PilotPassword), std::tuple(name, password)) << what;
    }
}

TEST(RadioMessage, BlocksByKind) {
    // Plain private and team blocks are in the golden order text. The addressee keeps two
    // characters, a UTF-8 sequence counting as one, and never a line break.
    // Kind, addressee, message; the caption and the block.
    const std::tuple<int16_t, const char*, const char*, const char*, const char*> rows[] = {
        {0, "\303\251\nBC", "", "Private Radio Message",
         "\r\n\r\nRadio Transmission:\303\251B\r\n\r\nEnd Transmission"},
        {2, "AB", "first\nsecond", "Team Radio Message",
         "\r\n\r\nTeam Radio Transmission:\r\nfirst\r\nsecond\r\nEnd Transmission"},
        {7, "AB", "a\r\nb\rc", "Squadron Radio Message",
         "\r\n\r\nSquadron Radio Transmission:\r\na\r\nb\r\nc\r\nEnd Transmission"},
    };
    for (const auto& [kind, to, message, caption, block] : rows) {
        EXPECT_EQ(
            std::tuple(RadioToEnabled(kind), RadioCaption(kind), RadioBlock(kind, to, message)),
            std::tuple(kind == kRadioPrivate, caption, block))
            << caption;
    }
}

TEST(OrderText, WholeOrdersAndTheAddress) {
    // Whole orders match the golden file.
    SharedSubsAndVar s;
    PadChecks checks;
    std::tie(s.PilotName, s.PilotPassword, s.OrderHeading, s.OrderAltitude, s.OrderThrottle) =
        std::tuple("Red Baron", "s3cret", 6, 5000, 90);
    s.Commands.Append() =
        Command("Strafe", {{"Target", "String", "Alpha 1"}, {"Range", "Integer", 7.5}});
    // Numbers in caption notation after "," and text after ", "; a slot without a name is left
    // out, and a kind in lower case is text.
    // clang-format off
    s.Commands.Append() = Command("Climb", {{"Rate", "Integer", 2.5}, {}, {"Turn", "Integer", -3.0},
        {"Far", "Integer", 123456789012345.0}, {"Note", "string", "lower-case kind is text"}});
    // clang-format on
    s.Commands.Append() = Command("Drop", {});
    s.Commands.Append() =  // never answered
        Command("Signal", {{"A", "String", ""}, {"B", "Integer", 0.0}, {"C", "String", ""}});
    s.Commands.Append() = Command("Hold", {});
    s.Commands.Append() = Command("NoItem", {});
    checks.SplitS = checks.BailOut = checks.RadioPrivate = true;  // the private radio was picked
    checks.Commands = {true, true, true, true, false};
    s.RadioKind = kRadioPrivate;
    AppendRadioMessage(s, "AB", "hello");
    s.RadioKind = kRadioTeam;
    AppendRadioMessage(s, "", "first line\nsecond line");

    std::ifstream in(ORDERS_TEST_DATA_DIR "/full-orders.txt", std::ios::binary);
    const std::string golden{std::istreambuf_iterator<char>(in), {}};
    // The saved file ends with CR LF, the clipboard copy does not; the text box hands the text
    // back without CR.
    const auto check = [&] {
        std::string text = BuildOrderText(s, checks);
        EXPECT_EQ(ClipboardOrderText(text) + "\r\n", golden);
        std::erase(text, '\r');
        EXPECT_EQ(ClipboardOrderText(text) + "\r\n", golden);
    };
    check();
    // The game master reads the same numbers whatever language the pilot's desktop speaks.
    const test::CommaLocale comma;
    ASSERT_TRUE(comma.Active()) << comma.Error();
    check();

    // The instruction line names the built-in address when the turn file gave none.
    SharedSubsAndVar turn;
    DefaultServerAddr(turn);
    EXPECT_EQ(InstructionLine(turn.ServerAddr),
              "Copy and paste these commands into an e-Mail message to "
              "gamemaster@skelmar.example.org.  Put the words 'Flight Controls' in the subject.");
}

}  // namespace
}  // namespace velmora
