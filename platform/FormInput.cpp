#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <cmath>

#include "platform/Form.h"
#include "platform/FormWidgets.h"

namespace velmora {

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
