// Qt windows that host logic.
#include "ui/qt/QtView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>

namespace ui::qt {

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

QtLogicWidget::QtLogicWidget(Window& logic, QWidget* parent) : QWidget(parent), logic_(logic)
{
    setAcceptDrops(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image_ = QImage(1, 1, QImage::Format_RGB32);
    image_.fill(Qt::white);
    dc_ = std::make_unique<QtDrawContext>(image_);
    // Drawing outside a paint event (rubber bands, one entity) shows at the
    // next copy of the image to the screen.
    dc_->onDrawn = [this] {
        if (!painting_ && !blitPending_) {
            blitPending_ = true;
            update();
        }
    };
}

void QtLogicWidget::invalidate()
{
    dirty_ = true;
    update();
}

void QtLogicWidget::paintEvent(QPaintEvent*)
{
    blitPending_ = false;
    if (dirty_) {
        dirty_ = false;
        painting_ = true;
        ++wholePaints_;
        dc_->finish();
        image_.fill(Qt::white);
        logic_.onPaint(*dc_);
        painting_ = false;
    }
    dc_->finish();
    QPainter screen(this);
    screen.drawImage(0, 0, image_);
}

void QtLogicWidget::resizeEvent(QResizeEvent*)
{
    dc_->finish();
    QImage resized(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
    resized.fill(Qt::white);
    image_ = resized;
    dirty_ = true;
    logic_.onSize(width(), height());
}

void QtLogicWidget::confinePointer(bool on)
{
    confined_ = on;
}

bool QtLogicWidget::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        std::string tip = logic_.toolTipAt(help->pos().x(), help->pos().y());
        if (tip.empty()) {
            QToolTip::hideText();
            e->ignore();
        } else {
            QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this);
        }
        return true;
    }
    return QWidget::event(e);
}

ScrollResult QtLogicWidget::scrollContents(int dx, int dy)
{
    if (dirty_) {
        return ScrollResult::Pending;
    }
    dc_->finish();
    shiftPixels(image_, dx, dy);
    ++scrolls_;
    update();
    return ScrollResult::Done;
}

void QtLogicWidget::deliverMove()
{
    if (movePending_) {
        movePending_ = false;
        logic_.onMouseMove(pendingMove_);
    }
}

void QtLogicWidget::mousePressEvent(QMouseEvent* e)
{
    deliverMove();
    logic_.onMouseDown(mouseFrom(*e));
}

void QtLogicWidget::mouseMoveEvent(QMouseEvent* e)
{
    if (putBack_ && e->globalPosition().toPoint() == putBackAt_) {
        putBack_ = false;
        return;
    }
    MouseEvent m = mouseFrom(*e);
    if (confined_) {
        // Qt cannot fence the pointer in: while a button holds the gesture,
        // the pointer is put back inside the client area.
        if (e->buttons() == Qt::NoButton || !QApplication::activeWindow()) {
            confined_ = false;
        } else {
            int x = std::clamp(m.x, 0, std::max(0, width() - 1));
            int y = std::clamp(m.y, 0, std::max(0, height() - 1));
            if (x != m.x || y != m.y) {
                putBackAt_ = mapToGlobal(QPoint(x, y));
                putBack_ = true;
                QCursor::setPos(putBackAt_);
                m.x = x;
                m.y = y;
            }
        }
    }
    pendingMove_ = m;
    if (!movePending_) {
        movePending_ = true;
        // Posted events come after the window system's events already
        // waiting, so every move that is in by then merges into this one.
        QMetaObject::invokeMethod(this, &QtLogicWidget::deliverMove, Qt::QueuedConnection);
    }
}

void QtLogicWidget::mouseReleaseEvent(QMouseEvent* e)
{
    deliverMove();
    logic_.onMouseUp(mouseFrom(*e));
}

void QtLogicWidget::focusOutEvent(QFocusEvent* e)
{
    deliverMove();
    // Another program took the focus mid-gesture: the pointer goes free and
    // the gesture ends without acting.
    if (confined_ && (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)) {
        confined_ = false;
        logic_.onCaptureLost();
    }
    QWidget::focusOutEvent(e);
}

void QtLogicWidget::wheelEvent(QWheelEvent* e)
{
    deliverMove();
    MouseEvent m;
    m.x = static_cast<int>(e->position().x());
    m.y = static_cast<int>(e->position().y());
    logic_.onWheel(e->angleDelta().y(), m);
}

void QtLogicWidget::keyPressEvent(QKeyEvent* e)
{
    deliverMove();
    if (!logic_.onKey(keyEventFrom(*e))) {
        QWidget::keyPressEvent(e);  // on to the frame
    }
}

void QtLogicWidget::dragEnterEvent(QDragEnterEvent* e)
{
    if (e->mimeData() && e->mimeData()->hasUrls()) {
        e->acceptProposedAction();
    }
}

void QtLogicWidget::dropEvent(QDropEvent* e)
{
    std::vector<std::string> files = localFiles(e->mimeData());
    if (!files.empty()) {
        e->acceptProposedAction();
        logic_.onDropFiles(files);
    }
}

void QtChildWindow::show()
{
    widget_->show();
}

void QtChildWindow::hide()
{
    widget_->hide();
}

bool QtChildWindow::isVisible() const
{
    return widget_->isVisible();
}

void QtChildWindow::bringToTop()
{
    widget_->raise();
}

void QtChildWindow::setGeometry(const PixelRect& r)
{
    widget_->setGeometry(r.left, r.top, r.width(), r.height());
}

PixelRect QtChildWindow::geometry() const
{
    QRect g = widget_->geometry();
    return PixelRect::fromSize(g.x(), g.y(), g.width(), g.height());
}

void QtChildWindow::setTitle(const std::string& title)
{
    widget_->setWindowTitle(QString::fromStdString(title));
}

int QtChildWindow::clientWidth() const
{
    return widget_->width();
}

int QtChildWindow::clientHeight() const
{
    return widget_->height();
}

void QtChildWindow::setCursor(Cursor c)
{
    widget_->setCursor(c == Cursor::Move ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void QtChildWindow::setPointerPosition(int x, int y)
{
    QCursor::setPos(widget_->mapToGlobal(QPoint(x, y)));
}

QtView::QtView(Window& logic, const std::string& title, QWidget* parent)
    : QMdiSubWindow(parent), QtChildWindow(nullptr), logic_(logic)
{
    auto* holder = new QWidget(this);
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    widget_ = new QtLogicWidget(logic, holder);
    grid->addWidget(widget_, 0, 0);
    setWidget(holder);
    setWindowTitle(QString::fromStdString(title));
    setAttribute(Qt::WA_DeleteOnClose, false);
    QMdiSubWindow::hide();
}

QScrollBar* QtView::bar(ScrollBar which)
{
    int i = which == ScrollBar::Horizontal ? 0 : 1;
    if (!bars_[i]) {
        auto* grid = static_cast<QGridLayout*>(QMdiSubWindow::widget()->layout());
        bars_[i] = new QScrollBar(i == 0 ? Qt::Horizontal : Qt::Vertical, QMdiSubWindow::widget());
        grid->addWidget(bars_[i], i == 0 ? 1 : 0, i == 0 ? 0 : 1);
        connectBar(bars_[i], which);
    }
    return bars_[i];
}

void QtView::connectBar(QScrollBar* b, ScrollBar which)
{
    connect(b, &QAbstractSlider::actionTriggered, this, [this, b, which](int action) {
        if (settingBar_) {
            return;
        }
        ScrollRequest r;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            r = ScrollRequest::LineUp;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            r = ScrollRequest::LineDown;
            break;
        case QAbstractSlider::SliderPageStepSub:
            r = ScrollRequest::PageUp;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            r = ScrollRequest::PageDown;
            break;
        case QAbstractSlider::SliderToMinimum:
            r = ScrollRequest::Top;
            break;
        case QAbstractSlider::SliderToMaximum:
            r = ScrollRequest::Bottom;
            break;
        case QAbstractSlider::SliderMove:
            logic_.onScroll(which, ScrollRequest::ThumbTrack, b->sliderPosition());
            return;
        default:
            return;
        }
        // The logic decides where the thumb goes (it sets the slider
        // position, which the bar then takes), not the bar.
        logic_.onScroll(which, r, 0);
        logic_.onScroll(which, ScrollRequest::End, 0);
    });
    connect(b, &QAbstractSlider::sliderReleased, this, [this, b, which] {
        logic_.onScroll(which, ScrollRequest::Thumb, b->sliderPosition());
        logic_.onScroll(which, ScrollRequest::End, 0);
    });
}

void QtView::setScrollRange(ScrollBar which, int minimum, int maximum)
{
    settingBar_ = true;
    bar(which)->setRange(minimum, maximum);
    bar(which)->setPageStep(std::max(1, (maximum - minimum) / 20));
    settingBar_ = false;
}

void QtView::setScrollPosition(ScrollBar which, int position)
{
    settingBar_ = true;
    bar(which)->setValue(position);
    bar(which)->setSliderPosition(position);
    settingBar_ = false;
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
