#include "CommandPrompt.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ReadTypedNumber, ForgivingReading) {
    const std::pair<const char*, double> rows[] = {
        // clang-format off
        {"12", 12}, {"2.5", 2.5}, {"12abc", 12}, {"1 2", 12}, {"-3", -3}, {"1,5", 1},
        {"1e3", 1000}, {"abc", 0}, {"", 0}, {" \t-\n7.25", -7.25}, {"+.5", 0.5}, {"1.2.3", 1.2},
        {"2E-2x", 0.02}, {"1e+", 1}, {"+-3", 0}, {"\r5", 0}, {"&H1F", 31}, {"&hff", 255},
        {"&O17", 15}, {"&o19", 1}, {"-&H10", 0}, {"1e999", 0}, {"-1e999", 0}, {"1e-999", 0},
        // clang-format on
    };
    for (const auto& [text, value] : rows) {
        EXPECT_EQ(ReadTypedNumber(text), value) << '"' << text << '"';
    }
    EXPECT_EQ(ReadTypedNumber(std::string(400, '9')), 0);  // beyond a double
    EXPECT_EQ(ReadTypedNumber("123456789012345"), 123456789012345.0);
}

SharedSubsAndVar withCommand(std::initializer_list<std::pair<const char*, const char*>> params) {
    SharedSubsAndVar s;
    CommandDef& c = s.Commands.Append();
    std::size_t slot = 1;
    for (const auto& [name, kind] : params) {
        ParamDef& p = c.Params[slot++];
        p.Name = name;
        p.Kind = kind;
        p.Value = std::string(kind) == "Integer" ? ParamValue(0.0) : ParamValue(std::string());
    }
    s.CurrentCommand = 1;
    return s;
}

TEST(CommandPrompt, AsksEachNamedSlotAndStoresByKind) {
    SharedSubsAndVar s = withCommand({{"Target", "String"}, {"Range", "Integer"}});
    EXPECT_EQ(StartPrompt(s).Instructions, "Enter in Target:");
    PromptStep step = AnswerPrompt(s, " Alpha 1 ");
    EXPECT_EQ(step.Instructions, "Enter in Range:");
    EXPECT_FALSE(step.Done);
    EXPECT_TRUE(AnswerPrompt(s, "7.5").Done);
    EXPECT_EQ(s.Commands(1).Params[1].Value, ParamValue(std::string(" Alpha 1 ")));
    EXPECT_EQ(s.Commands(1).Params[2].Value, ParamValue(7.5));

    s = withCommand(
        {{"A", "Integer"}, {"B", "String"}, {"C", "Integer"}, {"D", "Integer"}, {"E", "String"}});
    StartPrompt(s);
    for (const char* answer : {"1", "", "", "x", "last"}) {
        const bool done = AnswerPrompt(s, answer).Done;
        EXPECT_EQ(done, s.CurrentParam == 6) << answer;
    }
    EXPECT_EQ(s.Commands(1).Params[4].Value, ParamValue(0.0));
    EXPECT_EQ(s.Commands(1).Params[5].Value, ParamValue(std::string("last")));
}

TEST(CommandPrompt, RestartAndCommandsWithoutSlots) {
    SharedSubsAndVar s = withCommand({{"Target", "String"}, {"Range", "Integer"}});
    s.Commands.Append().Name = "Loiter";  // no parameters
    StartPrompt(s);
    AnswerPrompt(s, "Bravo");

    // Another command picked while the prompt is open: it starts again at its first slot.
    s.CurrentCommand = 2;
    EXPECT_EQ(StartPrompt(s).Instructions, "Enter in :");
    EXPECT_TRUE(AnswerPrompt(s, "ignored").Done);
    EXPECT_EQ(s.Commands(1).Params[1].Value, ParamValue(std::string("Bravo")));

    // A newer turn file left the picked command behind: one bare question, nothing stored.
    for (const int16_t missing : {0, 3}) {
        s.CurrentCommand = missing;
        EXPECT_EQ(StartPrompt(s).Instructions, "Enter in :");
        EXPECT_TRUE(AnswerPrompt(s, "5").Done);
    }
}

}  // namespace
}  // namespace velmora
