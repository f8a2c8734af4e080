// Qt view windows.
#include "ui/qt/QtView.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWheelEvent>

namespace ui::qt {

namespace {

MouseEvent mouseFrom(const QMouseEvent& e)
{
    MouseEvent m;
    m.x = static_cast<int>(e.position().x());
    m.y = static_cast<int>(e.position().y());
    switch (e.button() != Qt::NoButton ? e.button() : Qt::MouseButton(int(e.buttons()) & 7)) {
    case Qt::LeftButton:
        m.button = MouseButton::Left;
        break;
    case Qt::MiddleButton:
        m.button = MouseButton::Middle;
        break;
    case Qt::RightButton:
        m.button = MouseButton::Right;
        break;
    default:
        m.button = MouseButton::None;
        break;
    }
    m.shift = e.modifiers() & Qt::ShiftModifier;
    m.ctrl = e.modifiers() & Qt::ControlModifier;
    return m;
}

std::vector<std::string> localFiles(const QMimeData* data)
{
    std::vector<std::string> files;
    if (data) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                files.push_back(url.toLocalFile().toStdString());
            }
        }
    }
    return files;
}

}  // namespace

KeyEvent keyEventFrom(const QKeyEvent& e)
{
    KeyEvent k;
    k.shift = e.modifiers() & Qt::ShiftModifier;
    k.ctrl = e.modifiers() & Qt::ControlModifier;
    k.alt = e.modifiers() & Qt::AltModifier;
    int key = e.key();
    if (key == Qt::Key_Space) {
        k.code = ui::key::Space;
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        k.code = ui::key::Enter;
    } else if (key == Qt::Key_Escape) {
        k.code = ui::key::Escape;
    } else if (key == Qt::Key_Delete) {
        k.code = ui::key::Delete;
    } else if (key == Qt::Key_Insert) {
        k.code = ui::key::Insert;
    } else if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        k.code = ui::key::F1 + (key - Qt::Key_F1);
    } else if (key >= 0x20 && key < 0x7F) {
        k.code = key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key;
    }
    return k;
}

QtViewWidget::QtViewWidget(Window& logic, QWidget* parent) : QWidget(parent), logic_(logic)
{
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(Qt::white);
    dc_ = std::make_unique<QtDrawContext>(image_);
}

void QtViewWidget::paintEvent(QPaintEvent*)
{
    // The view paints its whole picture into the image, then it is shown.
    dc_->finish();
    image_.fill(Qt::white);
    logic_.onPaint(*dc_);
    dc_->finish();
    QPainter screen(this);
    screen.drawImage(0, 0, image_);
}

void QtViewWidget::resizeEvent(QResizeEvent*)
{
    dc_->finish();
    QImage resized(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    resized.fill(Qt::white);
    image_ = resized;
    logic_.onSize(width(), height());
}

void QtViewWidget::mousePressEvent(QMouseEvent* e)
{
    logic_.onMouseDown(mouseFrom(*e));
    update();
}

void QtViewWidget::mouseMoveEvent(QMouseEvent* e)
{
    logic_.onMouseMove(mouseFrom(*e));
}

void QtViewWidget::mouseReleaseEvent(QMouseEvent* e)
{
    logic_.onMouseUp(mouseFrom(*e));
    update();
}

void QtViewWidget::wheelEvent(QWheelEvent* e)
{
    MouseEvent m;
    m.x = static_cast<int>(e->position().x());
    m.y = static_cast<int>(e->position().y());
    logic_.onWheel(e->angleDelta().y(), m);
}

void QtViewWidget::keyPressEvent(QKeyEvent* e)
{
    if (!logic_.onKey(keyEventFrom(*e))) {
        QWidget::keyPressEvent(e);  // on to the frame
    }
}

void QtViewWidget::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData() && e->mimeData()->hasUrls()) {
        e->acceptProposedAction();
    }
}

void QtViewWidget::dropEvent(QDropEvent* e)
{
    std::vector<std::string> files = localFiles(e->mimeData());
    if (!files.empty()) {
        e->acceptProposedAction();
        logic_.onDropFiles(files);
    }
}

QtView::QtView(Window& logic, const std::string& title, QWidget* parent) : QMdiSubWindow(parent), logic_(logic)
{
    widget_ = new QtViewWidget(logic, this);
    setWidget(widget_);
    setWindowTitle(QString::fromStdString(title));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QMdiSubWindow::hide();
}

void QtView::show()
{
    QMdiSubWindow::show();
}

void QtView::hide()
{
    QMdiSubWindow::hide();
}

void QtView::bringToTop()
{
    QMdiSubWindow::raise();
    if (auto* area = mdiArea()) {
        area->setActiveSubWindow(this);
    }
}

void QtView::setGeometry(const PixelRect& r)
{
    QMdiSubWindow::setGeometry(r.left, r.top, r.width(), r.height());
}

PixelRect QtView::geometry() const
{
    QRect g = QMdiSubWindow::geometry();
    return PixelRect::fromSize(g.x(), g.y(), g.width(), g.height());
}

void QtView::setTitle(const std::string& title)
{
    setWindowTitle(QString::fromStdString(title));
}

void QtView::closeEvent(QCloseEvent* event)
{
    if (logic_.onClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace ui::qt
