#pragma once
// The colour and box vocabulary that the views draw with: 24-bit colours and boxes in twips.

#include <cstdint>

namespace velmora {

struct RgbColor {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    bool operator==(const RgbColor&) const = default;
};

// A box in twips from the window's inner corner: a control's place, or an outline drawn there.
struct ControlBox {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    bool operator==(const ControlBox&) const = default;
};

}  // namespace velmora
