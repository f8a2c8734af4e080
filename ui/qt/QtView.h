// A view window in the Qt back end: an MDI sub-window whose widget keeps a
// backing image, paints through the window's logic and forwards the mouse,
// wheel, keys and dropped files to it. Its close box asks the logic (views
// hide rather than close).
#pragma once

#include <QImage>
#include <QMdiSubWindow>
#include <QWidget>
#include <memory>

#include "ui/Window.h"
#include "ui/qt/QtDrawContext.h"

namespace ui::qt {

class QtViewWidget final : public QWidget {
    Q_OBJECT
public:
    QtViewWidget(Window& logic, QWidget* parent);

    QtDrawContext& drawContext() { return *dc_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    Window& logic_;
    QImage image_;
    std::unique_ptr<QtDrawContext> dc_;
};

class QtView final : public QMdiSubWindow, public NativeWindow {
    Q_OBJECT
public:
    QtView(Window& logic, const std::string& title, QWidget* parent);

    void show() override;
    void hide() override;
    bool isVisible() const override { return QMdiSubWindow::isVisible(); }
    void bringToTop() override;
    void setGeometry(const PixelRect& r) override;
    PixelRect geometry() const override;
    void setTitle(const std::string& title) override;
    void invalidate() override { widget_->update(); }
    void validate() override {}
    int clientWidth() const override { return widget_->width(); }
    int clientHeight() const override { return widget_->height(); }
    DrawContext& drawContext() override { return widget_->drawContext(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Window& logic_;
    QtViewWidget* widget_;
};

// Key codes of the platform layer from a Qt key event (0 when none).
KeyEvent keyEventFrom(const QKeyEvent& event);

}  // namespace ui::qt
