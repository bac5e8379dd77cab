#pragma once
// Text files written whole, byte for byte, with CR LF line ends. Every operation says whether it
// worked; none throws.

#include <QString>
#include <memory>
#include <string_view>

class QSaveFile;

namespace velmora {

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
    // The text and CR LF.
    bool WriteLine(std::string_view text);
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
