#pragma once
// What the fuzz targets share: the check that stops a run, and the turn file an input stands for.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/TurnFileReader.h"

namespace velmora {

inline void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// The first input byte picks the mode. Even: that byte is dropped and the header line goes
// before the rest, so that the fuzzer spends most of its time past the header check. Odd (the
// "S" of a whole turn file, as the seeds are): the input is read as it is.
inline std::string TurnFileBytes(const uint8_t* data, std::size_t size) {
    std::string bytes;
    if (size > 0 && (data[0] & 1) == 0) {
        bytes.append(kTurnFileHeader).append("\r\n");
        bytes.append(reinterpret_cast<const char*>(data + 1), size - 1);
    } else {
        bytes.append(reinterpret_cast<const char*>(data), size);
    }
    return bytes;
}

}  // namespace velmora
