#include "platform/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStaticText>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>

#include "platform/FormWidgets.h"
#include "platform/WindowManager.h"

namespace velmora {

namespace detail {

TopWindow::TopWindow(Form* form, QWidget* parent) : QMainWindow(parent), form_(form) {}

void TopWindow::closeEvent(QCloseEvent* event) {
    if (form_ != nullptr) {
        form_->CloseRequested();
    }
    event->accept();
}

bool TopWindow::event(QEvent* event) {
    // Before Qt's handling, which deletes the window on a deferred delete.
    if (form_ != nullptr) {
        switch (event->type()) {
            case QEvent::WindowActivate:
                form_->Activated();
                break;
            // The window manager's frame arrives after the first show and moves the window.
            case QEvent::Move:
            case QEvent::Resize:
                form_->OuterMaybeResized();
                break;
            default:
                break;
        }
    }
    return QMainWindow::event(event);
}

Surface::Surface(Form* form) : form_(form) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void Surface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (form_ == nullptr) {
        painter.fillRect(event->rect(), Qt::black);
        return;
    }
    const QImage& image = form_->Canvas();
    const QRect shown = event->rect() & image.rect();
    if (!shown.isEmpty()) {
        painter.drawImage(shown.topLeft(), image, shown);
    }
    // The widget can be larger than the surface for a moment while it grows.
    const QRegion rest = QRegion(event->rect()).subtracted(QRegion(image.rect()));
    for (const QRect& r : rest) {
        painter.fillRect(r, form_->backColor_);
    }
}

void Surface::resizeEvent(QResizeEvent*) {
    if (form_ != nullptr) {
        form_->SurfaceResized(size());
    }
}

void Surface::mousePressEvent(QMouseEvent* event) {
    Mouse(event);
}
void Surface::mouseReleaseEvent(QMouseEvent* event) {
    Mouse(event);
}
void Surface::mouseDoubleClickEvent(QMouseEvent* event) {
    Mouse(event);
}
void Surface::mouseMoveEvent(QMouseEvent* event) {
    Mouse(event);
}

void Surface::Mouse(QMouseEvent* event) {
    if (form_ != nullptr) {
        form_->MouseEvent(event);
    }
}

bool Surface::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && form_ != nullptr) {
        form_->ToolTipEvent(static_cast<QHelpEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

void Surface::keyPressEvent(QKeyEvent* event) {
    if (form_ != nullptr) {
        form_->KeyEvent(event);
    } else {
        event->ignore();
    }
}

}  // namespace detail

namespace {

QPen onePixelPen(const QColor& color) {
    QPen pen(color);
    pen.setWidth(1);
    return pen;
}

// Fills the pixels of rect (already inside the image) of an RGB32 image.
void fillPixels(QImage& image, const QRect& rect, QRgb colour) {
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(row + rect.left(), row + rect.right() + 1, colour);
    }
}

// A one-pixel line from a to b, both ends included: one pixel for each step along the longer
// axis, the other coordinate rounded half up. Only the part inside the image is walked, so a
// line with far-away ends costs no more than one across the image.
void drawSegment(QImage& image, QPoint a, QPoint b, QRgb colour) {
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const bool alongX = std::abs(int64_t{b.x()} - a.x()) >= std::abs(int64_t{b.y()} - a.y());
    if (!alongX) {
        a = a.transposed();
        b = b.transposed();
    }
    if (b.x() < a.x()) {
        std::swap(a, b);
    }
    const int major = alongX ? image.width() : image.height();
    const int minor = alongX ? image.height() : image.width();
    const int from = std::max(a.x(), 0);
    const int to = std::min(b.x(), major - 1);
    if (from > to) {
        return;
    }
    // The minor coordinate at step m is a.y + floor((2 (m - a.x) d2 + d1) / 2 d1), kept as a
    // quotient and a remainder that each step moves on by 2 d2 (at most one whole d1 each way).
    const int64_t d1 = int64_t{b.x()} - a.x();
    const int64_t d2 = int64_t{b.y()} - a.y();
    const int64_t den = 2 * std::max<int64_t>(d1, 1);
    const int64_t step = d1 == 0 ? 0 : 2 * d2;
    const int64_t first = d1 == 0 ? 0 : 2 * (from - a.x()) * d2 + d1;
    int64_t q = first >= 0 ? first / den : -((-first + den - 1) / den);
    int64_t r = first - q * den;
    for (int m = from; m <= to; ++m) {
        const int64_t n = a.y() + q;
        if (n >= 0 && n < minor) {
            const int x = alongX ? m : static_cast<int>(n);
            const int y = alongX ? static_cast<int>(n) : m;
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = colour;
        }
        r += step;
        if (r >= den) {
            r -= den;
            ++q;
        } else if (r < 0) {
            r += den;
            --q;
        }
    }
}

// The pixels the painter sets for a circle of a small pixel radius around (0, 0), with a
// one-pixel pen over a solid brush: the same for every whole-pixel centre, so painted once.
struct CircleStamp {
    // Runs of pixels of one row, offsets from the centre: [Left, Right] on row Dy.
    struct Run {
        int Dy, Left, Right;
    };
    std::vector<Run> outline;
    std::vector<Run> inside;
};

constexpr int kMaxStampRadius = 32;

const CircleStamp& circleStamp(int radius) {
    static std::array<std::optional<CircleStamp>, kMaxStampRadius + 1> stamps;
    std::optional<CircleStamp>& stamp = stamps[static_cast<std::size_t>(radius)];
    if (!stamp) {
        const int side = 2 * radius + 3;
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            painter.setPen(onePixelPen(Qt::red));
            painter.setBrush(QBrush(Qt::green));
            painter.drawEllipse(QPoint(radius + 1, radius + 1), radius, radius);
        }
        stamp.emplace();
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side;) {
                const QRgb c = image.pixel(x, y);
                int end = x;
                while (end + 1 < side && image.pixel(end + 1, y) == c) {
                    ++end;
                }
                const CircleStamp::Run run{y - radius - 1, x - radius - 1, end - radius - 1};
                if (c == qRgb(255, 0, 0)) {
                    stamp->outline.push_back(run);
                } else if (c == qRgb(0, 255, 0)) {
                    stamp->inside.push_back(run);
                }
                x = end + 1;
            }
        }
    }
    return *stamp;
}

}  // namespace

// A painter on the surface: the batch's while one lives, else one of its own.
class Form::SurfacePainter {
public:
    explicit SurfacePainter(Form& form) {
        if (form.batchDepth_ > 0) {
            if (form.batchPainter_ == nullptr) {
                form.batchPainter_ = std::make_unique<QPainter>(&form.Canvas());
            }
            painter_ = form.batchPainter_.get();
        } else {
            painter_ = &own_.emplace(&form.Canvas());
        }
    }
    QPainter* operator->() const { return painter_; }
    QPainter& operator*() const { return *painter_; }

private:
    std::optional<QPainter> own_;
    QPainter* painter_ = nullptr;
};

DrawingBatch::DrawingBatch(Form& form) : form_(form) {
    ++form_.batchDepth_;
}

DrawingBatch::~DrawingBatch() {
    if (--form_.batchDepth_ > 0) {
        return;
    }
    form_.EndBatchPainter();
    const QRect dirty = form_.batchDirty_ & form_.SurfaceRect();
    form_.batchDirty_ = QRect();
    form_.Invalidate(dirty);
}

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

QWidget* Form::TopLevel() const {
    return top_;
}
QWidget* Form::InnerArea() const {
    return area_;
}

// --- The surface ---

void Form::EndBatchPainter() {
    batchPainter_.reset();
}

QImage& Form::Canvas() {
    if (surfacePending_) {
        surfacePending_ = false;
        EnsureSurfaceSize(pendingSize_);
    }
    return surface_;
}

void Form::EnsureSurfaceSize(const QSize& requested) {
    const QSize size = requested.expandedTo(QSize(0, 0));
    if (surfacePending_) {
        pendingSize_ = size;
        return;
    }
    const QSize old = surface_.size();
    if (old == size) {
        return;
    }
    // A batch's painter must not outlive the image it paints; the next drawing begins anew.
    EndBatchPainter();
    QImage next(size, QImage::Format_RGB32);
    if (!next.isNull()) {
        next.fill(backColor_);
        if (!surface_.isNull()) {
            QPainter painter(&next);
            painter.drawImage(0, 0, surface_);
        }
    }
    surface_ = next;
    // The new part has the back colour already: only the controls that reach into it paint
    // there, so a new window's surface needs no painter until its first control.
    const QRect grown[] = {QRect(old.width(), 0, size.width() - old.width(), size.height()),
                           QRect(0, old.height(), size.width(), size.height() - old.height())};
    for (const QRect& part : grown) {
        if (part.isEmpty()) {
            continue;
        }
        const bool controlThere = std::any_of(lights_.begin(), lights_.end(), [&](auto* light) {
            return light->visible_ && light->PixelBounds().intersects(part);
        });
        if (controlThere) {
            RepaintPixels(part);
        } else {
            Invalidate(part);
        }
    }
}

void Form::RepaintPixels(const QRect& rect) {
    const QRect area = rect & SurfaceRect();
    if (area.isEmpty()) {
        return;
    }
    // A surface yet to be made shows the back colour and the controls everywhere once made.
    if (surfacePending_) {
        Invalidate(area);
        return;
    }
    {
        SurfacePainter painter(*this);
        painter->save();
        painter->setClipRect(area);
        painter->fillRect(area, backColor_);
        for (LightControl* light : lights_) {
            if (light->visible_ && light->PixelBounds().intersects(area)) {
                painter->save();
                light->Paint(*painter);
                painter->restore();
            }
        }
        painter->restore();
    }
    Invalidate(area);
}

void Form::Invalidate(const QRect& rect) {
    if (batchDepth_ > 0) {
        // Grown by hand: this runs for every step of a large redraw.
        if (batchDirty_.isNull()) {
            batchDirty_ = rect;
        } else if (!rect.isEmpty()) {
            batchDirty_.setCoords(std::min(batchDirty_.left(), rect.left()),
                                  std::min(batchDirty_.top(), rect.top()),
                                  std::max(batchDirty_.right(), rect.right()),
                                  std::max(batchDirty_.bottom(), rect.bottom()));
        }
    } else if (area_ != nullptr && !rect.isEmpty()) {
        area_->update(rect);
    }
}

void Form::SurfaceResized(const QSize& size) {
    const QSize old = SurfaceRect().size();
    EnsureSurfaceSize(size);
    if (!live_ || old == size) {
        return;
    }
    const unsigned load = loadCount_;
    outerSize_ = top_->frameGeometry().size();
    Form_Resize();
    if (Alive(load) && (size.width() > old.width() || size.height() > old.height())) {
        Form_Paint();
    }
}

// --- Drawing ---

void Form::Cls() {
    currentX_ = 0;
    currentY_ = 0;
    RepaintPixels(SurfaceRect());
}

void Form::Line(float x1, float y1, float x2, float y2, LineMode mode) {
    Line(x1, y1, x2, y2, foreColor_, mode);
}

void Form::Line(float x1, float y1, float x2, float y2, const QColor& color, LineMode mode) {
    if (mode == LineMode::BoxRelative) {
        x2 += x1;
        y2 += y1;
    }
    currentX_ = x2;
    currentY_ = y2;
    if (Canvas().isNull()) {
        return;
    }
    const QPoint a(TwipsToPixels(x1), TwipsToPixels(y1));
    const QPoint b(TwipsToPixels(x2), TwipsToPixels(y2));
    const QRect span = PixelSpan(a, b);
    if (!span.intersects(surface_.rect())) {
        return;
    }
    if (mode == LineMode::Plain && surface_.format() == QImage::Format_RGB32) {
        // Set directly: a grid of thousands of lines is a redraw's largest part.
        if (a.x() == b.x() || a.y() == b.y()) {
            fillPixels(surface_, span & surface_.rect(), color.rgb());
        } else {
            drawSegment(surface_, a, b, color.rgb());
        }
        Invalidate(span);
        return;
    }
    {
        SurfacePainter painter(*this);
        painter->setPen(onePixelPen(color));
        if (mode == LineMode::Plain || a.x() == b.x() || a.y() == b.y()) {
            painter->drawLine(a, b);
        } else {
            // A stroked QRect covers one pixel more than its size each way.
            painter->drawRect(span.adjusted(0, 0, -1, -1));
        }
    }
    Invalidate(span.adjusted(-1, -1, 1, 1));
}

void Form::Circle(float x, float y, float radius) {
    Circle(x, y, radius, foreColor_);
}

void Form::Circle(float x, float y, float radius, const QColor& color) {
    currentX_ = x;
    currentY_ = y;
    if (Canvas().isNull()) {
        return;
    }
    const QPoint centre(TwipsToPixels(x), TwipsToPixels(y));
    const int r = std::abs(TwipsToPixels(radius));
    const QRect bounds(centre.x() - r - 1, centre.y() - r - 1, 2 * r + 3, 2 * r + 3);
    if (!bounds.intersects(surface_.rect())) {
        return;
    }
    if (r <= kMaxStampRadius && surface_.format() == QImage::Format_RGB32) {
        // Small circles, such as the ground dots of a crowded 3-D map, set their pixels
        // directly from the painter's own pattern for that radius.
        const CircleStamp& stamp = circleStamp(r);
        uchar* bits = surface_.bits();
        const qsizetype stride = surface_.bytesPerLine();
        const int width = surface_.width();
        const int height = surface_.height();
        auto set = [&](const std::vector<CircleStamp::Run>& runs, QRgb colour) {
            for (const CircleStamp::Run& run : runs) {
                const int y = centre.y() + run.Dy;
                const int left = std::max(centre.x() + run.Left, 0);
                const int right = std::min(centre.x() + run.Right, width - 1);
                if (y >= 0 && y < height && left <= right) {
                    auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
                    std::fill(row + left, row + right + 1, colour);
                }
            }
        };
        if (fillStyle_ == FillStyle::Solid) {
            set(stamp.inside, fillColor_.rgb());
        }
        set(stamp.outline, color.rgb());
        Invalidate(bounds);
        return;
    }
    {
        SurfacePainter painter(*this);
        painter->setPen(onePixelPen(color));
        painter->setBrush(fillStyle_ == FillStyle::Solid ? QBrush(fillColor_)
                                                         : QBrush(Qt::NoBrush));
        painter->drawEllipse(centre, r, r);
    }
    Invalidate(bounds);
}

void Form::PaintPicture(const QImage& picture, float x, float y) {
    PaintPictureRows(picture, x, y, 0, picture.height() - 1);
}

void Form::PaintPictureRows(const QImage& picture, float x, float y, int firstRow, int lastRow) {
    if (Canvas().isNull() || picture.isNull()) {
        return;
    }
    const QRect whole(QPoint(TwipsToPixels(x), TwipsToPixels(y)), picture.size());
    const QRect target =
        whole & QRect(whole.left(), whole.top() + firstRow, whole.width(), lastRow - firstRow + 1);
    if (picture.format() == surface_.format()) {
        // An opaque picture in the surface's own format is a plain copy of rows; a crowded
        // tactical view paints tens of thousands, and a painter for each costs most of a frame.
        const QRect shown = target & surface_.rect();
        if (shown.isEmpty()) {
            return;
        }
        const auto rowBytes = static_cast<std::size_t>(shown.width()) * 4;
        const qsizetype fromStride = picture.bytesPerLine();
        const qsizetype toStride = surface_.bytesPerLine();
        const uchar* from = picture.constBits() + (shown.top() - whole.top()) * fromStride +
                            (shown.left() - whole.left()) * 4;
        uchar* to = surface_.bits() + shown.top() * toStride + shown.left() * 4;
        auto copyRows = [&](std::size_t bytes) {
            for (int row = 0; row < shown.height(); ++row, from += fromStride, to += toStride) {
                std::memcpy(to, from, bytes);
            }
        };
        // The aircraft pictures, 24 pixels wide, copied with a size known here, which the
        // compiler turns into a few moves instead of a library call a row.
        constexpr std::size_t kIconRow = 24 * 4;
        if (rowBytes == kIconRow) {
            copyRows(kIconRow);
        } else {
            copyRows(rowBytes);
        }
        Invalidate(shown);
        return;
    }
    if (!target.intersects(surface_.rect())) {
        return;
    }
    {
        SurfacePainter painter(*this);
        painter->drawImage(target, picture, target.translated(-whole.topLeft()));
    }
    Invalidate(target);
}

const QStaticText& Form::LaidOut(const QString& line) {
    if (const auto found = laidOut_.constFind(line); found != laidOut_.cend()) {
        return *found;
    }
    // Bounded by the characters kept: texts from turn files can be many and new at every
    // load. A turn's worth of short labels fits.
    constexpr qsizetype kMaxLaidOutCharacters = qsizetype{1} << 20;
    if (laidOutCharacters_ + line.size() > kMaxLaidOutCharacters) {
        laidOut_.clear();
        laidOutCharacters_ = 0;
    }
    laidOutCharacters_ += line.size();
    QStaticText text(line);
    text.setTextFormat(Qt::PlainText);
    text.setPerformanceHint(QStaticText::AggressiveCaching);
    // Laid out for the font as the painter holds it on the surface, so drawing it does not
    // lay it out again.
    text.prepare(QTransform(), QFont(font_, &surface_));
    return *laidOut_.insert(line, text);
}

void Form::Print(const QString& text) {
    Canvas();
    if (!metrics_ || !(printFont_ == font_)) {
        printFont_ = font_;
        laidOut_.clear();
        laidOutCharacters_ = 0;
        metrics_.emplace(font_, &surface_);
    }
    const QFontMetrics& metrics = *metrics_;
    const float lineTwips = PixelsToTwips(metrics.height());
    const QStringList lines =
        text.contains(QLatin1Char('\n')) ? text.split(QLatin1Char('\n')) : QStringList{text};
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        const QPoint topLeft(TwipsToPixels(currentX_), TwipsToPixels(currentY_));
        // Text starts at its left edge and runs right: nothing of it shows from beyond the
        // right or the bottom edge, nor when its line lies above the top.
        const bool shows = !surface_.isNull() && !line.isEmpty() &&
                           topLeft.x() < surface_.width() && topLeft.y() < surface_.height() &&
                           topLeft.y() + metrics.height() > 0;
        if (shows) {
            const QStaticText& laidOut = LaidOut(line);
            {
                SurfacePainter painter(*this);
                if (batchDepth_ == 0 || !(painter->font() == QFont(font_, &surface_))) {
                    painter->setFont(font_);
                }
                painter->setPen(foreColor_);
                painter->drawStaticText(topLeft, laidOut);
            }
            Invalidate(QRect(topLeft, QSize(static_cast<int>(std::ceil(laidOut.size().width())) +
                                                metrics.maxWidth(),
                                            metrics.height())));
        }
        currentX_ = 0;
        currentY_ += lineTwips;
    }
}

// --- Events ---

Image* Form::HitTest(const QPointF& position) const {
    const QPoint pixel(static_cast<int>(std::floor(position.x())),
                       static_cast<int>(std::floor(position.y())));
    for (auto it = lights_.rbegin(); it != lights_.rend(); ++it) {
        auto* image = dynamic_cast<Image*>(*it);
        if (image != nullptr && image->visible_ && image->PixelBounds().contains(pixel)) {
            return image;
        }
    }
    return nullptr;
}

bool Form::Over(const Image* receiver, const QPointF& position) const {
    return QRectF(SurfaceRect()).contains(position) && HitTest(position) == receiver;
}

void Form::MouseEvent(QMouseEvent* event) {
    const unsigned load = loadCount_;
    const QPointF position = event->position();
    const int shift = ShiftFromQt(event->modifiers());
    const float x = PixelsToTwips(position.x());
    const float y = PixelsToTwips(position.y());
    // Where no image lies, the form itself takes only MouseMove and Click.
    auto mouse = [&](Image* receiver, MouseHandler Image::*handler, int buttons) {
        if (receiver != nullptr && receiver->*handler) {
            (receiver->*handler)(buttons, shift, x - receiver->left_, y - receiver->top_);
        }
    };

    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // A press with no other button held starts afresh, even when a modal dialog
            // opened by the last press swallowed its release.
            if (!captured_ || event->buttons() == event->button()) {
                captured_ = true;
                captureImage_ = HitTest(position);
                doubleClicked_ = false;
            }
            if (event->type() == QEvent::MouseButtonDblClick && event->button() == Qt::LeftButton) {
                // The second press of a double click sends DblClick in place of MouseDown.
                doubleClicked_ = true;
                if (captureImage_ != nullptr && captureImage_->DblClick) {
                    captureImage_->DblClick();
                }
            } else {
                mouse(captureImage_, &Image::MouseDown, ButtonsFromQt(event->button()));
            }
            break;
        }
        case QEvent::MouseButtonRelease: {
            Image* receiver = captured_ ? captureImage_ : HitTest(position);
            const bool clicked = captured_ && event->button() == Qt::LeftButton &&
                                 !doubleClicked_ && Over(receiver, position);
            if (event->buttons() == Qt::NoButton) {
                captured_ = false;
                captureImage_ = nullptr;
            }
            mouse(receiver, &Image::MouseUp, ButtonsFromQt(event->button()));
            if (!clicked || !Alive(load)) {
                break;
            }
            if (receiver == nullptr) {
                Form_Click();
            } else if (receiver->Click) {
                receiver->Click();
            }
            break;
        }
        case QEvent::MouseMove: {
            if (captured_ && event->buttons() == Qt::NoButton) {
                captured_ = false;  // the release went elsewhere
                captureImage_ = nullptr;
            }
            if (!captured_ && !QRectF(SurfaceRect()).contains(position)) {
                break;
            }
            Image* receiver = captured_ ? captureImage_ : HitTest(position);
            const int buttons = ButtonsFromQt(event->buttons());
            if (receiver == nullptr) {
                Form_MouseMove(buttons, shift, x, y);
            } else {
                mouse(receiver, &Image::MouseMove, buttons);
            }
            break;
        }
        default:
            break;
    }
}

void Form::KeyEvent(QKeyEvent* event) {
    if (area_->focusPolicy() != Qt::NoFocus) {
        if (const int ascii = KeyAsciiFromEvent(*event); ascii != 0) {
            Form_KeyPress(ascii);
        }
        return;
    }
    // A key that the focused control left alone: Enter and Esc press the window's buttons.
    const int key = event->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool escape = key == Qt::Key_Escape;
    if (enter || escape) {
        CommandButton* target = nullptr;
        const QWidget* focused = top_->focusWidget();
        for (Control* control : controls_) {
            auto* button = dynamic_cast<CommandButton*>(control);
            if (button == nullptr || !button->visible_ || !button->enabled_) {
                continue;
            }
            if (enter && button->widget_ == focused) {
                target = button;  // a focused button takes Enter itself
                break;
            }
            if (target == nullptr && (enter ? button->default_ : button->cancel_)) {
                target = button;
            }
        }
        if (target != nullptr) {
            target->Press();
            return;
        }
    }
    event->ignore();
}

void Form::ToolTipEvent(QHelpEvent* event) {
    const Image* image = HitTest(event->pos());
    if (image == nullptr || image->toolTip_.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    QToolTip::showText(event->globalPos(), image->toolTip_, area_, image->PixelBounds());
}

}  // namespace velmora
