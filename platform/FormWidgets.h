#pragma once
// The Qt widgets behind a Form: its top-level window and its inner area.

#include <QMainWindow>
#include <QWidget>

namespace velmora {

class Form;

namespace detail {

class TopWindow : public QMainWindow {
public:
    TopWindow(Form* form, QWidget* parent);
    // Its native window, without making the owner's widgets native as winId() would.
    void MakeNative() { create(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    // Watches the native window's Expose.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class velmora::Form;
    Form* form_;  // null once the form has let go of the window
};

// The inner area: shows the form's surface and passes mouse and key events to the form.
class Surface : public QWidget {
public:
    explicit Surface(Form* form);
    QSize sizeHint() const override { return hint_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class velmora::Form;
    void Mouse(QMouseEvent* event);

    Form* form_;
    QSize hint_;
};

}  // namespace detail
}  // namespace velmora
