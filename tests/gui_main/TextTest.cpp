#include "GUI/Text.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(TurnText, Utf8OrLatin1) {
    EXPECT_EQ(ToQ("Hawk"), QString("Hawk"));
    EXPECT_EQ(ToQ("Jos\xC3\xA9"), QString::fromUtf8("Jos\xC3\xA9"));  // valid UTF-8
    EXPECT_EQ(ToQ("Jos\xE9"), QString::fromUtf8("Jos\xC3\xA9"));      // Latin-1 byte
    EXPECT_EQ(ToQ(std::string_view("a\0b", 3)).size(), 3);            // NUL kept, no cut
    EXPECT_EQ(FromQ(QString::fromUtf8("Jos\xC3\xA9")), "Jos\xC3\xA9");
}

}  // namespace
}  // namespace velmora
