#include "platform/TextFile.h"

#include <QFileInfo>
#include <QSaveFile>
#include <new>
#include <stdexcept>

namespace velmora {

namespace {
constexpr qint64 kChunk = 64 * 1024;
}

// --- TextFileReader ---

bool TextFileReader::Open(const QString& path) {
    Close();
    if (path.isEmpty() || QFileInfo(path).isDir()) {
        return Fail(QStringLiteral("Not a file: %1").arg(path));
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::ReadOnly)) {
        return Fail(file_.errorString());
    }
    return true;
}

void TextFileReader::Close() {
    if (file_.isOpen()) {
        file_.close();
    }
    buffer_.clear();
    pos_ = 0;
    failed_ = false;
    error_.clear();
}

bool TextFileReader::Fail(const QString& why) {
    failed_ = true;
    error_ = why;
    return false;
}

bool TextFileReader::Fill() {
    if (!file_.isOpen() || failed_) {
        return false;
    }
    try {
        buffer_.erase(0, pos_);
        pos_ = 0;
        const std::size_t kept = buffer_.size();
        buffer_.resize(kept + kChunk);
        const qint64 got = file_.read(buffer_.data() + kept, kChunk);
        buffer_.resize(kept + static_cast<std::size_t>(got > 0 ? got : 0));
        if (got < 0) {
            return Fail(file_.errorString());
        }
        return got > 0;
    } catch (const std::bad_alloc&) {
        return Fail(QStringLiteral("Out of memory"));
    } catch (const std::length_error&) {
        return Fail(QStringLiteral("Out of memory"));
    }
}

int TextFileReader::PeekAt(std::size_t offset) {
    while (pos_ + offset >= buffer_.size()) {
        if (!Fill()) {
            return -1;
        }
    }
    return static_cast<unsigned char>(buffer_[pos_ + offset]);
}

bool TextFileReader::AtEnd() {
    return Peek() < 0;
}

bool TextFileReader::AtLineEnd() {
    const int c = Peek();
    return c == '\n' || (c == '\r' && (PeekAt(1) == '\n' || PeekAt(1) < 0));
}

void TextFileReader::SkipLineEnd() {
    if (Peek() == '\r') {
        ++pos_;
    }
    if (Peek() == '\n') {
        ++pos_;
    }
}

bool TextFileReader::ReadLine(std::string& line) {
    line.clear();
    if (!file_.isOpen()) {
        return Fail(QStringLiteral("File not open"));
    }
    if (AtEnd()) {
        return failed_ ? false : Fail(QStringLiteral("Read past the end of the file"));
    }
    try {
        while (Peek() >= 0) {
            const std::size_t lf = buffer_.find('\n', pos_);
            if (lf == std::string::npos) {
                line.append(buffer_, pos_, std::string::npos);
                pos_ = buffer_.size();
                continue;
            }
            line.append(buffer_, pos_, lf - pos_);
            pos_ = lf + 1;
            break;
        }
    } catch (const std::bad_alloc&) {
        return Fail(QStringLiteral("Out of memory"));
    } catch (const std::length_error&) {
        return Fail(QStringLiteral("Out of memory"));
    }
    // A CR right before the LF, or right before the end of the file, belongs to the line end.
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return !failed_;
}

bool TextFileReader::ReadField(std::string& field) {
    field.clear();
    if (!file_.isOpen()) {
        return Fail(QStringLiteral("File not open"));
    }
    if (AtEnd()) {
        return failed_ ? false : Fail(QStringLiteral("Read past the end of the file"));
    }
    auto isBlank = [](int c) { return c == ' ' || c == '\t'; };
    auto endsField = [this] { return Peek() < 0 || Peek() == ',' || AtLineEnd(); };
    try {
        while (isBlank(Peek())) {
            ++pos_;
        }
        if (Peek() == '"') {
            ++pos_;
            while (Peek() >= 0 && Peek() != '"' && !AtLineEnd()) {
                field.push_back(static_cast<char>(Peek()));
                ++pos_;
            }
            if (Peek() == '"') {
                ++pos_;
            }
            while (!endsField()) {
                ++pos_;
            }
        } else {
            while (!endsField()) {
                field.push_back(static_cast<char>(Peek()));
                ++pos_;
            }
            while (!field.empty() && isBlank(static_cast<unsigned char>(field.back()))) {
                field.pop_back();
            }
        }
    } catch (const std::bad_alloc&) {
        return Fail(QStringLiteral("Out of memory"));
    } catch (const std::length_error&) {
        return Fail(QStringLiteral("Out of memory"));
    }
    if (Peek() == ',') {
        ++pos_;
    } else {
        SkipLineEnd();
    }
    return !failed_;
}

// --- TextFileWriter ---

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

bool TextFileWriter::WriteQuoted(std::string_view text) {
    return Write("\"") && Write(text) && Write("\"\r\n");
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
