#pragma once
// Text held in memory: where a piece may be cut, and splitting into lines as views into it (no
// copy, no allocation).
//
// A line ends at LF; a CR right before that LF, or right before the end of the text, belongs to
// the line end. Any other CR is an ordinary character of its line, and so are NUL and every
// byte above 127. The last line needs no line end; text that ends with a line end has no empty
// line after it ("a\r\n" is one line, "a\r\n\r\n" two, the second empty; "" none).

#include <cstdint>
#include <cstring>
#include <string_view>

namespace velmora {

// The last place at or before n that does not split a UTF-8 character, at most three bytes
// back (text that is not UTF-8 may lose up to three bytes to the next piece).
inline std::size_t Utf8Boundary(std::string_view text, std::size_t n) {
    std::size_t cut = n;
    for (int back = 0; back < 3 && cut > 0 && cut < text.size() &&
                       (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80;
         ++back) {
        --cut;
    }
    return cut;
}

class LineCursor {
public:
    explicit LineCursor(std::string_view text) : rest_(text), end_(text.data() + text.size()) {}

    // The next line without its line end; false when every line has been read.
    bool Next(std::string_view& line) {
        if (rest_.empty()) {
            return false;
        }
        const void* lf = std::memchr(rest_.data(), '\n', rest_.size());
        std::size_t length;
        std::size_t used;
        if (lf != nullptr) {
            length = static_cast<std::size_t>(static_cast<const char*>(lf) - rest_.data());
            used = length + 1;
        } else {
            length = rest_.size();
            used = length;
        }
        if (length > 0 && rest_[length - 1] == '\r') {
            --length;
        }
        line = rest_.substr(0, length);
        rest_.remove_prefix(used);
        ++number_;
        return true;
    }

    // True when no line is left: the end-of-file test the reader makes after each line.
    bool AtEnd() const { return rest_.empty(); }

    // 1-based number of the line Next returned last; 0 before the first.
    int64_t Number() const { return number_; }

    // How many bytes of the text may be read from the start of a line Next returned: the line,
    // its line end and every later line.
    std::size_t ReadableFrom(std::string_view line) const {
        return static_cast<std::size_t>(end_ - line.data());
    }

private:
    std::string_view rest_;
    const char* end_;
    int64_t number_ = 0;
};

}  // namespace velmora
