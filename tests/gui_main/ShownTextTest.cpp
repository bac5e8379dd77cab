// What a window shows of a text from the turn file: its start, whole characters only, in the
// character set the whole text would be read in, and an ellipsis when anything is left out.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "GUI/Text.h"

namespace velmora::test {
namespace {

const QString kEllipsis(QChar(0x2026));

TEST(ShownText, KeepsTheStartOfALongTextInWholeCharacters) {
    const std::string eAcutes = QByteArray("\xC3\xA9").repeated(1000).toStdString();  // é
    const std::tuple<const char*, std::string, QString> rows[] = {
        {"at the limit: as it is", std::string(200, 'a'), QString(200, QLatin1Char('a'))},
        {"one beyond: cut with an ellipsis", std::string(201, 'a'),
         QString(200, QLatin1Char('a')) + kEllipsis},
        // 800 bytes are decoded; a cut inside a two-byte letter would turn the rest to Latin-1.
        {"UTF-8 letters", "a" + eAcutes,
         QStringLiteral("a") + QString(199, QChar(0xE9)) + kEllipsis},
        {"Latin-1 letters", std::string(300, '\xE9'), QString(200, QChar(0xE9)) + kEllipsis},
        // A letter beyond 16 bits is two UTF-16 units: never half of one.
        {"a pair cut at the limit", std::string(199, 'a') + "\xF0\x9F\x9B\xA9 tail",
         QString(199, QLatin1Char('a')) + kEllipsis},
    };
    for (const auto& [name, bytes, shown] : rows) {
        EXPECT_EQ(ShownText(bytes).toStdU16String(), shown.toStdU16String()) << name;
    }
}

}  // namespace
}  // namespace velmora::test
