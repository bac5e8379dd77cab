// Sequential text files, byte for byte.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <string>
#include <vector>

#include "platform/TextFile.h"

namespace velmora::test {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

class TextFiles : public ::testing::Test {
protected:
    QString path(const char* name) const { return folder.filePath(name); }

    QString withBytes(const std::string& bytes, const char* name = "in.txt") const {
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

TEST_F(TextFiles, ReadsLinesWithoutTheirEndsAndQuotedOrUnquotedFields) {
    enum Read { Line, Field };
    struct Row {
        const char* name;
        Read read;
        std::string bytes;
        Lines expected;
    };
    const std::string longLine(1'000'000, 'x');
    const std::string chunk(65535, 'c');  // the CR ends the first 64 KiB, its LF starts the next
    const Row rows[] = {
        {"CR LF", Line, "HEADING=90\r\nALTITUDE=5000\r\n", {"HEADING=90", "ALTITUDE=5000"}},
        {"bare LF", Line, "a\nb\n", {"a", "b"}},
        {"lone CR is a character", Line, "a\rb\r\r\n", {"a\rb\r"}},
        {"CR before the end", Line, "a\r", {"a"}},
        {"no final line end", Line, "a\r\nb", {"a", "b"}},
        {"empty lines", Line, "\r\n\r\nb\r\n", {"", "", "b"}},
        {"empty file", Line, "", {}},
        {"NUL bytes", Line, "a\0b\r\n"s, {"a\0b"s}},
        {"non-ASCII", Line, "\xc3\xa9t\xe9\xff\r\n", {"\xc3\xa9t\xe9\xff"}},
        {"very long line", Line, longLine, {longLine}},
        {"CR LF across the buffer", Line, chunk + "\r\ny", {chunk, "y"}},
        {"comma and blanks quoted", Field, "\"Ace, J\"\r\n\" pw \"\r\n", {"Ace, J", " pw "}},
        {"quote inside a name ends it", Field, "\"ab\"cd\"\r\n\"pw\"\r\n", {"ab", "pw"}},
        {"empty quoted fields", Field, "\"\"\r\n\"\"\r\n", {"", ""}},
        {"unquoted, trimmed", Field, "a, b ,c\r\nd\r\n", {"a", "b", "c", "d"}},
        {"blanks before a quote", Field, "  \"q\"  ,next\n", {"q", "next"}},
        {"quote left open", Field, "\"open\r\nnext\r\n", {"open", "next"}},
        {"empty line as a field", Field, "\r\nx", {"", "x"}},
        {"lone CR inside fields", Field, "a\rb,\"c\rd\"\r\n", {"a\rb", "c\rd"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TextFileReader reader;
        ASSERT_TRUE(reader.Open(withBytes(row.bytes)));
        auto next = [&](std::string& text) {
            return row.read == Line ? reader.ReadLine(text) : reader.ReadField(text);
        };
        Lines got;
        std::string text;
        while (!reader.AtEnd()) {
            ASSERT_TRUE(next(text));
            got.push_back(text);
        }
        EXPECT_EQ(got, row.expected);
        EXPECT_FALSE(next(text)) << "reading past the end fails";
        EXPECT_FALSE(reader.ErrorString().isEmpty());
    }
}

TEST_F(TextFiles, WritesCrLfLinesAndQuotedFieldsUnchanged) {
    TextFileWriter writer;
    ASSERT_TRUE(writer.Create(path("npdata.vsd")));
    EXPECT_TRUE(writer.WriteQuoted("  Red Baron, Jr  "));
    EXPECT_TRUE(writer.WriteQuoted(""));
    EXPECT_TRUE(writer.WriteLine("a\0b"s));
    EXPECT_TRUE(writer.WriteQuoted("Say \"J\""));
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(bytesOf(path("npdata.vsd")),
              "\"  Red Baron, Jr  \"\r\n\"\"\r\na\0b\r\n\"Say \"J\"\"\r\n"s);
}

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
    writer.WriteLine("new");
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(bytesOf(file), "new\r\n");
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

TEST_F(TextFiles, NoFileOpensOrIsCreatedWhereNoneCanBe) {
    for (const QString& where : {path("no/such/folder/orders.txt"), folder.path(), QString()}) {
        SCOPED_TRACE(where.toStdString());
        TextFileReader reader;
        EXPECT_FALSE(reader.Open(where));
        EXPECT_FALSE(reader.ErrorString().isEmpty());
        std::string line;
        EXPECT_FALSE(reader.ReadLine(line));
        EXPECT_FALSE(reader.ReadField(line));
        EXPECT_TRUE(reader.AtEnd());
        TextFileWriter writer;
        EXPECT_FALSE(writer.Create(where));
        EXPECT_FALSE(writer.WriteLine("x"));
        EXPECT_FALSE(writer.Close());
    }
}

}  // namespace
}  // namespace velmora::test
