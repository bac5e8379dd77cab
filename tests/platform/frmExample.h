#pragma once
// How a window is written: controls as members named as in its Design(), handlers wired once in
// the constructor, the layout placed in Design(), behaviour in short control_Event methods.

#include <array>

#include "platform/Form.h"

namespace velmora::test {

class frmExample : public Form {
public:
    explicit frmExample(Services& services) : Form(services) {
        ZoomIn.MouseDown = [this](int, int, float, float) { ZoomIn.SetPicture(Look[1].Picture()); };
        ZoomIn.MouseUp = [this](int, int, float, float) { ZoomIn.SetPicture(Look[0].Picture()); };
        ZoomIn.Click = [this] { ZoomIn_Click(); };
        ZoomIn.DblClick = [this] { ZoomIn_Click(); };
        for (int i = 0; i < static_cast<int>(menuZoom.size()); ++i) {
            menuZoom[i].Click = [this, i] { menuZoom_Click(i); };
        }
        menuExit.Click = [this] { Unload(); };
    }

    Image ZoomIn;
    std::array<Image, 2> Look;  // hidden holders: released and pressed pictures
    Label lblInfo;
    MenuItem menuView, menuLine, menuExit;
    std::array<MenuItem, 3> menuZoom;

    // Form-level variables live in the object, so they outlast Unload.
    int Zoom = 10;
    int Loads = 0;

protected:
    void Design() override {
        SetCaption("Example");
        SetBorderStyle(BorderStyle::FixedDialog);
        SetInnerSize(3000, 2400);
        Add(ZoomIn, 1800, 120, 750, 450);
        for (Image& look : Look) {
            Add(look, 0, 0, 750, 450);
            look.SetVisible(false);
        }
        Look[0].SetPicture(QImage(50, 30, QImage::Format_RGB32));
        Look[1].SetPicture(QImage(50, 30, QImage::Format_ARGB32));
        ZoomIn.SetPicture(Look[0].Picture());
        Add(lblInfo, 1800, 720, 0, 0);
        lblInfo.SetAutoSize(true);
        AddMenu(menuView, "&View");
        for (MenuItem& item : menuZoom) {
            menuView.Add(item, "zoom");
            item.SetVisible(false);
        }
        menuView.Add(menuLine, "-");
        menuView.Add(menuExit, "E&xit");
    }

    void Form_Load() override {
        ++Loads;
        lblInfo.SetCaption(QStringLiteral("Zoom: %1").arg(Zoom));
    }

private:
    void ZoomIn_Click() {
        if (Zoom > 1) {
            --Zoom;
        }
        lblInfo.SetCaption(QStringLiteral("Zoom: %1").arg(Zoom));
    }
    void menuZoom_Click(int Index) { menuZoom[Index].SetChecked(!menuZoom[Index].Checked()); }
};

}  // namespace velmora::test
