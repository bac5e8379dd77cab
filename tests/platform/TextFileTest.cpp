// Text files written whole, byte for byte.

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <string>

#include "platform/TextFile.h"

namespace velmora::test {
namespace {

class TextFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return folder.filePath(name); }

    QString withBytes(const std::string& bytes, const char* name) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path(name);
    }

    std::string bytesOf(const QString& file) const {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll().toStdString() : "<missing>";
    }

    QTemporaryDir folder;
};

// A file size limit makes the writes fail as a full disk would: part-way, or only when the last
// buffered bytes go out as the file is closed.
TEST_F(TextFiles, TheOldFileStaysWholeUnlessTheNewOneIsComplete) {
    enum End { Destroyed, Discarded, Closed };
    std::string line(1000, 'x');
    line[1] = '\0';
    const struct {
        const char* name;
        int lines;
        bool diskFull;
        End end;
        std::string after;
    } rows[] = {
        {"destroyed before Close", 1, false, Destroyed, "old\r\n"},
        {"discarded", 1, false, Discarded, "old\r\n"},
        {"failing part-way", 100, true, Closed, "old\r\n"},
        {"failing at the last flush", 5, true, Closed, "old\r\n"},
        {"complete", 2, false, Closed, line + "\r\n" + line + "\r\n"},
    };
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit full = saved;
    full.rlim_cur = 4096;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = withBytes("old\r\n", "orders.txt");
        {
            TextFileWriter writer;
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, row.diskFull ? &full : &saved), 0);
            bool wrote = writer.Create(file);
            for (int i = 0; wrote && i < row.lines; ++i) {
                wrote = writer.WriteLine(line);
            }
            EXPECT_EQ(bytesOf(file), "old\r\n") << "nothing replaced before Close";
            if (row.end == Discarded) {
                writer.Discard();
                EXPECT_FALSE(writer.WriteLine(line));
            }
            const bool closed = row.end != Destroyed && writer.Close();
            setrlimit(RLIMIT_FSIZE, &saved);
            EXPECT_EQ(closed, row.end == Closed && !row.diskFull);
            EXPECT_TRUE(!row.diskFull || !writer.ErrorString().isEmpty()) << "the failure is told";
        }
        EXPECT_EQ(bytesOf(file), row.after);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
    }
    std::signal(SIGXFSZ, previousHandler);
}

}  // namespace
}  // namespace velmora::test
