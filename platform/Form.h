#pragma once
// Form: the base of every window.
//
// A window class derives from Form, holds its controls as members, places them in Design()
// (which runs at every load, before Form_Load) and overrides the Form_ events it handles.
// The object lives for the whole run; Show loads the window when it is not open, Unload (or the
// close box) throws away its widgets and controls' properties but keeps the object's own
// member variables for the next load.
//
// Coordinates are twips from the top-left corner of the inner area, which lies under the menu
// bar. The inner area is a retained surface: drawing and lightweight controls paint into it and
// stay until something paints over them; real widgets (labels, text boxes, buttons, frames)
// lie above it.

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPointer>
#include <QStaticText>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "platform/CommonDialog.h"
#include "platform/Controls.h"
#include "platform/Services.h"
#include "platform/Units.h"

class QMainWindow;
class QMenuBar;
class QHelpEvent;
class QMouseEvent;
class QKeyEvent;
class QPainter;

namespace velmora {

namespace detail {
class Surface;
class TopWindow;
}  // namespace detail

// What Qt made for a loaded window, and its surface: for tests and benchmarks only.
struct FormTestAccess;

enum class BorderStyle {
    None,             // no frame and no caption bar
    FixedSingle,      // fixed size, caption bar with a close box
    Sizable,          // resizable, caption bar; min/max boxes as set
    FixedDialog,      // as FixedSingle, with a dialog frame
    FixedToolWindow,  // fixed size, small caption bar with a close box
};
enum class StartUpPosition { Default, CenterOwner, CenterScreen, Manual };
enum class FillStyle { Solid, Transparent };
enum class LineMode {
    Plain,
    Box,          // outline of the rectangle with corners (x1, y1) and (x2, y2)
    BoxRelative,  // the same with (x2, y2) an offset from (x1, y1)
};

class Form {
public:
    explicit Form(Services& services);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Loads the window if it is not open and shows it, modeless, above its owner; one shown
    // while its owner is still loading comes up just after the owner. An owned window is
    // unloaded with its owner. An open window is only brought forward, out of its minimised
    // state if it was minimised.
    void Show(Form* owner = nullptr);
    void Unload();
    bool Loaded() const { return loaded_; }
    Form* Owner() const { return owner_; }

    // --- Form properties (set them in Design) ---
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    void SetBorderStyle(BorderStyle style);
    // A window with a task bar entry is a window of its own to the window manager; one without
    // is kept above its owner. Both close with their owner.
    void SetShowInTaskbar(bool shown);
    void SetMinButton(bool shown);
    void SetMaxButton(bool shown);
    void SetStartUpPosition(StartUpPosition position);
    // Places the inner area's top-left corner at this screen point, in twips.
    void SetManualPosition(float left, float top);
    void SetIcon(const QIcon& icon);
    void SetInnerSize(float width, float height);
    float InnerWidth() const;
    float InnerHeight() const;
    // The outer size: frame, caption bar and menu bar included.
    float Width() const;
    float Height() const;
    QColor BackColor() const { return backColor_; }
    // Paints the whole inner area afresh in the new colour.
    void SetBackColor(const QColor& color);
    // Form_Paint runs again whenever the window system shows the window afresh (uncovered,
    // restored), for a window whose drawing follows what may have changed since it drew.
    void SetPaintOnExpose(bool paint) { paintOnExpose_ = paint; }

    // --- Drawing on the inner area ---
    QColor ForeColor() const { return foreColor_; }
    void SetForeColor(const QColor& color) { foreColor_ = color; }
    void SetFillColor(const QColor& color) { fillColor_ = color; }
    void SetFillStyle(FillStyle style) { fillStyle_ = style; }
    float CurrentX() const { return currentX_; }
    void SetCurrentX(float x) { currentX_ = x; }
    float CurrentY() const { return currentY_; }
    void SetCurrentY(float y) { currentY_ = y; }
    QFont Font() const { return font_; }

    // Back colour over the whole inner area, then the lightweight controls; CurrentX/Y to 0.
    void Cls();
    // One pixel wide, in the given colour or ForeColor. CurrentX/Y move to the second point.
    void Line(float x1, float y1, float x2, float y2, LineMode mode = LineMode::Plain);
    void Line(float x1, float y1, float x2, float y2, const QColor& color,
              LineMode mode = LineMode::Plain);
    // Outline in the given colour or ForeColor, filled with FillColor when FillStyle is Solid.
    void Circle(float x, float y, float radius);
    void Circle(float x, float y, float radius, const QColor& color);
    // The picture at its natural size, top-left corner at (x, y).
    void PaintPicture(const QImage& picture, float x, float y);
    // Only the rows firstRow to lastRow (pixels of the picture) of the same painting; the
    // rest of what lies there stays, for a drawing that knows those rows would be covered.
    void PaintPictureRows(const QImage& picture, float x, float y, int firstRow, int lastRow);
    // Text in ForeColor without background, its top at CurrentY; then CurrentX goes back to 0
    // and CurrentY down by a line for each line of the text.
    void Print(const QString& text);

    // --- Controls; the later a lightweight control is added, the higher it lies ---
    void Add(Image& image, float left, float top, float width, float height);
    void Add(WidgetControl& control, float left, float top, float width, float height);
    void AddLine(LineControl& line, float x1, float y1, float x2, float y2);
    void AddMenu(MenuItem& menu, const QString& caption);

    // --- Services ---
    Services& Svc() { return services_; }
    MsgBoxResult MsgBox(const QString& text, MsgBoxButtons buttons = MsgBoxButtons::OK,
                        const QString& title = {});

protected:
    // Sets the window's design: its properties and its controls. Runs at every load.
    virtual void Design() = 0;
    virtual void Form_Load() {}
    // After the first show and after the inner area grew.
    virtual void Form_Paint() {}
    // At the first show and whenever the inner area changes size.
    virtual void Form_Resize() {}
    // The window became the active one.
    virtual void Form_GotFocus() {}
    // The window is being unloaded, by Unload, its close box or its owner going; the windows it
    // owns are gone already, its own controls not yet.
    virtual void Form_Unload() {}
    // Key events reach the form only when it has no control that takes the focus.
    virtual void Form_KeyPress(int /*KeyAscii*/) {}
    // Mouse events on the inner area where no image lies.
    virtual void Form_Click() {}
    virtual void Form_MouseMove(int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/) {}

private:
    friend class detail::Surface;
    friend class detail::TopWindow;
    friend class Control;
    friend class LightControl;
    friend class WidgetControl;
    friend class MenuItem;
    friend class CommonDialog;
    friend class DrawingBatch;
    friend class CoveredPictures;
    friend struct FormTestAccess;
    class SurfacePainter;

    void Load(Form* owner);
    // Shows the loaded window, and the owned windows that waited for it.
    void Present();
    // The outer size may have changed with the window or its frame.
    void OuterMaybeResized();
    void ResetDesign();
    void ApplyWindowKind();
    void ApplyInnerSize();
    void PlaceOnScreen();
    bool FixedSize() const { return border_ != BorderStyle::Sizable; }
    void UpdateMenuBar();
    void Register(Control& control);
    void Forget(Control& control);
    // Takes the control from another window if need be, places it and paints it anew.
    template <class Placing>
    void AddLight(LightControl& light, Placing place);
    // Gone from the list of what this window owns.
    void ForgetOwned(Form& owned);

    // Surface
    void EndBatchPainter();
    // A line of Print text laid out once for printFont_, which Print keeps equal to the font.
    const QStaticText& LaidOut(const QString& line);
    void EnsureSurfaceSize(const QSize& size);
    void RepaintPixels(const QRect& rect);
    void Invalidate(const QRect& rect);
    QRect SurfaceRect() const {
        return surfacePending_ ? QRect(QPoint(0, 0), pendingSize_) : surface_.rect();
    }
    // The surface, made first if it is still to be made.
    QImage& Canvas();

    // Events from Qt
    Image* HitTest(const QPointF& position) const;
    // The receiver is what lies under the point, inside the inner area.
    bool Over(const Image* receiver, const QPointF& position) const;
    void SurfaceResized(const QSize& size);
    void MouseEvent(QMouseEvent* event);
    void KeyEvent(QKeyEvent* event);
    void ToolTipEvent(QHelpEvent* event);
    void Activated();
    void Exposed();
    void CloseRequested();
    // The load that a handler ran in is still the current one.
    bool Alive(unsigned load) const { return loaded_ && loadCount_ == load; }

    Services& services_;
    Form* owner_ = nullptr;
    std::vector<Form*> owned_;
    std::vector<Control*> controls_;     // in the order added
    std::vector<LightControl*> lights_;  // z-order, bottom first
    detail::TopWindow* top_ = nullptr;
    detail::Surface* area_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    // Made when it is first drawn on or shown: until then it would show only the back colour
    // and the lightweight controls, which it then paints at once.
    QImage surface_;
    bool surfacePending_ = false;
    QSize pendingSize_;
    // While a DrawingBatch lives: the one painter on the surface (begun at the first drawing)
    // and the pixels changed, shown when the last batch ends.
    int batchDepth_ = 0;
    std::unique_ptr<QPainter> batchPainter_;
    QRect batchDirty_;
    // Print's layouts and metrics for printFont_.
    QFont printFont_;
    std::optional<QFontMetrics> metrics_;
    QHash<QString, QStaticText> laidOut_;
    qsizetype laidOutCharacters_ = 0;
    bool loaded_ = false;
    bool unloading_ = false;
    bool live_ = false;           // shown; Resize and Paint events run
    bool awaitingOwner_ = false;  // loaded, to be shown when the owner is
    QSize outerSize_;             // as Form_Resize last saw it
    bool closingFromQt_ = false;
    unsigned loadCount_ = 0;

    // Design properties, back to these values at every unload
    QString caption_;
    BorderStyle border_ = BorderStyle::Sizable;
    bool showInTaskbar_ = true;
    bool minButton_ = true;
    bool maxButton_ = true;
    StartUpPosition startUp_ = StartUpPosition::Default;
    float manualLeft_ = 0, manualTop_ = 0;
    QIcon icon_;
    float innerWidth_ = 4800, innerHeight_ = 3600;
    QColor backColor_;
    bool paintOnExpose_ = false;
    QColor foreColor_;
    QColor fillColor_;
    FillStyle fillStyle_ = FillStyle::Transparent;
    float currentX_ = 0, currentY_ = 0;
    QFont font_;

    // Mouse capture: the receiver of the press holds the pointer until every button is up.
    bool captured_ = false;
    Image* captureImage_ = nullptr;  // null: the form itself
    bool doubleClicked_ = false;
};

// Draws every drawing call of the form made while it lives with one painter, and shows what
// changed with one repaint when it ends: a redraw of thousands of lines, circles, pictures and
// texts would otherwise open a painter and queue a repaint for each. Nothing else changes:
// the drawing methods paint the same pixels, in the same order. Batches may nest.
class DrawingBatch {
public:
    explicit DrawingBatch(Form& form);
    ~DrawingBatch();
    DrawingBatch(const DrawingBatch&) = delete;
    DrawingBatch& operator=(const DrawingBatch&) = delete;

private:
    Form& form_;
};

}  // namespace velmora
