// Text files written whole, byte for byte.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <string>
#include <tuple>

#include "platform/TextFile.h"

namespace velmora::test {
namespace {

std::string bytesOf(const QString& path) {
    QFile in(path);
    return in.open(QIODevice::ReadOnly) ? in.readAll().toStdString() : "<missing>";
}

// A file size limit makes the writes fail as a full disk would: part-way, or only when the last
// buffered bytes go out as the file is closed.
TEST(TextFiles, TheOldFileStaysWholeUnlessTheNewOneIsComplete) {
    QTemporaryDir folder;
    const QString file = folder.filePath("orders.txt");
    std::string line(1000, 'x');
    line[1] = '\0';
    // Lines written, whether the disk is full, the file then.
    const std::tuple<const char*, int, bool, std::string> rows[] = {
        {"failing part-way", 100, true, "old\r\n"},
        {"failing at the last flush", 5, true, "old\r\n"},
        {"complete", 2, false, line + "\r\n" + line + "\r\n"},
    };
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit full = saved;
    full.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& [name, lines, diskFull, after] : rows) {
        SCOPED_TRACE(name);
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old\r\n") == 5);
        old.close();
        TextFileWriter writer;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, diskFull ? &full : &saved), 0);
        bool wrote = writer.Create(file);
        for (int i = 0; wrote && i < lines; ++i) {
            wrote = writer.WriteLine(line);
        }
        EXPECT_EQ(bytesOf(file), "old\r\n") << "nothing replaced before Close";
        const bool closed = writer.Close();
        setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_EQ(closed, !diskFull);
        EXPECT_TRUE(!diskFull || !writer.ErrorString().isEmpty()) << "the failure is told";
        EXPECT_EQ(bytesOf(file), after);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
    }
    std::signal(SIGXFSZ, previousHandler);
}

}  // namespace
}  // namespace velmora::test
