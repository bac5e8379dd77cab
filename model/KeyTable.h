#pragma once
// Which key of a context starts a turn-file line: ParseKeyword (SharedProcedures.h) for every key
// of a table at once, in one walk of the line and one hash look-up.
//
// It gives exactly what calling ParseKeyword with each key of the table in turn gives, for keys of
// the turn file's form: capital letters A-Z followed by one "=" or "~". For such keys ParseKeyword
// matches only when the line's upper-cased non-space characters up to its first "=" or "~" are the
// key, and any other character before that (">", a digit, a tab, a byte above 127) rules every key
// out. No key of that form is the start of another, so a line matches at most one key of a table
// and the order of the table cannot change the result.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace velmora {

class KeyTable {
public:
    static constexpr std::size_t kMaxKeys = 32;
    static constexpr std::size_t kMaxKeyLength = 16;

    // Keys of the form above, distinct, at most kMaxKeys of them; anything else does not compile
    // in a constant expression and throws at run time.
    constexpr explicit KeyTable(std::span<const std::string_view> keys) {
        if (keys.size() > kMaxKeys) {
            throw "KeyTable: too many keys";
        }
        std::array<uint64_t, kMaxKeys> lo{};  // each key packed as a look-up packs a line
        std::array<uint64_t, kMaxKeys> hi{};
        for (std::size_t k = 0; k < keys.size(); ++k) {
            const std::string_view key = keys[k];
            if (key.empty() || key.size() > kMaxKeyLength ||
                (key.back() != '=' && key.back() != '~')) {
                throw "KeyTable: a key must be letters and one = or ~";
            }
            for (std::size_t i = 0; i < key.size(); ++i) {
                if (i + 1 < key.size() && (key[i] < 'A' || key[i] > 'Z')) {
                    throw "KeyTable: a key must be letters and one = or ~";
                }
                Pack(lo[k], hi[k], i, static_cast<uint8_t>(key[i]));
            }
            for (std::size_t j = 0; j < k; ++j) {
                if (lo[j] == lo[k] && hi[j] == hi[k]) {
                    throw "KeyTable: a key is listed twice";
                }
            }
        }
        // A perfect hash: the first multiplier that gives every key a slot of its own, so that a
        // look-up is one slot and one comparison.
        for (uint64_t m = 0x9E3779B97F4A7C15ULL;; m += 0x2545F4914F6CDD1EULL) {
            if (m == 0x9E3779B97F4A7C15ULL + 4096 * 0x2545F4914F6CDD1EULL) {
                throw "KeyTable: no perfect hash found";
            }
            multiplier_ = m | 1;
            slots_.fill(Entry{});
            bool distinct = true;
            for (std::size_t k = 0; k < keys.size() && distinct; ++k) {
                Entry& e = slots_[Slot(lo[k], hi[k])];
                distinct = e.Index < 0;
                e = Entry{lo[k], hi[k], static_cast<int>(k)};
            }
            if (distinct) {
                break;
            }
        }
    }

    // The index of the key at the start of line, with value set to the text after the key up to
    // the first ">" (ParseKeyword's value); -1 and value untouched when no key of the table is
    // there. When given, readable is how many bytes from line.data() may be read (at least
    // line.size()); with 16 of them a line whose key holds no blank is matched without a loop.
    // Inlined into each caller: the reader's hot loop (bench_reader) gains a tenth from it.
    [[gnu::always_inline]] int Find(std::string_view line, std::string_view& value,
                                    std::size_t readable = 0) const {
        if (readable < line.size()) {
            readable = line.size();
        }
        uint64_t lo = 0;
        uint64_t hi = 0;
        std::size_t length = 0;  // of the candidate key, its "=" or "~" included
        switch (QuickKey(line, readable, lo, hi, length)) {
            case Quick::NoKey:
                return -1;
            case Quick::Walk:
                if (!WalkKey(line, lo, hi, length)) {
                    return -1;
                }
                break;
            case Quick::Key:
                break;
        }
        // An empty slot holds no key (Lo 0), so one comparison tells a key from none.
        const Entry& e = slots_[Slot(lo, hi)];
        if (e.Lo != lo || e.Hi != hi) {
            return -1;
        }
        const int index = e.Index;
        value = line.substr(length,
                            EndMark(line.data() + length, line.size() - length, readable - length));
        return index;
    }

private:
    // Four times kMaxKeys: a perfect hash is quick to find.
    static constexpr std::size_t kSlots = 128;
    static constexpr uint8_t kNoKey = 0;  // a character that no key holds
    static constexpr uint8_t kBlank = 1;  // the space, skipped

    // Each byte as the key walk sees it: letters upper-cased, "=" and "~" as they are.
    static constexpr std::array<uint8_t, 256> kKeyChar = [] {
        std::array<uint8_t, 256> t{};
        for (int c = 'A'; c <= 'Z'; ++c) {
            t[static_cast<std::size_t>(c)] = static_cast<uint8_t>(c);
            t[static_cast<std::size_t>(c - 'A' + 'a')] = static_cast<uint8_t>(c);
        }
        t['='] = '=';
        t['~'] = '~';
        t[' '] = kBlank;
        return t;
    }();

    // Characters 0-7 of a key in lo, 8-15 in hi, zero-padded; with no zero byte in a key, equal
    // packs mean equal keys.
    static constexpr void Pack(uint64_t& lo, uint64_t& hi, std::size_t i, uint8_t c) {
        if (i < 8) {
            lo |= static_cast<uint64_t>(c) << (8 * i);
        } else {
            hi |= static_cast<uint64_t>(c) << (8 * (i - 8));
        }
    }

    // ParseKeyword's walk: the upper-cased non-space characters up to the first "=" or "~".
    static bool WalkKey(std::string_view line, uint64_t& lo, uint64_t& hi, std::size_t& length) {
        lo = 0;
        hi = 0;
        std::size_t n = 0;
        for (std::size_t i = 0; i < line.size(); ++i) {
            const uint8_t k = kKeyChar[static_cast<unsigned char>(line[i])];
            if (k == kBlank) {
                continue;
            }
            if (k == kNoKey || n == kMaxKeyLength) {
                return false;
            }
            Pack(lo, hi, n, k);
            ++n;
            if (k == '=' || k == '~') {
                length = i + 1;
                return true;
            }
        }
        return false;
    }

    enum class Quick { Key, NoKey, Walk };

    // The same for the common line whose key is letters right from its first character, eight
    // bytes at a time and without a loop. Key: lo, hi and length are set. NoKey: the walk would
    // find none. Walk: a blank comes first, or too little may be read; the walk must decide.
    static Quick QuickKey(std::string_view line, std::size_t readable, uint64_t& lo, uint64_t& hi,
                          std::size_t& length) {
        if constexpr (std::endian::native != std::endian::little) {
            return Quick::Walk;
        } else {
            if (readable < 16) {
                return Quick::Walk;
            }
            // Two plain words, not an array: a vectorised loop over an array stored word by word
            // stalls on the load of both at once.
            uint64_t w0;
            uint64_t w1;
            std::memcpy(&w0, line.data(), 8);
            std::memcpy(&w1, line.data() + 8, 8);
            const uint64_t letters0 = LetterBytes(w0);
            const uint64_t letters1 = LetterBytes(w1);
            const uint64_t stop0 = ~letters0 & kHigh;
            const uint64_t stop1 = ~letters1 & kHigh;
            // The first byte that is not a letter; 16 when the first 16 all are.
            const std::size_t first =
                stop0 != 0
                    ? static_cast<std::size_t>(std::countr_zero(stop0)) / 8
                    : (stop1 != 0 ? 8 + static_cast<std::size_t>(std::countr_zero(stop1)) / 8 : 16);
            if (first == 16 || first >= line.size()) {
                return Quick::NoKey;  // 16 letters, more than any key, or letters to the line end
            }
            const char c = line[first];
            if (c != '=' && c != '~') {
                // A blank is skipped by the walk; any other character ends every key.
                return c == ' ' ? Quick::Walk : Quick::NoKey;
            }
            length = first + 1;
            // Letters upper-cased (bit 5 cleared), bytes after the key cleared.
            lo = (w0 & ~(letters0 >> 2)) & kKeepLow[length];
            hi = (w1 & ~(letters1 >> 2)) & kKeepHigh[length];
            return Quick::Key;
        }
    }

    // Where the value ends: the first ">" in p[0, n), or n. Reads eight bytes at a time while
    // eight may be read (readable counts from p).
    static std::size_t EndMark(const char* p, std::size_t n, std::size_t readable) {
        std::size_t i = 0;
        while (i < n) {
            if (std::endian::native != std::endian::little || readable - i < 8) {
                for (; i < n; ++i) {
                    if (p[i] == '>') {
                        return i;
                    }
                }
                return n;
            }
            uint64_t w;
            std::memcpy(&w, p + i, 8);
            const uint64_t marks = EqualBytes(w, '>');
            if (marks != 0) {
                const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(marks)) / 8;
                return at < n ? at : n;
            }
            i += 8;
        }
        return n;
    }

    // Masks that keep the first `length` bytes of a 16-byte key: bytes 0-7 and bytes 8-15.
    static constexpr std::array<uint64_t, 17> kKeepLow = [] {
        std::array<uint64_t, 17> m{};
        for (std::size_t n = 0; n <= 16; ++n) {
            m[n] = n >= 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * n)) - 1;
        }
        return m;
    }();
    static constexpr std::array<uint64_t, 17> kKeepHigh = [] {
        std::array<uint64_t, 17> m{};
        for (std::size_t n = 0; n <= 16; ++n) {
            m[n] = n <= 8 ? 0 : (n == 16 ? ~uint64_t{0} : (uint64_t{1} << (8 * (n - 8))) - 1);
        }
        return m;
    }();

    // Byte-wise operations on eight bytes at once; a result has bit 7 set in each byte that holds.
    static constexpr uint64_t kOnes = 0x0101010101010101ULL;
    static constexpr uint64_t kHigh = 0x8080808080808080ULL;
    static constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;

    // Bytes from lowest to highest, both included (for bytes below 128; bytes above are never).
    static constexpr uint64_t InRange(uint64_t w, uint8_t lowest, uint8_t highest) {
        const uint64_t x = w & kLow7;
        const uint64_t atLeast = x + kOnes * (0x80 - lowest);
        const uint64_t above = x + kOnes * (0x80 - highest - 1);
        return atLeast & ~above & ~w & kHigh;
    }
    // A-Z and a-z: with bit 5 set, both cases fall in a-z, and no other byte does.
    static constexpr uint64_t LetterBytes(uint64_t w) {
        return InRange(w | (kOnes * 0x20), 'a', 'z');
    }
    static constexpr uint64_t EqualBytes(uint64_t w, uint8_t c) {
        const uint64_t t = w ^ (kOnes * c);
        return ~(((t & kLow7) + kLow7) | t | kLow7);
    }

    constexpr std::size_t Slot(uint64_t lo, uint64_t hi) const {
        return static_cast<std::size_t>(((lo ^ std::rotr(hi, 7)) * multiplier_) >> 57);
    }

    // Each slot holds its key, so that a look-up reads one place.
    struct Entry {
        uint64_t Lo = 0;
        uint64_t Hi = 0;
        int Index = -1;
    };
    std::array<Entry, kSlots> slots_{};
    uint64_t multiplier_ = 0;
};

}  // namespace velmora
