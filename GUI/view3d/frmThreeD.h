#pragma once
// The 3-D tactical map: the turn around the own aircraft as a turnable, tiltable picture with
// depth shading. It builds its scene when it loads and draws it anew at every paint, resize,
// preset and drag; Esc shows its preset menu, a left drag turns and tilts, a right drag zooms.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/CoveredPictures.h"
#include "platform/Form.h"
#include "view3d/ThreeDMap.h"

namespace velmora {

class Windows;
struct SharedSubsAndVar;

// The pictures the map paints besides its compass markers, as the main window holds them: the
// own aircraft, friends and foes at the eight headings, objectives; and the own aircraft's
// icon, whose size every one of them is centred by.
struct ThreeDPictures {
    const std::array<Image, 8>& GoodGuy;
    const std::array<Image, 8>& Friendly;
    const std::array<Image, 8>& BadGuy;
    const Image& BullsEye;
    const Image& OwnIcon;
};

class frmThreeD : public Form {
public:
    frmThreeD(Windows& windows, const ThreeDPictures& pictures);

    // Hidden: only the pictures of the compass markers and the size they are centred by.
    Image North, East, South, West;

    MenuItem menuPresets;
    MenuItem menuWorld, menuRange, menuSN, menuEW, menuTopDown, menuSep1, menuHide, menuClose;

    // The scene and the view; the drag memory in it outlives closing the window.
    ThreeDScene Scene;

    // Clears the window and draws the whole scene for the view now set.
    void Redraw();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Paint() override;
    void Form_Resize() override;
    void Form_KeyPress(int KeyAscii) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;

private:
    void Preset(PresetView preset);
    const QImage& PictureOf(const PictureStep& step) const;
    // Aircraft i's label decoded, no longer than the window has pixel columns (no more can
    // show). Kept from one redraw to the next.
    const QString& LabelText(int i);

    SharedSubsAndVar& state_;
    const ThreeDPictures pictures_;
    RedrawBuffers drawing_;                                // kept between redraws for its room
    CoveredPictures objects_;                              // likewise
    std::vector<std::pair<std::string, QString>> labels_;  // by aircraft: bytes cut, text
};

}  // namespace velmora
