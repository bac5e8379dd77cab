// Sequential text files, byte for byte.

#include <gtest/gtest.h>
#include <sys/resource.h>

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
        if (!in.open(QIODevice::ReadOnly)) {
            return "<missing>";
        }
        return in.readAll().toStdString();
    }

    QTemporaryDir folder;
};

TEST_F(TextFiles, ReadsLinesWithoutTheirEnds) {
    struct Row {
        const char* name;
        std::string bytes;
        Lines lines;
    };
    const std::string longLine(1'000'000, 'x');
    const std::string chunk(65535, 'c');  // the CR ends the first 64 KiB, its LF starts the next
    const Row rows[] = {
        {"CR LF", "HEADING=90\r\nALTITUDE=5000\r\n", {"HEADING=90", "ALTITUDE=5000"}},
        {"bare LF", "a\nb\n", {"a", "b"}},
        {"lone CR is a character", "a\rb\r\r\n", {"a\rb\r"}},
        {"CR before the end", "a\r", {"a"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"empty lines", "\r\n\r\nb\r\n", {"", "", "b"}},
        {"empty file", "", {}},
        {"NUL bytes", "a\0b\r\n"s, {"a\0b"s}},
        {"non-ASCII", "\xc3\xa9t\xe9\xff\r\n", {"\xc3\xa9t\xe9\xff"}},
        {"very long line", longLine, {longLine}},
        {"CR LF across the buffer", chunk + "\r\ny", {chunk, "y"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TextFileReader reader;
        ASSERT_TRUE(reader.Open(withBytes(row.bytes)));
        Lines lines;
        std::string line;
        while (!reader.AtEnd()) {
            ASSERT_TRUE(reader.ReadLine(line));
            lines.push_back(line);
        }
        EXPECT_EQ(lines, row.lines);
        EXPECT_FALSE(reader.ReadLine(line)) << "reading past the end fails";
        EXPECT_FALSE(reader.ErrorString().isEmpty());
    }
}

TEST_F(TextFiles, ReadsQuotedAndUnquotedFields) {
    struct Row {
        const char* name;
        std::string bytes;
        Lines fields;
    };
    const Row rows[] = {
        {"pilot file", "\"Ace Rimmer\"\r\n\" s3cret \"\r\n", {"Ace Rimmer", " s3cret "}},
        {"comma inside quotes", "\"Smith, J\"\r\n\"pw\"\r\n", {"Smith, J", "pw"}},
        {"quote inside a name ends it", "\"ab\"cd\"\r\n\"pw\"\r\n", {"ab", "pw"}},
        {"empty quoted fields", "\"\"\r\n\"\"\r\n", {"", ""}},
        {"unquoted, trimmed", "a, b ,c\r\nd\r\n", {"a", "b", "c", "d"}},
        {"blanks before a quote", "  \"q\"  ,next\n", {"q", "next"}},
        {"quote left open", "\"open\r\nnext\r\n", {"open", "next"}},
        {"empty line", "\r\nx", {"", "x"}},
        {"lone CR inside", "a\rb,\"c\rd\"\r\n", {"a\rb", "c\rd"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TextFileReader reader;
        ASSERT_TRUE(reader.Open(withBytes(row.bytes)));
        Lines fields;
        std::string field;
        while (!reader.AtEnd()) {
            ASSERT_TRUE(reader.ReadField(field));
            fields.push_back(field);
        }
        EXPECT_EQ(fields, row.fields);
    }
}

TEST_F(TextFiles, AFileWithOneFieldFailsAtTheSecond) {
    TextFileReader reader;
    ASSERT_TRUE(reader.Open(withBytes("\"Ace\"\r\n")));
    std::string name = "old", password = "old";
    EXPECT_TRUE(reader.ReadField(name));
    EXPECT_FALSE(reader.ReadField(password));
    EXPECT_EQ(name, "Ace");
}

TEST_F(TextFiles, OpeningWhatIsNoReadableFileFails) {
    TextFileReader reader;
    EXPECT_FALSE(reader.Open(path("missing.smv")));
    EXPECT_FALSE(reader.ErrorString().isEmpty());
    EXPECT_FALSE(reader.Open(folder.path()));
    EXPECT_FALSE(reader.Open(""));
    std::string line;
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_FALSE(reader.ReadField(line));
    EXPECT_TRUE(reader.AtEnd());
}

TEST_F(TextFiles, WritesLinesAndQuotedFieldsWithCrLf) {
    TextFileWriter writer;
    ASSERT_TRUE(writer.Create(path("npdata.vsd")));
    EXPECT_TRUE(writer.WriteQuoted("Smith, \"J\""));
    EXPECT_TRUE(writer.WriteQuoted(""));
    EXPECT_TRUE(writer.WriteLine("Set Heading: 90"));
    EXPECT_TRUE(writer.WriteLine("a\0b"s));
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(bytesOf(path("npdata.vsd")),
              "\"Smith, \"J\"\"\r\n\"\"\r\nSet Heading: 90\r\na\0b\r\n"s);
}

TEST_F(TextFiles, WrittenFieldsReadBackWhole) {
    TextFileWriter writer;
    ASSERT_TRUE(writer.Create(path("npdata.vsd")));
    writer.WriteQuoted("  Red Baron, Jr  ");
    writer.WriteQuoted("p@ss word");
    ASSERT_TRUE(writer.Close());
    TextFileReader reader;
    ASSERT_TRUE(reader.Open(path("npdata.vsd")));
    std::string name, password;
    ASSERT_TRUE(reader.ReadField(name));
    ASSERT_TRUE(reader.ReadField(password));
    EXPECT_EQ(name, "  Red Baron, Jr  ");
    EXPECT_EQ(password, "p@ss word");
    EXPECT_TRUE(reader.AtEnd());
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

TEST_F(TextFiles, CreatingWhereNoFileCanBeFails) {
    TextFileWriter writer;
    EXPECT_FALSE(writer.Create(path("no/such/folder/orders.txt")));
    EXPECT_FALSE(writer.Create(folder.path()));
    EXPECT_FALSE(writer.Create(""));
    EXPECT_FALSE(writer.WriteLine("x"));
    EXPECT_FALSE(writer.Close());
}

}  // namespace
}  // namespace velmora::test
