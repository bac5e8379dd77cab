#include "platform/FormWidgets.h"

#include <QCloseEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "platform/Form.h"

namespace velmora::detail {

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

bool TopWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && form_ != nullptr && watched == windowHandle()) {
        form_->Exposed();
    }
    return false;
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

}  // namespace velmora::detail
