// The 3-D view's window in the Qt back end: an MDI sub-window whose client is
// a QOpenGLWidget with a compatibility context (OpenGL 1.1 fixed function,
// display lists), handing its events to the window's logic. Where Qt can
// make no such widget (the offscreen platform, a display without GL), a
// plain widget takes its place and the logic paints it with the 2-D drawing
// context. Timers are Qt timers; the pop-up menu is a QMenu at the pointer.
// The pointer's place comes from the mouse events; Shift and Ctrl as the
// keyboard has them now.
#pragma once

#include <QMdiSubWindow>
#include <QOpenGLWidget>
#include <map>
#include <memory>

#include "ui/GlSurface.h"
#include "ui/Window.h"
#include "ui/qt/QtDrawContext.h"

namespace ui::qt {

class QtLogicWidget;

// The surface of a QOpenGLWidget.
class QtGlSurface final : public GlSurface {
public:
    explicit QtGlSurface(QOpenGLWidget& widget) : widget_(widget) {}

    bool makeCurrent() override;
    void doneCurrent() override;
    // The widget shows its picture itself once its paint is over.
    void swapBuffers() override {}
    GlFunction procAddress(const char* name) override;
    std::uint64_t contextSerial() const override { return serial_; }
    std::string failure() const override { return failure_; }
    double pixelRatio() const override { return widget_.devicePixelRatioF(); }

    // A new context was made for the widget (its lists are new too).
    void contextMade() { serial_ = newContextSerial(); }
    bool painting = false;

private:
    QOpenGLWidget& widget_;
    std::uint64_t serial_ = 0;
    std::string failure_;
};

class QtGlWidget final : public QOpenGLWidget {
    Q_OBJECT
public:
    QtGlWidget(Window& logic, QWidget* parent);

    QtGlSurface& surface() { return surface_; }
    DrawContext& drawContext() { return *dc_; }

protected:
    void initializeGL() override;
    void paintGL() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    Window& logic_;
    QtGlSurface surface_{*this};
    // Only for a paint that cannot draw with OpenGL after all.
    QImage spare_;
    std::unique_ptr<QtDrawContext> dc_;
    bool leftHeld_ = false;
};

class QtGlView final : public QMdiSubWindow, public NativeWindow {
    Q_OBJECT
public:
    QtGlView(Window& logic, const std::string& title, QWidget* parent);

    // Whether this Qt can show OpenGL widgets (asked once).
    static bool openGlAvailable();

    void show() override { QMdiSubWindow::show(); }
    void hide() override { QMdiSubWindow::hide(); }
    bool isVisible() const override { return QMdiSubWindow::isVisible(); }
    void bringToTop() override;
    void setGeometry(const PixelRect& r) override;
    PixelRect geometry() const override;
    void setTitle(const std::string& title) override;
    void invalidate() override;
    void validate() override {}
    int clientWidth() const override;
    int clientHeight() const override;
    DrawContext& drawContext() override;
    GlSurface* glSurface() override;
    void startTimer(int id, int milliseconds) override;
    void killTimer(int id) override;
    bool pointerNow(MouseEvent& out) const override;
    int popupMenu(const PopupMenu& menu, int x, int y) override;

    // The widget the view draws in (the OpenGL one, or its stand-in).
    QWidget* client() const { return client_; }
    QtGlWidget* glWidget() const { return gl_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    Window& logic_;
    QWidget* client_ = nullptr;
    QtGlWidget* gl_ = nullptr;
    QtLogicWidget* plain_ = nullptr;
    std::map<int, int> timers_;  // Qt's timer id -> the logic's
};

}  // namespace ui::qt
