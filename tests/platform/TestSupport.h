#pragma once
// Drives a window as a user would: mouse and key events sent to its widgets, positions in twips.

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>
#include <ostream>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/ScriptedServices.h"
#include "tests/platform/FormTestAccess.h"

// Failing checks show texts as text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace velmora::test {

// Lets Qt delete what unloaded windows left behind, and deliver posted events.
inline void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Windows over scripted services; what they leave behind is deleted after each test.
class WindowTest : public ::testing::Test {
protected:
    void TearDown() override { settle(); }
    ScriptedServices services;
};

// A window of 3000 x 1500 twips whose design and load the test gives.
class Probe : public Form {
public:
    using Form::Form;
    std::function<void(Probe&)> design;
    std::function<void(Probe&)> load;

protected:
    void Design() override {
        SetInnerSize(3000, 1500);
        if (design) {
            design(*this);
        }
    }
    void Form_Load() override {
        if (load) {
            load(*this);
        }
    }
};

inline void sendMouse(QWidget* widget, QEvent::Type type, QPointF position, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

// Mouse actions on a form's inner area, at twips.
struct Mouse {
    Form& form;
    void send(QEvent::Type type, float x, float y, Qt::MouseButton button, Qt::MouseButtons held) {
        sendMouse(FormTestAccess::InnerArea(form), type, QPointF(x, y) / kTwipsPerPixel, button,
                  held);
    }
    void press(float x, float y) {
        send(QEvent::MouseButtonPress, x, y, Qt::LeftButton, Qt::LeftButton);
    }
    void release(float x, float y) { send(QEvent::MouseButtonRelease, x, y, Qt::LeftButton, {}); }
    void move(float x, float y, Qt::MouseButtons held = {}) {
        send(QEvent::MouseMove, x, y, Qt::NoButton, held);
    }
    void click(float x, float y) {
        press(x, y);
        release(x, y);
    }
    // As Qt delivers a double click to a widget: press, release, double-click, release.
    void doubleClick(float x, float y) {
        click(x, y);
        send(QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, Qt::LeftButton);
        release(x, y);
    }
};

inline void sendKey(QWidget* widget, int key, const QString& text = {},
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &event);
}

inline QImage solid(const QColor& color, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

inline QColor pixel(const Form& form, int x, int y) {
    return FormTestAccess::Surface(form).pixelColor(x, y);
}

// A real dialog as the user sees it: its title, and a message box's icon or a file dialog's
// filters and kind.
inline QString shown(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        return box->windowTitle() + (box->icon() == QMessageBox::NoIcon ? "" : ", an icon");
    }
    auto* files = qobject_cast<QFileDialog*>(modal);
    return files->windowTitle() + ", " + files->nameFilters().join(";;") +
           (files->acceptMode() == QFileDialog::AcceptSave ? ", save" : ", open");
}

using DialogAnswer = std::function<void(QWidget*)>;

// Runs ask while a timer answers each real dialog that comes up, in turn, as a user would; a
// dialog beyond the answers is closed. Returns how each dialog showed itself.
inline QStringList answerDialogs(const std::function<void()>& ask,
                                 std::vector<DialogAnswer> answers) {
    answers.push_back([](QWidget* w) { w->close(); });
    QStringList seen;
    QWidget* last = nullptr;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != last) {
            last = modal;
            const DialogAnswer answer =
                answers[std::min(std::size_t(seen.size()), answers.size() - 1)];
            seen << shown(modal);
            // From the event loop, so that a dialog that asks a question of its own in turn does
            // not hold up the timer.
            QMetaObject::invokeMethod(
                modal, [=] { answer(modal); }, Qt::QueuedConnection);
        }
    });
    timer.start(10);
    ask();
    return seen;
}

}  // namespace velmora::test
