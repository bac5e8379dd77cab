#pragma once
// The 3-D tactical map: the turn around the own aircraft as a turnable, tiltable picture with
// depth shading. It builds its scene when it loads and draws it anew at every paint, resize,
// preset and drag; Esc shows its preset menu, a left drag turns and tilts, a right drag zooms.

#include <QFontMetricsF>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "platform/Form.h"
#include "view3d/ThreeDMap.h"

namespace velmora {

class Windows;
struct SharedSubsAndVar;

class frmThreeD : public Form {
public:
    explicit frmThreeD(Windows& windows);

    // Hidden: only the pictures of the compass markers and the size they are centred by.
    Image North, East, South, West;

    MenuItem menuPresets;
    MenuItem menuWorld, menuRange, menuSN, menuEW, menuTopDown, menuSep1, menuHide, menuClose;

    // The scene and the view; the drag memory in it outlives closing the window.
    ThreeDScene Scene;

    // Clears the window and draws the whole scene for the view now set.
    void Redraw();

    // What nearer objects' pictures cover is not painted: a stick or a dot wholly under
    // them, the rows of a picture that they cover. The picture is the same; off only to
    // compare pictures.
    bool SkipHidden = true;

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Paint() override;
    void Form_Resize() override;
    void Form_KeyPress(int KeyAscii) override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;

private:
    void Preset(PresetView preset);
    // The pictures a redraw paints, by kind and index, looked up once a redraw.
    using PictureTable = std::array<std::array<const QImage*, 8>, 8>;
    PictureTable Pictures() const;
    // Fills plan_: walks the objects nearest first, keeping the pixels their opaque pictures
    // cover.
    void PlanObjects(const PictureTable& pictures);
    // Aircraft i's label decoded, no longer than the window has pixel columns (no more can
    // show). Kept from one redraw to the next.
    const QString& LabelText(int i);
    // The part of a label that can show: it runs right from its start, so the characters up to
    // the window's right edge (and a few more, for the sake of kerning). Width: its advance,
    // pixels.
    QString ShownLabel(const LabelStep& label, const QFontMetricsF& metrics, double& width);

    Windows& windows_;
    SharedSubsAndVar& state_;
    RedrawBuffers drawing_;  // kept between redraws for its room
    // By step: whether it is painted at all and, for a picture, which of its rows.
    struct StepPlan {
        bool Skip = false;
        int FirstRow = 0;
        int LastRow = -1;  // below FirstRow: the whole picture
        int Text = -1;     // a label's text in shownLabels_; -1: not worked out yet
    };
    std::vector<StepPlan> plan_;
    std::vector<QString> shownLabels_;
    std::vector<std::pair<std::string, QString>> labels_;  // by aircraft: bytes cut, text
};

}  // namespace velmora
