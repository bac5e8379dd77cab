#pragma once
// What the windows share of their look and of their picture buttons.

#include <QColor>
#include <initializer_list>

#include "model/ColorAndBox.h"
#include "platform/Controls.h"

namespace velmora {

inline QColor ToQColor(const RgbColor& c) {
    return {c.R, c.G, c.B};
}

// The yellow of the labels and texts on a black ground.
inline const QColor kLabelYellow(255, 255, 0);

// The small condensed font that the controls of several windows are sized for.
void UseSmallFont(std::initializer_list<WidgetControl*> controls, float points = 8);

// A picture button's looks: MouseDown shows the pressed picture and MouseUp the released one,
// whatever mouse button, shift state and position the event carries. MouseUp goes to the control
// that got MouseDown, so a press that ends outside the button still swaps back.
void WirePictureButton(Image& button, const Image& pressed, const Image& released);

}  // namespace velmora
