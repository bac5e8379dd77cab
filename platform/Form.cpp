#include "platform/Form.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>

#include "platform/FormWidgets.h"
#include "platform/WindowManager.h"

namespace velmora {

Form::Form(Services& services) : services_(services) {
    ResetDesign();
}

Form::~Form() {
    // Let go of the owned windows first: their Form_Unload must not reach an owner that is
    // half destroyed.
    const std::vector<Form*> owned = owned_;
    owned_.clear();
    for (Form* form : owned) {
        form->owner_ = nullptr;
    }
    for (Form* form : owned) {
        form->Unload();
    }
    if (owner_ != nullptr) {
        owner_->ForgetOwned(*this);
    }
    for (Control* control : controls_) {
        control->form_ = nullptr;
    }
    if (top_ != nullptr) {
        top_->form_ = nullptr;
        area_->form_ = nullptr;
        delete top_;
    }
}

// --- Lifecycle ---

void Form::Show(Form* owner) {
    if (loaded_) {
        if (top_ != nullptr && live_) {
            // A minimised window comes back as it was; an owned one may have no task bar
            // entry to bring it back by.
            top_->setWindowState(top_->windowState() & ~Qt::WindowMinimized);
            top_->show();
            top_->raise();
            top_->activateWindow();
        }
        return;
    }
    Load(owner);
}

void Form::Load(Form* owner) {
    if (owner == this || (owner != nullptr && !owner->loaded_)) {
        owner = nullptr;
    }
    loaded_ = true;
    const unsigned load = ++loadCount_;
    owner_ = owner;
    if (owner != nullptr) {
        owner->owned_.push_back(this);
    }
    top_ = new detail::TopWindow(this, owner != nullptr ? owner->top_ : nullptr);
    area_ = new detail::Surface(this);
    top_->setCentralWidget(area_);
    // The surface is made when it is first drawn on or shown.
    surfacePending_ = true;
    ApplyWindowKind();
    ApplyInnerSize();
    Design();
    if (!Alive(load)) {
        return;
    }
    Form_Load();
    if (!Alive(load)) {
        return;
    }
    // Form_Load may add controls as well.
    const bool controlTakesFocus =
        std::any_of(controls_.begin(), controls_.end(), [](Control* control) {
            auto* widget = dynamic_cast<WidgetControl*>(control);
            return widget != nullptr && widget->TakesFocus();
        });
    // A window without a control that takes the focus gets every key itself.
    area_->setFocusPolicy(controlTakesFocus ? Qt::NoFocus : Qt::StrongFocus);
    if (owner_ != nullptr && !owner_->live_) {
        // An owner still loading is not known to the window manager yet, which then cannot
        // keep this window above it: it comes up once its owner is shown.
        awaitingOwner_ = true;
        return;
    }
    Present();
}

void Form::Present() {
    const unsigned load = loadCount_;
    PlaceOnScreen();
    const bool titled = border_ != BorderStyle::None;
    const bool minimiseBox = border_ == BorderStyle::Sizable && minButton_;
    top_->MakeNative();
    // Only the native window receives Expose.
    top_->windowHandle()->installEventFilter(top_);
    detail::SetWindowManagerHints(
        *top_, {.SkipTaskbar = !showInTaskbar_, .NoMinimiseBox = titled && !minimiseBox});
    top_->show();  // a new window comes up on top of its owner
    if (area_->focusPolicy() != Qt::NoFocus) {
        area_->setFocus();
    }
    top_->activateWindow();
    detail::SendWindowRequests();
    if (!Alive(load)) {
        return;
    }
    live_ = true;
    const std::vector<Form*> owned = owned_;
    for (Form* form : owned) {
        if (form->awaitingOwner_) {
            form->awaitingOwner_ = false;
            form->Present();
        }
    }
    if (!Alive(load)) {
        return;
    }
    EnsureSurfaceSize(area_->size());
    outerSize_ = top_->frameGeometry().size();
    Form_Resize();
    if (Alive(load)) {
        Form_Paint();
    }
}

void Form::OuterMaybeResized() {
    // Width and Height are the outer size: a change of the frame alone is a resize too.
    if (!live_ || top_->frameGeometry().size() == outerSize_) {
        return;
    }
    outerSize_ = top_->frameGeometry().size();
    Form_Resize();
}

void Form::Unload() {
    if (!loaded_ || unloading_) {
        return;
    }
    unloading_ = true;
    const std::vector<Form*> owned = owned_;
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) {
        (*it)->Unload();
    }
    Form_Unload();
    loaded_ = false;
    live_ = false;
    awaitingOwner_ = false;
    captured_ = false;
    captureImage_ = nullptr;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        (*it)->Detach();
        (*it)->form_ = nullptr;
    }
    controls_.clear();
    lights_.clear();
    menuBar_ = nullptr;
    if (owner_ != nullptr) {
        owner_->ForgetOwned(*this);
        owner_ = nullptr;
    }
    detail::TopWindow* top = top_;
    top_ = nullptr;
    area_->form_ = nullptr;
    area_ = nullptr;
    top->form_ = nullptr;
    // Closing through Qt lets the program end when this was its last window.
    if (!closingFromQt_ && top->isVisible()) {
        top->close();
    }
    top->hide();
    // Later, since the event being handled may belong to one of the window's widgets.
    top->deleteLater();
    EndBatchPainter();
    surface_ = QImage();
    surfacePending_ = false;
    ResetDesign();
    unloading_ = false;
}

void Form::CloseRequested() {
    closingFromQt_ = true;
    Unload();
    closingFromQt_ = false;
}

void Form::Activated() {
    if (live_) {
        Form_GotFocus();
    }
}

void Form::Exposed() {
    if (paintOnExpose_ && live_ && top_->isVisible()) {
        Form_Paint();
    }
}

void Form::ResetDesign() {
    caption_.clear();
    border_ = BorderStyle::Sizable;
    showInTaskbar_ = true;
    minButton_ = true;
    maxButton_ = true;
    startUp_ = StartUpPosition::Default;
    manualLeft_ = 0;
    manualTop_ = 0;
    icon_ = QIcon();
    innerWidth_ = 4800;
    innerHeight_ = 3600;
    const QPalette palette = QApplication::palette();
    backColor_ = palette.color(QPalette::Window);
    paintOnExpose_ = false;
    foreColor_ = palette.color(QPalette::WindowText);
    fillColor_ = Qt::black;
    fillStyle_ = FillStyle::Transparent;
    currentX_ = 0;
    currentY_ = 0;
    font_ = QApplication::font();
}

void Form::ForgetOwned(Form& owned) {
    owned_.erase(std::remove(owned_.begin(), owned_.end(), &owned), owned_.end());
}

void Form::Register(Control& control) {
    if (std::find(controls_.begin(), controls_.end(), &control) == controls_.end()) {
        controls_.push_back(&control);
        if (auto* light = dynamic_cast<LightControl*>(&control)) {
            lights_.push_back(light);
        }
    }
    control.form_ = this;
}

void Form::Forget(Control& control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
    lights_.erase(std::remove(lights_.begin(), lights_.end(), &control), lights_.end());
    if (captureImage_ == &control) {
        captureImage_ = nullptr;
    }
}

// --- Window properties ---

void Form::SetCaption(const QString& caption) {
    caption_ = caption;
    if (top_ != nullptr) {
        top_->setWindowTitle(caption);
    }
}

void Form::SetBorderStyle(BorderStyle style) {
    border_ = style;
    ApplyWindowKind();
    ApplyInnerSize();
}

void Form::SetShowInTaskbar(bool shown) {
    showInTaskbar_ = shown;
    ApplyWindowKind();
}

void Form::SetMinButton(bool shown) {
    minButton_ = shown;
    ApplyWindowKind();
}

void Form::SetMaxButton(bool shown) {
    maxButton_ = shown;
    ApplyWindowKind();
}

void Form::SetStartUpPosition(StartUpPosition position) {
    startUp_ = position;
}

void Form::SetManualPosition(float left, float top) {
    startUp_ = StartUpPosition::Manual;
    manualLeft_ = left;
    manualTop_ = top;
}

void Form::SetIcon(const QIcon& icon) {
    icon_ = icon;
    if (top_ != nullptr) {
        top_->setWindowIcon(icon);
    }
}

void Form::SetInnerSize(float width, float height) {
    innerWidth_ = std::max(0.0f, width);
    innerHeight_ = std::max(0.0f, height);
    ApplyInnerSize();
}

float Form::InnerWidth() const {
    return loaded_ ? PixelsToTwips(SurfaceRect().width()) : innerWidth_;
}

float Form::InnerHeight() const {
    return loaded_ ? PixelsToTwips(SurfaceRect().height()) : innerHeight_;
}

float Form::Width() const {
    return top_ != nullptr ? PixelsToTwips(top_->frameGeometry().width()) : 0.0f;
}

float Form::Height() const {
    return top_ != nullptr ? PixelsToTwips(top_->frameGeometry().height()) : 0.0f;
}

void Form::SetBackColor(const QColor& color) {
    backColor_ = color;
    RepaintPixels(SurfaceRect());
}

void Form::ApplyWindowKind() {
    if (top_ == nullptr) {
        return;
    }
    // An owned window without a task bar entry is a dialog or a tool window to the window
    // system: only those are transient for their owner (X11's WM_TRANSIENT_FOR), which keeps
    // them above it. A window with an entry of its own is a normal window, which minimises
    // alone; the window manager would minimise a transient window with its owner.
    const Qt::WindowType normal = owner_ != nullptr && !showInTaskbar_ ? Qt::Dialog : Qt::Window;
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    switch (border_) {
        case BorderStyle::None:
            flags = normal | Qt::FramelessWindowHint;
            break;
        case BorderStyle::Sizable:
            flags |= normal;
            if (minButton_) {
                flags |= Qt::WindowMinimizeButtonHint;
            }
            if (maxButton_) {
                flags |= Qt::WindowMaximizeButtonHint;
            }
            break;
        case BorderStyle::FixedSingle:
        case BorderStyle::FixedDialog:
            flags |= normal;
            break;
        case BorderStyle::FixedToolWindow:
            flags |= Qt::Tool;
            break;
    }
    const bool wasVisible = top_->isVisible();
    top_->setWindowFlags(flags);
    top_->setWindowTitle(caption_);
    top_->setWindowIcon(icon_);
    if (wasVisible) {
        top_->show();
    }
}

void Form::ApplyInnerSize() {
    if (area_ == nullptr) {
        return;
    }
    const QSize pixels(std::max(0, TwipsToPixels(innerWidth_)),
                       std::max(0, TwipsToPixels(innerHeight_)));
    area_->hint_ = pixels;
    if (FixedSize()) {
        area_->setFixedSize(pixels);
        top_->layout()->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        area_->setMinimumSize(0, 0);
        area_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        top_->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        // A fixed-size layout pinned the window itself; let it go.
        top_->setMinimumSize(0, 0);
        top_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const int menuHeight =
            menuBar_ != nullptr && !menuBar_->isHidden() ? menuBar_->sizeHint().height() : 0;
        top_->resize(pixels.width(), pixels.height() + menuHeight);
    }
    area_->updateGeometry();
    if (!live_) {
        EnsureSurfaceSize(pixels);
    }
}

void Form::PlaceOnScreen() {
    // Menus added since the last sizing change the outer size.
    ApplyInnerSize();
    if (FixedSize()) {
        top_->adjustSize();
    }
    const QSize size = top_->size();
    QScreen* screen = owner_ != nullptr && owner_->top_ != nullptr
                          ? owner_->top_->screen()
                          : QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
    const QPoint half(size.width() / 2, size.height() / 2);
    switch (startUp_) {
        case StartUpPosition::Default:
            break;
        case StartUpPosition::CenterOwner:
            if (owner_ != nullptr && owner_->top_ != nullptr) {
                top_->move(owner_->top_->frameGeometry().center() - half);
                break;
            }
            [[fallthrough]];
        case StartUpPosition::CenterScreen:
            top_->move(available.center() - half);
            break;
        case StartUpPosition::Manual: {
            const int menuHeight =
                menuBar_ != nullptr && !menuBar_->isHidden() ? menuBar_->sizeHint().height() : 0;
            const QPoint inner(TwipsToPixels(manualLeft_), TwipsToPixels(manualTop_));
            top_->setGeometry(QRect(inner - QPoint(0, menuHeight), size));
            break;
        }
    }
}

// --- Menus ---

void Form::AddMenu(MenuItem& menu, const QString& caption) {
    if (!loaded_) {
        return;
    }
    if (menuBar_ == nullptr) {
        menuBar_ = top_->menuBar();
        menuBar_->setNativeMenuBar(false);
    }
    QMenu* qmenu = menuBar_->addMenu(caption);
    menu.Attach(*this, qmenu->menuAction(), qmenu);
    menu.SetCaption(caption);
    UpdateMenuBar();
}

void Form::UpdateMenuBar() {
    if (menuBar_ == nullptr) {
        return;
    }
    const QList<QAction*> menus = menuBar_->actions();
    const bool any = std::any_of(menus.begin(), menus.end(),
                                 [](const QAction* action) { return action->isVisible(); });
    if (any == menuBar_->isHidden()) {
        menuBar_->setVisible(any);
        // Lay out at once, so the inner area's new size is there when the handler goes on.
        top_->layout()->activate();
    }
}

// --- Controls ---

template <class Placing>
void Form::AddLight(LightControl& light, Placing place) {
    if (!loaded_) {
        return;
    }
    if (light.form_ != nullptr && light.form_ != this) {
        light.form_->Forget(light);
        light.Detach();
    }
    const QRect before = light.visible_ ? light.PixelBounds() : QRect();
    Register(light);
    place();
    light.Repaint(before);
}

void Form::Add(Image& image, float left, float top, float width, float height) {
    AddLight(image, [&] { image.Place(left, top, width, height); });
}

void Form::Add(WidgetControl& control, float left, float top, float width, float height) {
    if (!loaded_) {
        return;
    }
    control.Attach(*this, area_, left, top, width, height);
}

void Form::AddLine(LineControl& line, float x1, float y1, float x2, float y2) {
    AddLight(line, [&] {
        line.x1_ = x1;
        line.y1_ = y1;
        line.x2_ = x2;
        line.y2_ = y2;
    });
}

MsgBoxResult Form::MsgBox(const QString& text, MsgBoxButtons buttons, const QString& title) {
    return services_.MsgBox(top_, text, buttons, title);
}

}  // namespace velmora
