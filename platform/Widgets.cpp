#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "platform/Form.h"

namespace velmora {

// Carries a widget's events and signals to its control for as long as the control owns it.
class ControlBridge : public QObject {
public:
    ControlBridge(WidgetControl* control, QObject* parent) : QObject(parent), control(control) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        return control != nullptr && watched == control->widget_ && control->FilterEvent(event);
    }

    WidgetControl* control;
};

// --- WidgetControl ---

void WidgetControl::Attach(Form& form, QWidget* parent, float left, float top, float width,
                           float height) {
    if (form_ != nullptr && form_ != &form) {
        form_->Forget(*this);
        Detach();
    }
    Place(left, top, width, height);
    if (widget_ != nullptr && parent_ == parent) {
        ApplyGeometry();
        return;
    }
    form.Register(*this);
    parent_ = parent;
    Rebuild();
}

void WidgetControl::Rebuild() {
    if (widget_ != nullptr) {
        if (bridge_ != nullptr) {
            bridge_->control = nullptr;
        }
        widget_->hide();
        widget_->deleteLater();
    }
    widget_ = Create(parent_);
    bridge_ = new ControlBridge(this, widget_);
    widget_->installEventFilter(bridge_);
    Connect();
    ApplyLook();
    ApplyGeometry();
    FitToText();
    widget_->setToolTip(toolTip_);
    widget_->setEnabled(enabled_);
    widget_->setVisible(visible_);
}

void WidgetControl::Detach() {
    if (bridge_ != nullptr) {
        bridge_->control = nullptr;
        bridge_ = nullptr;
    }
    // Unloading deletes the window with every widget in it; a control that goes on its own
    // takes its widget along.
    if (widget_ != nullptr && form_ != nullptr && form_->Loaded()) {
        widget_->hide();
        widget_->deleteLater();
    }
    widget_ = nullptr;
    parent_ = nullptr;
    ResetCommon();
    ResetProperties();
}

void WidgetControl::ResetCommon() {
    Place(0, 0, 0, 0);
    visible_ = true;
    enabled_ = true;
    toolTip_.clear();
    foreColor_ = QColor();
    backColor_ = QColor();
    fontName_.clear();
    fontSize_ = 0;
    fontBold_ = false;
}

void WidgetControl::Move(float left, float top, float width, float height) {
    Place(left, top, width, height);
    ApplyGeometry();
    FitToText();  // a label's text fits its new room
}

void WidgetControl::ApplyGeometry() {
    if (widget_ != nullptr) {
        widget_->setGeometry(PixelBox());
    }
}

void WidgetControl::ApplyLook() {
    if (widget_ == nullptr) {
        return;
    }
    QPalette palette = QApplication::palette(widget_);
    if (foreColor_.isValid()) {
        // The disabled look keeps the style's colour, so a disabled control still looks it.
        const auto role = static_cast<QPalette::ColorRole>(ForeRole());
        palette.setColor(QPalette::Active, role, foreColor_);
        palette.setColor(QPalette::Inactive, role, foreColor_);
    }
    const auto backRole = static_cast<QPalette::ColorRole>(BackRole());
    if (backColor_.isValid()) {
        palette.setColor(backRole, backColor_);
    }
    widget_->setPalette(palette);
    if (backRole == QPalette::Window) {
        widget_->setAutoFillBackground(backColor_.isValid());
    }
    widget_->setFont(Font());
}

void WidgetControl::SetVisible(bool visible) {
    visible_ = visible;
    if (widget_ != nullptr) {
        widget_->setVisible(visible);
    }
}

void WidgetControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (widget_ != nullptr) {
        widget_->setEnabled(enabled);
    }
}

void WidgetControl::SetToolTipText(const QString& text) {
    toolTip_ = text;
    if (widget_ != nullptr) {
        widget_->setToolTip(text);
    }
}

void WidgetControl::SetForeColor(const QColor& color) {
    foreColor_ = color;
    ApplyLook();
}

void WidgetControl::SetBackColor(const QColor& color) {
    backColor_ = color;
    ApplyLook();
}

QFont WidgetControl::Font() const {
    QFont font = widget_ != nullptr ? QApplication::font(widget_) : QApplication::font();
    if (!fontName_.isEmpty()) {
        font.setFamily(fontName_);
    }
    if (fontSize_ > 0) {
        font.setPointSizeF(fontSize_);
    }
    if (fontBold_) {
        font.setBold(true);
    }
    return font;
}

void WidgetControl::SetFontName(const QString& name) {
    fontName_ = name;
    ApplyLook();
    FitToText();
}

void WidgetControl::SetFontSize(float points) {
    if (points > 0 && std::isfinite(points)) {
        fontSize_ = points;
        ApplyLook();
        FitToText();
    }
}

void WidgetControl::SetFontBold(bool bold) {
    fontBold_ = bold;
    ApplyLook();
    FitToText();
}

bool WidgetControl::FilterEvent(QEvent*) {
    return false;
}
int WidgetControl::ForeRole() const {
    return QPalette::WindowText;
}
int WidgetControl::BackRole() const {
    return QPalette::Window;
}

// --- Label ---

Label::~Label() {
    Detach();
}

QWidget* Label::Create(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wordWrap_);
    label->setContentsMargins(margins_);
    label->setText(caption_);
    return label;
}

void Label::ResetProperties() {
    caption_.clear();
    autoSize_ = false;
    wordWrap_ = false;
    maxWidth_ = 0;
    margins_ = QMargins();
    pressed_ = false;
}

void Label::SetCaption(const QString& caption) {
    caption_ = caption;
    FitToText();
}

void Label::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    FitToText();
}

void Label::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    if (auto* label = qobject_cast<QLabel*>(widget_)) {
        label->setWordWrap(wrap);
    }
    FitToText();
}

void Label::SetMargins(float left, float top, float right, float bottom) {
    margins_ = QMargins(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(right),
                        TwipsToPixels(bottom));
    if (widget_ != nullptr) {
        widget_->setContentsMargins(margins_);
    }
    FitToText();
}

void Label::SetMaxWidth(float width) {
    maxWidth_ = std::max(0.0f, width);
    FitToText();
}

QString Label::ShownCaption() const {
    const auto* label = qobject_cast<const QLabel*>(widget_);
    return label != nullptr ? label->text() : caption_;
}

QString Label::Fitted(int width, int height) {
    auto* label = qobject_cast<QLabel*>(widget_);
    label->setText(caption_);
    if (height <= 0) {
        // The label's own padding around the text's advance stays as it is.
        const QFontMetrics metrics(label->font());
        const int padding = label->sizeHint().width() - metrics.horizontalAdvance(caption_);
        if (label->sizeHint().width() <= width) {
            return caption_;
        }
        return metrics.elidedText(caption_, Qt::ElideRight, std::max(0, width - padding));
    }
    if (label->heightForWidth(width) <= height) {
        return caption_;
    }
    // The longest start that wraps within the box with the ellipsis after it.
    const QString ellipsis(QChar(0x2026));
    qsizetype fits = 0;
    qsizetype tooLong = caption_.size();
    while (tooLong - fits > 1) {
        const qsizetype middle = (fits + tooLong) / 2;
        label->setText(caption_.left(middle) + ellipsis);
        (label->heightForWidth(width) <= height ? fits : tooLong) = middle;
    }
    if (fits > 0 && caption_[fits - 1].isHighSurrogate()) {
        --fits;
    }
    return caption_.left(fits) + ellipsis;
}

void Label::FitToText() {
    auto* label = qobject_cast<QLabel*>(widget_);
    if (label == nullptr) {
        return;
    }
    if (autoSize_ && wordWrap_) {
        label->setText(caption_);
        const int width = std::max(1, label->width());
        height_ = PixelsToTwips(label->heightForWidth(width));
    } else if (autoSize_) {
        const int room = maxWidth_ > 0 ? TwipsToPixels(maxWidth_) : QWIDGETSIZE_MAX;
        label->setText(Fitted(room, 0));
        const QSize size = label->sizeHint();
        width_ = PixelsToTwips(size.width());
        height_ = PixelsToTwips(size.height());
    } else {
        const int boxHeight = wordWrap_ ? std::max(1, label->height()) : 0;
        label->setText(Fitted(label->width(), boxHeight));
    }
    ApplyGeometry();
}

bool Label::FilterEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (type == QEvent::MouseButtonPress) {
        pressed_ = mouse->button() == Qt::LeftButton;
    } else if (mouse->button() == Qt::LeftButton) {
        const bool clicked = pressed_ && widget_->rect().contains(mouse->position().toPoint());
        pressed_ = false;
        if (clicked && Click) {
            Click();
        }
    }
    return false;
}

// --- TextBox ---

namespace {

// A read-only QPlainTextEdit takes only the mouse's selection; a locked box keeps the keyboard's.
void LockEdit(QPlainTextEdit& edit, bool locked) {
    edit.setReadOnly(locked);
    if (locked) {
        edit.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
}

}  // namespace

TextBox::~TextBox() {
    Detach();
}

QWidget* TextBox::Create(QWidget* parent) {
    if (multiLine_) {
        auto* edit = new QPlainTextEdit(text_, parent);
        edit->setTabChangesFocus(true);
        edit->setVerticalScrollBarPolicy(
            scrollBars_ == ScrollBars::Vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        LockEdit(*edit, locked_);
        return edit;
    }
    auto* edit = new QLineEdit(text_, parent);
    edit->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    edit->setReadOnly(locked_);
    return edit;
}

void TextBox::ResetProperties() {
    text_.clear();
    multiLine_ = false;
    scrollBars_ = ScrollBars::None;
    maxLength_ = 0;
    locked_ = false;
}

int TextBox::ForeRole() const {
    return QPalette::Text;
}
int TextBox::BackRole() const {
    return QPalette::Base;
}

QString TextBox::Text() const {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        QString text = edit->toPlainText();
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return text;
    }
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        return line->text();
    }
    return text_;
}

void TextBox::SetText(const QString& text) {
    text_ = text;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        edit->setPlainText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        line->setText(text);
    }
}

void TextBox::SetMultiLine(bool multiLine) {
    if (multiLine == multiLine_) {
        return;
    }
    text_ = Text();
    multiLine_ = multiLine;
    if (widget_ != nullptr) {
        Rebuild();
    }
}

void TextBox::SetScrollBars(ScrollBars bars) {
    scrollBars_ = bars;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        edit->setVerticalScrollBarPolicy(bars == ScrollBars::Vertical ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAlwaysOff);
    }
}

void TextBox::SetMaxLength(int length) {
    maxLength_ = std::max(0, length);
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        line->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    }
}

void TextBox::SetLocked(bool locked) {
    locked_ = locked;
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
        LockEdit(*edit, locked);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
        line->setReadOnly(locked);
    }
}

void TextBox::SetFocus() {
    if (widget_ != nullptr) {
        widget_->setFocus();
    }
}

bool TextBox::FilterEvent(QEvent* event) {
    if (event->type() != QEvent::KeyPress || !KeyDown) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    QWidget* widget = widget_;
    const int code = KeyCodeFromQt(key->key());
    if (code != 0) {
        KeyDown(code, ShiftFromQt(key->modifiers()));
    }
    return !StillOwns(widget);  // the handler closed the window: the key ends there
}

// --- CommandButton ---

CommandButton::~CommandButton() {
    Detach();
}

QWidget* CommandButton::Create(QWidget* parent) {
    auto* button = new QPushButton(caption_, parent);
    button->setAutoDefault(false);
    button->setDefault(default_);
    return button;
}

void CommandButton::Connect() {
    // Nothing happens once the button and its control part.
    ControlBridge* bridge = bridge_;
    QObject::connect(qobject_cast<QPushButton*>(widget_), &QPushButton::clicked, bridge, [bridge] {
        auto* button = static_cast<CommandButton*>(bridge->control);
        if (button != nullptr && button->Click) {
            button->Click();
        }
    });
}

void CommandButton::ResetProperties() {
    caption_.clear();
    default_ = false;
    cancel_ = false;
}

int CommandButton::ForeRole() const {
    return QPalette::ButtonText;
}
int CommandButton::BackRole() const {
    return QPalette::Button;
}

void CommandButton::SetCaption(const QString& caption) {
    caption_ = caption;
    if (auto* button = qobject_cast<QPushButton*>(widget_)) {
        button->setText(caption);
    }
}

void CommandButton::SetDefault(bool isDefault) {
    default_ = isDefault;
    if (auto* button = qobject_cast<QPushButton*>(widget_)) {
        button->setDefault(isDefault);
    }
}

void CommandButton::SetCancel(bool isCancel) {
    cancel_ = isCancel;
}

void CommandButton::Press() {
    if (auto* button = qobject_cast<QPushButton*>(widget_);
        button != nullptr && visible_ && enabled_) {
        button->click();
    }
}

// --- Frame ---

Frame::~Frame() {
    Detach();
}

QWidget* Frame::Create(QWidget* parent) {
    return new QGroupBox(parent);
}

void Frame::Add(WidgetControl& control, float left, float top, float width, float height) {
    if (form_ == nullptr || widget_ == nullptr || &control == this) {
        return;
    }
    control.Attach(*form_, widget_, left, top, width, height);
}

}  // namespace velmora
