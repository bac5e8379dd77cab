#pragma once
// Sequential text files, byte for byte. Lines end with CR LF when written. When read, a line
// ends at LF, and a CR right before that LF or before the end of the file belongs to the line
// end; any other CR, NUL and every byte above 127 are ordinary characters, as in the turn file
// reader. Every operation says whether it worked; none throws.

#include <QFile>
#include <QString>
#include <memory>
#include <string>
#include <string_view>

class QSaveFile;

namespace velmora {

class TextFileReader {
public:
    TextFileReader() = default;
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    // False when the file cannot be opened for reading (missing, a folder, not permitted).
    bool Open(const QString& path);
    bool IsOpen() const { return file_.isOpen(); }
    // True when nothing is left to read, or the file is not open or failed.
    bool AtEnd();
    // The next line without its line end. False at the end of the file or on a read error.
    bool ReadLine(std::string& line);
    // The next field. A field that starts with a double quote is the text up to the next double
    // quote (or line end); what follows it up to the next comma or line end is skipped. Any other
    // field is the text up to the next comma or line end, without blanks around it.
    // False at the end of the file or on a read error.
    bool ReadField(std::string& field);
    void Close();
    QString ErrorString() const { return error_; }

private:
    bool Fill();
    int PeekAt(std::size_t offset);
    int Peek() { return PeekAt(0); }
    bool AtLineEnd();
    void SkipLineEnd();
    bool Fail(const QString& why);

    QFile file_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool failed_ = false;
    QString error_;
};

// Who may read a file that is written: whoever the user's file creation mask allows (a file
// replaced keeps the old one's mode), or its owner alone (mode 600), as for a file that holds
// a password.
enum class FileAccess { Default, OwnerOnly };

// Writes a file that is never left half-written: the new text goes to a temporary file that
// replaces the old file only when Close succeeds. A writer destroyed or discarded before Close
// leaves the old file as it was.
class TextFileWriter {
public:
    TextFileWriter();
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // With OwnerOnly the temporary file is made private before a byte is written to it, and
    // what replaces the old file is private whatever the old file's mode was.
    bool Create(const QString& path, FileAccess access = FileAccess::Default);
    bool IsOpen() const { return file_ != nullptr; }
    // The text and CR LF.
    bool WriteLine(std::string_view text);
    // The text between double quotes, unchanged, and CR LF.
    bool WriteQuoted(std::string_view text);
    // True when every write worked and the new file took the old one's place.
    bool Close();
    void Discard();
    QString ErrorString() const { return error_; }

private:
    bool Write(std::string_view bytes);

    std::unique_ptr<QSaveFile> file_;
    bool failed_ = false;
    QString error_;
};

}  // namespace velmora
