#pragma once
// Twips, colours and the codes that mouse and key events carry.

#include <QPoint>
#include <QRect>
#include <Qt>
#include <algorithm>

class QKeyEvent;

#include "model/Numbers.h"

namespace velmora {

// Window layouts assume 15 twips to the pixel; Qt's device-pixel ratio handles dense screens.
inline constexpr int kTwipsPerPixel = 15;

// Whole pixels for a twips value, rounded half to even. NaN gives 0 and values beyond a
// million pixels are held there, so no input can overflow an int or stall the painter.
// Inline: every drawing step converts several coordinates.
inline int TwipsToPixels(double twips) {
    constexpr double kLimit = 1e6;
    const double exact = twips / kTwipsPerPixel;
    if (!(exact <= kLimit)) {
        return exact > kLimit ? static_cast<int>(kLimit) : 0;  // beyond, or NaN
    }
    if (exact < -kLimit) {
        return static_cast<int>(-kLimit);
    }
    return static_cast<int>(RoundHalfEven(exact));
}
inline float PixelsToTwips(double pixels) {
    return static_cast<float>(pixels * kTwipsPerPixel);
}

// The pixels from one corner to the other, both included, whichever corner comes first.
// (QRect(a, b).normalized() loses a pixel each way when b lies before a.)
inline QRect PixelSpan(const QPoint& a, const QPoint& b) {
    return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                 QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

// Mouse buttons as events report them; MouseMove reports the set held.
namespace MouseButton {
inline constexpr int Left = 1;
inline constexpr int Right = 2;
inline constexpr int Middle = 4;
}  // namespace MouseButton

// Shift state of mouse and key events.
namespace ShiftKey {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
}  // namespace ShiftKey

// Key codes of KeyDown. Letters are their capitals' codes (65-90), digits 48-57.
namespace KeyCode {
inline constexpr int Back = 8;
inline constexpr int Tab = 9;
inline constexpr int Enter = 13;
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Alt = 18;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int PageUp = 33;
inline constexpr int PageDown = 34;
inline constexpr int End = 35;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Insert = 45;
inline constexpr int Delete = 46;
inline constexpr int F1 = 112;  // F1..F12 are 112..123
}  // namespace KeyCode

int ButtonsFromQt(Qt::MouseButtons buttons);
int ShiftFromQt(Qt::KeyboardModifiers modifiers);
// The KeyDown code of a key, 0 for keys that have none.
int KeyCodeFromQt(int qtKey);
// The KeyPress character code of a key event, 0 when the key yields no character.
int KeyAsciiFromEvent(const QKeyEvent& event);

}  // namespace velmora
