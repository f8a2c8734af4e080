// Windows of the Qt back end that host a window's logic: a widget with a
// backing image (the logic paints into it, also outside paint events, and
// the widget copies it to the screen), the view sub-windows of the MDI area
// with their scroll bars, and plain bars docked in the frame.
#pragma once

#include <QImage>
#include <QMdiSubWindow>
#include <QPoint>
#include <QWidget>
#include <memory>

#include "ui/Window.h"
#include "ui/qt/QtDrawContext.h"

class QMimeData;
class QScrollBar;

namespace ui::qt {

class QtLogicWidget final : public QWidget {
    Q_OBJECT
public:
    QtLogicWidget(Window& logic, QWidget* parent);

    QtDrawContext& drawContext() { return *dc_; }
    // The next paint event paints the whole window through its logic.
    void invalidate();
    void validate() { dirty_ = false; }
    void confinePointer(bool on);
    // Moves the picture; the logic paints what it uncovers.
    ScrollResult scrollContents(int dx, int dy);
    // Paints of the whole window so far, and moves of its picture.
    long wholePaints() const { return wholePaints_; }
    long scrolls() const { return scrolls_; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
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
    // Mouse moves are handed on once the events waiting behind them are in:
    // moves that came while the logic was busy (a repaint) count as one, at
    // the last position. Anything else the mouse does hands on a waiting
    // move first.
    void deliverMove();

    Window& logic_;
    MouseEvent pendingMove_;
    bool movePending_ = false;
    QImage image_;
    std::unique_ptr<QtDrawContext> dc_;
    bool dirty_ = true;
    bool painting_ = false;
    bool blitPending_ = false;
    bool confined_ = false;
    // Where the pointer was last put back inside (screen pixels): the move
    // the window system reports for it comes late, and must not count again
    // (at the edge, it would scroll the view a second time).
    QPoint putBackAt_;
    bool putBack_ = false;
    long wholePaints_ = 0;
    long scrolls_ = 0;
};

// Hosts the logic of a plain window: a palette, a bar.
class QtChildWindow : public NativeWindow {
public:
    explicit QtChildWindow(QtLogicWidget* widget) : widget_(widget) {}

    void show() override;
    void hide() override;
    bool isVisible() const override;
    void bringToTop() override;
    void setGeometry(const PixelRect& r) override;
    PixelRect geometry() const override;
    void setTitle(const std::string& title) override;
    void invalidate() override { widget_->invalidate(); }
    void validate() override { widget_->validate(); }
    int clientWidth() const override;
    int clientHeight() const override;
    DrawContext& drawContext() override { return widget_->drawContext(); }
    void setCursor(Cursor c) override;
    void confinePointer(bool on) override { widget_->confinePointer(on); }
    void setPointerPosition(int x, int y) override;
    ScrollResult scrollContents(int dx, int dy) override { return widget_->scrollContents(dx, dy); }

    QtLogicWidget* logicWidget() const { return widget_; }

protected:
    QtLogicWidget* widget_;
};

class QtView final : public QMdiSubWindow, public QtChildWindow {
    Q_OBJECT
public:
    QtView(Window& logic, const std::string& title, QWidget* parent);

    void show() override { QMdiSubWindow::show(); }
    void hide() override { QMdiSubWindow::hide(); }
    bool isVisible() const override { return QMdiSubWindow::isVisible(); }
    void bringToTop() override;
    void setGeometry(const PixelRect& r) override;
    PixelRect geometry() const override;
    void setTitle(const std::string& title) override;
    void setScrollRange(ScrollBar bar, int minimum, int maximum) override;
    void setScrollPosition(ScrollBar bar, int position) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QScrollBar* bar(ScrollBar which);
    void connectBar(QScrollBar* bar, ScrollBar which);

    Window& logic_;
    QScrollBar* bars_[2] = {nullptr, nullptr};
    bool settingBar_ = false;
};

// Key codes of the platform layer from a Qt key event (0 when none).
KeyEvent keyEventFrom(const QKeyEvent& event);
// The platform layer's mouse event from Qt's.
MouseEvent mouseFrom(const QMouseEvent& event);
// The local files of a drop.
std::vector<std::string> localFiles(const QMimeData* data);

}  // namespace ui::qt
