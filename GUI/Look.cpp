#include "GUI/Look.h"

namespace velmora {

void UseSmallFont(std::initializer_list<WidgetControl*> controls, float points) {
    for (WidgetControl* control : controls) {
        control->SetFontName(QStringLiteral("DejaVu Sans Condensed"));
        control->SetFontSize(points);
    }
}

void WirePictureButton(Image& button, const Image& pressed, const Image& released) {
    button.MouseDown = [&button, &pressed](int, int, float, float) {
        button.SetPicture(pressed.Picture());
    };
    button.MouseUp = [&button, &released](int, int, float, float) {
        button.SetPicture(released.Picture());
    };
}

}  // namespace velmora
