#pragma once
// The controls a window places on itself. Every control is a member of its window's class and
// lives as long as the window object; what Qt makes for it exists only while the window is loaded.
// Unloading returns every property to its default, so the next load starts from the window's
// Design(), while the event handlers (std::function members) stay wired.
// Positions and sizes are in twips from the top-left corner of the window's inner area (or of
// the frame that holds the control).

#include <QAction>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QMargins>
#include <QMenu>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

class QPainter;
class QEvent;

namespace velmora {

class Form;
class Frame;

using ClickHandler = std::function<void()>;
using MouseHandler = std::function<void(int Button, int Shift, float X, float Y)>;
using KeyDownHandler = std::function<void(int KeyCode, int Shift)>;

class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    // True while the control belongs to a loaded window.
    bool Loaded() const { return form_ != nullptr; }

protected:
    friend class Form;
    // Lets go of what Qt made and returns the properties to their defaults.
    virtual void Detach() = 0;

    Form* form_ = nullptr;
};

// The box of a control that has one: left, top, width and height in twips.
class Placement {
public:
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }

protected:
    void Place(float left, float top, float width, float height) {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
    }
    // The whole pixels the box covers: each edge rounded on its own, so boxes that meet in
    // twips meet in pixels.
    QRect PixelBox() const;

    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
};

// --- Lightweight controls: painted into the window's surface, in z-order ---

class LightControl : public Control {
public:
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Repaints the control's rectangle at once: back colour, then every visible lightweight
    // control there, bottom to top. Whatever was drawn there is gone.
    void Refresh();

protected:
    friend class Form;
    virtual QRect PixelBounds() const = 0;
    virtual void Paint(QPainter& painter) const = 0;
    // Call after a change of look or place: repaints where the control was and where it is.
    void Repaint(const QRect& before);

    bool visible_ = true;
};

class Image : public LightControl, public Placement {
public:
    ~Image() override;

    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& picture);
    // Stretched pictures fill the control; others show at natural size from its top-left,
    // cut at its edges.
    void SetStretch(bool stretch);
    // Shown while the pointer rests over the image where it lies on top.
    QString ToolTipText() const { return toolTip_; }
    void SetToolTipText(const QString& text) { toolTip_ = text; }

    ClickHandler Click;
    ClickHandler DblClick;
    MouseHandler MouseDown;
    MouseHandler MouseUp;
    MouseHandler MouseMove;

protected:
    void Detach() override;
    QRect PixelBounds() const override { return PixelBox(); }
    void Paint(QPainter& painter) const override;

private:
    friend class Form;
    QImage picture_;
    bool stretch_ = false;
    QString toolTip_;
};

// A black line control: drawn in the surface, receives no events.
class LineControl : public LightControl {
public:
    ~LineControl() override;

    void SetBorderWidth(int pixels);

protected:
    void Detach() override;
    QRect PixelBounds() const override;
    void Paint(QPainter& painter) const override;

private:
    friend class Form;
    float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    int borderWidth_ = 1;
};

// --- Controls that are real Qt widgets, stacked above the surface ---

class ControlBridge;

class WidgetControl : public Control, public Placement {
public:
    void SetWidth(float width) { Move(left_, top_, width, height_); }
    void SetHeight(float height) { Move(left_, top_, width_, height); }
    void Move(float left, float top, float width, float height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    QString ToolTipText() const { return toolTip_; }
    void SetToolTipText(const QString& text);

    void SetForeColor(const QColor& color);
    void SetBackColor(const QColor& color);
    void SetFontName(const QString& name);
    void SetFontSize(float points);
    void SetFontBold(bool bold);

    // The widget while the window is loaded, else null; for tests and fine tuning.
    QWidget* Widget() const { return widget_; }

protected:
    friend class Form;
    friend class Frame;
    friend class ControlBridge;

    // Makes the widget under parent.
    virtual QWidget* Create(QWidget* parent) = 0;
    // Wires the widget's signals through bridge_.
    virtual void Connect() {}
    virtual void ResetProperties() = 0;
    virtual bool TakesFocus() const { return false; }
    // Runs for every event of the widget; true swallows it.
    virtual bool FilterEvent(QEvent* event);
    // Palette roles of the control's text and ground.
    virtual int ForeRole() const;
    virtual int BackRole() const;
    virtual void FitToText() {}

    QFont Font() const;
    void Detach() override;
    void Attach(Form& form, QWidget* parent, float left, float top, float width, float height);
    void ApplyGeometry();
    void ApplyLook();
    // Throws away the widget and makes it again from the properties, in the same place.
    void Rebuild();
    // True while the widget that raised the event being handled still belongs to this control.
    bool StillOwns(QWidget* widget) const { return widget_ == widget && widget != nullptr; }

    QPointer<QWidget> widget_;
    ControlBridge* bridge_ = nullptr;
    QWidget* parent_ = nullptr;
    bool visible_ = true;
    bool enabled_ = true;
    QString toolTip_;
    QColor foreColor_;  // invalid: the style's
    QColor backColor_;  // invalid: transparent for labels, the style's for the rest
    QString fontName_;
    float fontSize_ = 0;  // 0: the default size
    bool fontBold_ = false;

private:
    void ResetCommon();
};

// A label never cuts its text off unseen: a caption too long for its room is shown up to an
// ellipsis ("…") that ends within it. The room is the label's box, or with AutoSize (without
// WordWrap) MaxWidth; Caption() keeps the whole text.
class Label : public WidgetControl {
public:
    ~Label() override;

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // Sized to its text: the width follows the text, or with WordWrap the height does.
    void SetAutoSize(bool autoSize);
    void SetWordWrap(bool wrap);
    // The widest an AutoSize label grows, in twips; 0: no limit.
    void SetMaxWidth(float width);
    // What the label shows: the caption, or its start and an ellipsis.
    QString ShownCaption() const;
    // Room between the label's box and its text, in twips.
    void SetMargins(float left, float top, float right, float bottom);

    // Comes for a left-button release over the label that it was pressed on.
    ClickHandler Click;

protected:
    QWidget* Create(QWidget* parent) override;
    void ResetProperties() override;
    bool FilterEvent(QEvent* event) override;
    void FitToText() override;

private:
    // The caption, or as much of it as fits within width x height pixels (height 0: one line).
    QString Fitted(int width, int height);

    QString caption_;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    float maxWidth_ = 0;
    QMargins margins_;  // pixels
    bool pressed_ = false;
};

enum class ScrollBars { None, Vertical };

class TextBox : public WidgetControl {
public:
    ~TextBox() override;

    // Multi-line text comes back with CR LF line ends, whatever was typed or set.
    QString Text() const;
    void SetText(const QString& text);
    void SetMultiLine(bool multiLine);
    void SetScrollBars(ScrollBars bars);
    // The most characters a single-line box takes, typed or set; 0: no limit.
    void SetMaxLength(int length);
    // Read-only; the caret and the keyboard still move through the text and select it for
    // copying.
    void SetLocked(bool locked);
    void SetFocus();

    KeyDownHandler KeyDown;

protected:
    QWidget* Create(QWidget* parent) override;
    void ResetProperties() override;
    bool TakesFocus() const override { return true; }
    bool FilterEvent(QEvent* event) override;
    int ForeRole() const override;
    int BackRole() const override;

private:
    QString text_;  // kept only while no widget holds it
    bool multiLine_ = false;
    ScrollBars scrollBars_ = ScrollBars::None;
    int maxLength_ = 0;
    bool locked_ = false;
};

class CommandButton : public WidgetControl {
public:
    ~CommandButton() override;

    void SetCaption(const QString& caption);
    // Enter pressed anywhere in the window presses the default button, Esc the cancel button.
    void SetDefault(bool isDefault);
    void SetCancel(bool isCancel);

    ClickHandler Click;

protected:
    friend class Form;
    QWidget* Create(QWidget* parent) override;
    void Connect() override;
    void ResetProperties() override;
    bool TakesFocus() const override { return true; }
    int ForeRole() const override;
    int BackRole() const override;
    // Presses the button as a click would, when it is visible and enabled.
    void Press();

private:
    QString caption_;
    bool default_ = false;
    bool cancel_ = false;
};

// A container; controls added to it are placed relative to its top-left corner.
class Frame : public WidgetControl {
public:
    ~Frame() override;

    void Add(WidgetControl& control, float left, float top, float width, float height);

protected:
    QWidget* Create(QWidget* parent) override;
    void ResetProperties() override {}
};

// A menu of the menu bar or an item of one. A caption of "-" makes a separator line.
class MenuItem : public Control {
public:
    ~MenuItem() override;

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // The check mark changes only when set; picking the item does not toggle it.
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // Hiding every menu of the menu bar removes the bar.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Adds an item to this menu of the menu bar.
    void Add(MenuItem& item, const QString& caption);

    // The Qt action while the window is loaded, else null; for tests.
    QAction* Action() const { return action_; }

    ClickHandler Click;

protected:
    friend class Form;
    void Detach() override;

private:
    void Attach(Form& form, QAction* action, QMenu* menu);
    void ApplyCheck();

    QPointer<QAction> action_;
    QPointer<QMenu> menu_;  // set for menus of the menu bar
    QString caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool visible_ = true;
};

}  // namespace velmora
