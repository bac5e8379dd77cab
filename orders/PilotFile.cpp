#include "orders/PilotFile.h"

#include <utility>

namespace velmora {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsFieldEnd(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

class FieldReader {
public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}

    std::optional<std::string> Next() {
        while (pos_ < bytes_.size() && IsBlank(bytes_[pos_])) {
            ++pos_;
        }
        if (pos_ >= bytes_.size()) {
            return std::nullopt;
        }
        std::optional<std::string> field =
            bytes_[pos_] == '"' ? ReadQuoted() : std::optional<std::string>(ReadUnquoted());
        if (field) {
            SkipSeparator();
        }
        return field;
    }

private:
    std::optional<std::string> ReadQuoted() {
        std::string text;
        ++pos_;  // the opening quote
        for (;;) {
            if (pos_ >= bytes_.size()) {
                return std::nullopt;  // cut short inside the quotes
            }
            const char c = bytes_[pos_++];
            if (c != '"') {
                text += c;
            } else if (pos_ < bytes_.size() && bytes_[pos_] == '"') {
                text += '"';
                ++pos_;
            } else {
                break;
            }
        }
        while (pos_ < bytes_.size() && !IsFieldEnd(bytes_[pos_])) {
            ++pos_;
        }
        return text;
    }

    std::string ReadUnquoted() {
        const std::size_t start = pos_;
        while (pos_ < bytes_.size() && !IsFieldEnd(bytes_[pos_])) {
            ++pos_;
        }
        std::size_t end = pos_;
        while (end > start && IsBlank(bytes_[end - 1])) {
            --end;
        }
        return std::string(bytes_.substr(start, end - start));
    }

    void SkipSeparator() {
        if (pos_ >= bytes_.size()) {
            return;
        }
        const char c = bytes_[pos_++];
        if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') {
            ++pos_;
        }
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string PilotFileBytes(std::string_view name, std::string_view password) {
    return Quoted(name) + "\r\n" + Quoted(password) + "\r\n";
}

bool LoadPilotLogin(SharedSubsAndVar& s, std::string_view bytes) {
    FieldReader reader(bytes);
    std::optional<std::string> name = reader.Next();
    if (!name) {
        return false;
    }
    s.PilotName = std::move(*name);
    std::optional<std::string> password = reader.Next();
    if (!password) {
        return false;
    }
    s.PilotPassword = std::move(*password);
    return true;
}

}  // namespace velmora
