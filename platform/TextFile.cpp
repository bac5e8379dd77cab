#include "platform/TextFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace velmora {

TextFileWriter::TextFileWriter() = default;
TextFileWriter::~TextFileWriter() = default;

bool TextFileWriter::Create(const QString& path, FileAccess access) {
    Discard();
    error_.clear();
    failed_ = false;
    if (path.isEmpty() || QFileInfo(path).isDir()) {
        error_ = QStringLiteral("Not a file: %1").arg(path);
        return false;
    }
    auto file = std::make_unique<QSaveFile>(path);
    if (!file->open(QIODevice::WriteOnly)) {
        error_ = file->errorString();
        return false;
    }
    // The temporary file has no name yet where the system allows it, and no byte in it: made
    // private now, no one else can ever read what follows.
    if (access == FileAccess::OwnerOnly &&
        !file->setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        error_ = QStringLiteral("The file could not be made private: %1").arg(file->errorString());
        file->cancelWriting();
        return false;
    }
    file_ = std::move(file);
    return true;
}

bool TextFileWriter::Write(std::string_view bytes) {
    if (file_ == nullptr) {
        error_ = QStringLiteral("File not open");
        return false;
    }
    if (failed_) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (file_->write(bytes.data(), size) != size) {
        failed_ = true;
        error_ = file_->errorString();
        return false;
    }
    return true;
}

bool TextFileWriter::WriteLine(std::string_view text) {
    return Write(text) && Write("\r\n");
}

bool TextFileWriter::Close() {
    if (file_ == nullptr) {
        error_ = QStringLiteral("File not open");
        return false;
    }
    bool committed = false;
    // commit() does not check its own final flush: a buffer that fails to reach the disk there
    // would still replace the target. Flush first, so such a failure keeps the old file.
    if (!failed_ && !file_->flush()) {
        failed_ = true;
        error_ = file_->errorString();
    }
    if (failed_) {
        file_->cancelWriting();
    } else {
        committed = file_->commit();
        if (!committed) {
            error_ = file_->errorString();
        }
    }
    file_.reset();
    failed_ = false;
    return committed;
}

void TextFileWriter::Discard() {
    if (file_ != nullptr) {
        file_->cancelWriting();
        file_.reset();
    }
    failed_ = false;
}

}  // namespace velmora
