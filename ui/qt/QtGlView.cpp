// The Qt 3-D view window.
#include "ui/qt/QtGlView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSurfaceFormat>
#include <QTimerEvent>
#include <QWheelEvent>

#include "ui/qt/QtView.h"

namespace ui::qt {

namespace {

// OpenGL 1.1 with display lists: a compatibility context, a depth buffer.
QSurfaceFormat glFormat()
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setDepthBufferSize(24);
    return f;
}

}  // namespace

bool QtGlSurface::makeCurrent()
{
    QOpenGLContext* context = widget_.context();
    if (!context || !context->isValid()) {
        failure_ = "Qt could not make an OpenGL context for the window";
        return false;
    }
    widget_.makeCurrent();
    failure_.clear();
    return true;
}

void QtGlSurface::doneCurrent()
{
    // Inside a paint the widget still needs its context to show the picture.
    if (!painting) {
        widget_.doneCurrent();
    }
}

GlFunction QtGlSurface::procAddress(const char* name)
{
    QOpenGLContext* context = widget_.context();
    return context ? reinterpret_cast<GlFunction>(context->getProcAddress(name)) : nullptr;
}

QtGlWidget::QtGlWidget(Window& logic, QWidget* parent) : QOpenGLWidget(parent), logic_(logic)
{
    setFormat(glFormat());
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    spare_ = QImage(1, 1, QImage::Format_RGB32);
    dc_ = std::make_unique<QtDrawContext>(spare_);
}

void QtGlWidget::initializeGL()
{
    surface_.contextMade();
    std::uint64_t serial = surface_.contextSerial();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, [serial] { contextDestroyed(serial); });
}

void QtGlWidget::paintGL()
{
    // Black (the scene's sky) in case the frame cannot be drawn.
    QOpenGLFunctions* f = context()->functions();
    f->glClearColor(0, 0, 0, 1);
    f->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    surface_.painting = true;
    logic_.onPaint(*dc_);
    dc_->finish();
    surface_.painting = false;
}

void QtGlWidget::resizeEvent(QResizeEvent* e)
{
    QOpenGLWidget::resizeEvent(e);
    logic_.onSize(width(), height());
}

void QtGlWidget::mousePressEvent(QMouseEvent* e)
{
    MouseEvent m = mouseFrom(*e);
    leftHeld_ = leftHeld_ || m.button == MouseButton::Left;
    logic_.onMouseDown(m);
}

void QtGlWidget::mouseMoveEvent(QMouseEvent* e)
{
    logic_.onMouseMove(mouseFrom(*e));
}

void QtGlWidget::mouseReleaseEvent(QMouseEvent* e)
{
    MouseEvent m = mouseFrom(*e);
    if (m.button == MouseButton::Left) {
        leftHeld_ = false;
    }
    logic_.onMouseUp(m);
}

void QtGlWidget::wheelEvent(QWheelEvent* e)
{
    MouseEvent m;
    m.x = static_cast<int>(e->position().x());
    m.y = static_cast<int>(e->position().y());
    logic_.onWheel(e->angleDelta().y(), m);
}

void QtGlWidget::keyPressEvent(QKeyEvent* e)
{
    if (!logic_.onKey(keyEventFrom(*e))) {
        QOpenGLWidget::keyPressEvent(e);  // on to the frame
    }
}

void QtGlWidget::focusOutEvent(QFocusEvent* e)
{
    // Another window took the mouse while the button was held: navigation stops.
    if (leftHeld_ && (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)) {
        leftHeld_ = false;
        logic_.onCaptureLost();
    }
    QOpenGLWidget::focusOutEvent(e);
}

void QtGlWidget::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData() && e->mimeData()->hasUrls()) {
        e->acceptProposedAction();
    }
}

void QtGlWidget::dropEvent(QDropEvent* e)
{
    std::vector<std::string> files = localFiles(e->mimeData());
    if (!files.empty()) {
        e->acceptProposedAction();
        logic_.onDropFiles(files);
    }
}

bool QtGlView::openGlAvailable()
{
    static const bool available = [] {
        // Qt's offscreen and minimal platforms make contexts (given a
        // display) but cannot show an OpenGL widget.
        QString name = QGuiApplication::platformName();
        if (name == "offscreen" || name == "minimal") {
            return false;
        }
        QOpenGLContext probe;
        probe.setFormat(glFormat());
        return probe.create();
    }();
    return available;
}

QtGlView::QtGlView(Window& logic, const std::string& title, QWidget* parent) : QMdiSubWindow(parent), logic_(logic)
{
    if (openGlAvailable()) {
        gl_ = new QtGlWidget(logic, this);
        client_ = gl_;
    } else {
        plain_ = new QtLogicWidget(logic, this);
        client_ = plain_;
    }
    setWidget(client_);
    setWindowTitle(QString::fromStdString(title));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QMdiSubWindow::hide();
}

void QtGlView::bringToTop()
{
    QMdiSubWindow::raise();
    if (auto* area = mdiArea()) {
        area->setActiveSubWindow(this);
    }
}

void QtGlView::setGeometry(const PixelRect& r)
{
    QMdiSubWindow::setGeometry(r.left, r.top, r.width(), r.height());
}

PixelRect QtGlView::geometry() const
{
    QRect g = QMdiSubWindow::geometry();
    return PixelRect::fromSize(g.x(), g.y(), g.width(), g.height());
}

void QtGlView::setTitle(const std::string& title)
{
    setWindowTitle(QString::fromStdString(title));
}

void QtGlView::invalidate()
{
    if (plain_) {
        plain_->invalidate();
    } else {
        gl_->update();
    }
}

int QtGlView::clientWidth() const
{
    return client_->width();
}

int QtGlView::clientHeight() const
{
    return client_->height();
}

DrawContext& QtGlView::drawContext()
{
    return plain_ ? static_cast<DrawContext&>(plain_->drawContext()) : gl_->drawContext();
}

GlSurface* QtGlView::glSurface()
{
    return gl_ ? &gl_->surface() : nullptr;
}

void QtGlView::startTimer(int id, int milliseconds)
{
    killTimer(id);
    timers_[QObject::startTimer(milliseconds, Qt::PreciseTimer)] = id;
}

void QtGlView::killTimer(int id)
{
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second == id) {
            QObject::killTimer(it->first);
            timers_.erase(it);
            return;
        }
    }
}

void QtGlView::timerEvent(QTimerEvent* event)
{
    auto it = timers_.find(event->timerId());
    if (it != timers_.end()) {
        logic_.onTimer(it->second);
    } else {
        QMdiSubWindow::timerEvent(event);
    }
}

bool QtGlView::pointerNow(MouseEvent& out) const
{
    Qt::KeyboardModifiers held = QGuiApplication::queryKeyboardModifiers();
    out.shift = held & Qt::ShiftModifier;
    out.ctrl = held & Qt::ControlModifier;
    return true;
}

int QtGlView::popupMenu(const PopupMenu& menu, int x, int y)
{
    QMenu popup(client_);
    std::vector<QAction*> actions;
    for (const PopupItem& item : menu) {
        if (item.separator()) {
            actions.push_back(popup.addSeparator());
        } else {
            QAction* a = popup.addAction(QString::fromStdString(item.text));
            a->setCheckable(true);
            a->setChecked(item.checked);
            actions.push_back(a);
        }
    }
    QAction* chosen = popup.exec(client_->mapToGlobal(QPoint(x, y)));
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (actions[i] == chosen) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void QtGlView::closeEvent(QCloseEvent* event)
{
    if (logic_.onClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace ui::qt
