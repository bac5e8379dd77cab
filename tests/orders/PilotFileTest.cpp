#include "PilotFile.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PilotFile, WrittenBytesReadBack) {
    struct Row {
        const char* name;
        const char* password;
        std::string_view bytes;
    };
    const Row rows[] = {
        {"Red Baron", "s3cret", "\"Red Baron\"\r\n\"s3cret\"\r\n"},
        {"  padded  ", " x ", "\"  padded  \"\r\n\" x \"\r\n"},
        {"Baron, Red", "a,b", "\"Baron, Red\"\r\n\"a,b\"\r\n"},
        {"Jo \"Ace\" X", "p\"", "\"Jo \"\"Ace\"\" X\"\r\n\"p\"\"\"\r\n"},
        {"", "", "\"\"\r\n\"\"\r\n"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(PilotFileBytes(r.name, r.password), r.bytes) << r.name;
        SharedSubsAndVar s;
        EXPECT_TRUE(LoadPilotLogin(s, r.bytes)) << r.name;
        EXPECT_EQ(s.PilotName, r.name);
        EXPECT_EQ(s.PilotPassword, r.password);
    }
}

TEST(PilotFile, ReadingOtherFiles) {
    struct Row {
        const char* what;
        std::string_view bytes;
        bool complete;
        std::string_view name;  // what PilotName and PilotPassword hold after the read
        std::string_view password;
    };
    const Row rows[] = {
        {"empty file", "", false, "old", "old"},
        {"only the name line", "\"Jo\"\r\n", false, "Jo", "old"},
        {"name cut short", "\"Jo", false, "old", "old"},
        {"password cut short", "\"Jo\"\r\n\"pw", false, "Jo", "old"},
        {"bare LF lines", "\"Jo\"\n\"pw\"\n", true, "Jo", "pw"},
        {"unquoted fields", "  Jo Smith \t\r\npw\r\n", true, "Jo Smith", "pw"},
        {"a single quote ends the classic field", "\"Jo\"e\"\r\n\"pw\"\r\n", true, "Jo", "pw"},
        {"NUL inside", std::string_view("\"a\0b\"\r\n\"c\"", 10), true, std::string_view("a\0b", 3),
         "c"},
    };
    for (const Row& r : rows) {
        SharedSubsAndVar s;
        s.PilotName = "old";
        s.PilotPassword = "old";
        EXPECT_EQ(LoadPilotLogin(s, r.bytes), r.complete) << r.what;
        EXPECT_EQ(s.PilotName, r.name) << r.what;
        EXPECT_EQ(s.PilotPassword, r.password) << r.what;
    }
}

}  // namespace
}  // namespace velmora
