#include "CommandPrompt.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(ReadTypedNumber, ForgivingReading) {
    struct Row {
        const char* text;
        double value;
    };
    for (const Row r : {Row{"12", 12},
                        {"2.5", 2.5},
                        {"12abc", 12},
                        {"1 2", 12},
                        {"-3", -3},
                        {"1,5", 1},
                        {"1e3", 1000},
                        {"abc", 0},
                        {"", 0},
                        {" \t-\n7.25", -7.25},
                        {"+4", 4},
                        {".5", 0.5},
                        {"5.", 5},
                        {"1.2.3", 1.2},
                        {"2E-2x", 0.02},
                        {"1e", 1},
                        {"1e+", 1},
                        {"-", 0},
                        {"+-3", 0},
                        {"\r5", 0},  // only blanks, tabs and line feeds are skipped
                        {"&H1F", 31},
                        {"&hff", 255},
                        {"&O17", 15},
                        {"&o19", 1},
                        {"&H", 0},
                        {"&17", 0},
                        {"-&H10", 0},
                        {"1e999", 0},
                        {"-1e999", 0},
                        {"1e-999", 0},
                        {"1e99999999999999999999", 0}}) {
        EXPECT_EQ(ReadTypedNumber(r.text), r.value) << '"' << r.text << '"';
    }
    EXPECT_EQ(ReadTypedNumber(std::string(400, '9')), 0);  // beyond a double
    EXPECT_EQ(ReadTypedNumber("123456789012345"), 123456789012345.0);
}

CommandDef command(std::initializer_list<std::pair<const char*, const char*>> params) {
    CommandDef c;
    c.Name = "Strike";
    std::size_t slot = 1;
    for (const auto& [name, kind] : params) {
        ParamDef& p = c.Params[slot++];
        p.Name = name;
        p.Kind = kind;
        p.Value = std::string(kind) == "Integer" ? ParamValue(0.0) : ParamValue(std::string());
    }
    return c;
}

TEST(CommandPrompt, AsksEachNamedSlotAndStoresByKind) {
    SharedSubsAndVar s;
    s.Commands.Append() = command({{"Target", "String"}, {"Range", "Integer"}});
    s.CurrentCommand = 1;
    PromptStep step = StartPrompt(s);
    EXPECT_EQ(step.Instructions, "Enter in Target:");
    EXPECT_FALSE(step.Done);
    step = AnswerPrompt(s, " Alpha 1 ");
    EXPECT_EQ(step.Instructions, "Enter in Range:");
    step = AnswerPrompt(s, "7.5");
    EXPECT_TRUE(step.Done);
    EXPECT_EQ(s.CurrentParam, 3);
    const CommandDef& c = s.Commands(1);
    EXPECT_EQ(c.Params[1].Value, ParamValue(std::string(" Alpha 1 ")));
    EXPECT_EQ(c.Params[2].Value, ParamValue(7.5));
}

TEST(CommandPrompt, FiveSlotsThenDone) {
    SharedSubsAndVar s;
    s.Commands.Append() = command(
        {{"A", "Integer"}, {"B", "String"}, {"C", "Integer"}, {"D", "Integer"}, {"E", "String"}});
    s.CurrentCommand = 1;
    StartPrompt(s);
    for (const char* answer : {"1", "", "", "x", "last"}) {
        EXPECT_FALSE(s.CurrentParam > 5);
        const PromptStep step = AnswerPrompt(s, answer);
        EXPECT_EQ(step.Done, s.CurrentParam == 6) << answer;
    }
    EXPECT_EQ(s.Commands(1).Params[2].Value, ParamValue(std::string()));
    EXPECT_EQ(s.Commands(1).Params[3].Value, ParamValue(0.0));
    EXPECT_EQ(s.Commands(1).Params[4].Value, ParamValue(0.0));
    EXPECT_EQ(s.Commands(1).Params[5].Value, ParamValue(std::string("last")));
}

TEST(CommandPrompt, RestartAndCommandsWithoutSlots) {
    SharedSubsAndVar s;
    s.Commands.Append() = command({{"Target", "String"}, {"Range", "Integer"}});
    s.Commands.Append() = command({});
    s.Commands(2).Name = "Loiter";
    s.CurrentCommand = 1;
    StartPrompt(s);
    AnswerPrompt(s, "Bravo");

    // Another command picked while the prompt is open: it starts again at its first slot.
    s.CurrentCommand = 2;
    PromptStep step = StartPrompt(s);
    EXPECT_EQ(step.Instructions, "Enter in :");
    EXPECT_FALSE(step.Done);
    EXPECT_TRUE(AnswerPrompt(s, "ignored").Done);
    EXPECT_EQ(s.Commands(1).Params[1].Value, ParamValue(std::string("Bravo")));
    EXPECT_EQ(s.Commands(1).Params[2].Value, ParamValue(0.0));

    // A newer turn file left the picked command behind: one bare question, nothing stored.
    for (const int16_t missing : {int16_t{0}, int16_t{3}, int16_t{-1}}) {
        s.CurrentCommand = missing;
        EXPECT_EQ(StartPrompt(s).Instructions, "Enter in :");
        EXPECT_TRUE(AnswerPrompt(s, "5").Done);
    }
    s.CurrentCommand = 1;
    s.CurrentParam = 6;
    EXPECT_TRUE(AnswerPrompt(s, "5").Done);
    EXPECT_EQ(s.Commands(1).Params[2].Value, ParamValue(0.0));
}

}  // namespace
}  // namespace velmora
