// Text files written whole, byte for byte.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <string>

#include "platform/TextFile.h"

namespace velmora::test {
namespace {

using namespace std::string_literals;

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

// A private file is its owner's alone when it is created and whenever it is replaced, whatever
// the mode of the file it replaces; other files follow the user's file creation mask.
TEST_F(TextFiles, APrivateFileIsReadableByItsOwnerAlone) {
    const mode_t mask = umask(022);
    const struct Row {
        const char* name;
        mode_t before;  // 0: no file yet
        FileAccess access;
        mode_t after;
    } rows[] = {
        {"private, created", 0, FileAccess::OwnerOnly, 0600},
        {"private, replacing a private one", 0600, FileAccess::OwnerOnly, 0600},
        {"private, replacing one readable by all", 0644, FileAccess::OwnerOnly, 0600},
        {"ordinary, created", 0, FileAccess::Default, 0644},
        {"ordinary, replacing one", 0640, FileAccess::Default, 0640},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = path("npdata.vsd");
        QFile::remove(file);
        if (row.before != 0) {
            withBytes("\"old\"\r\n", "npdata.vsd");
            ASSERT_EQ(chmod(QFile::encodeName(file).constData(), row.before), 0);
        }
        TextFileWriter writer;
        ASSERT_TRUE(writer.Create(file, row.access));
        ASSERT_TRUE(writer.WriteLine("\"Ace\"") && writer.WriteLine("\"pw\""));
        ASSERT_TRUE(writer.Close());
        struct stat status {};
        ASSERT_EQ(stat(QFile::encodeName(file).constData(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, row.after);
        EXPECT_EQ(bytesOf(file), "\"Ace\"\r\n\"pw\"\r\n");
    }
    umask(mask);
}

TEST_F(TextFiles, TheOldFileStaysWholeUntilTheNewOneIsComplete) {
    const QString file = withBytes("old\r\n", "orders.txt");
    {
        TextFileWriter writer;
        ASSERT_TRUE(writer.Create(file));
        writer.WriteLine("half");
        EXPECT_EQ(bytesOf(file), "old\r\n") << "nothing replaced before Close";
    }  // destroyed without Close
    EXPECT_EQ(bytesOf(file), "old\r\n");

    TextFileWriter writer;
    ASSERT_TRUE(writer.Create(file));
    writer.WriteLine("half");
    writer.Discard();
    EXPECT_EQ(bytesOf(file), "old\r\n");
    EXPECT_FALSE(writer.WriteLine("after discard"));
    EXPECT_FALSE(writer.Close());

    ASSERT_TRUE(writer.Create(file));
    writer.WriteLine("new\0line"s);
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(bytesOf(file), "new\0line\r\n"s);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

TEST_F(TextFiles, AFailedWriteIsReportedAndKeepsTheOldFile) {
    const QString file = withBytes("old\r\n", "orders.txt");
    // A file size limit makes the writes fail part-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);

    TextFileWriter writer;
    bool wrote = writer.Create(file);
    for (int i = 0; wrote && i < 100; ++i) {
        wrote = writer.WriteLine(std::string(1000, 'x'));
    }
    const bool closed = writer.Close();

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(closed);
    EXPECT_FALSE(writer.ErrorString().isEmpty());
    EXPECT_EQ(bytesOf(file), "old\r\n");
}

}  // namespace
}  // namespace velmora::test
