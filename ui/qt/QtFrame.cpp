// Qt main frame.
#include "ui/qt/QtFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProgressBar>
#include <QStatusBar>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <QFontMetrics>

#include "ui/qt/QtGlView.h"
#include "ui/qt/QtView.h"

namespace ui::qt {

QtFrame::QtFrame(FrameLogic& logic, const std::vector<MenuCommand>& commands) : logic_(logic)
{
    setWindowTitle("Tolvane CAD");
    setAcceptDrops(true);
    area_ = new QMdiArea(this);
    area_->setBackground(QBrush(QColor(128, 128, 128)));
    setCentralWidget(area_);

    std::map<std::string, QMenu*> menus;
    for (const MenuCommand& c : commands) {
        QMenu*& menu = menus[c.menu];
        if (!menu) {
            menu = menuBar()->addMenu(QString::fromStdString(c.menu));
            connect(menu, &QMenu::aboutToShow, this, [this] { logic_.onMenuOpening(); });
        }
        if (c.separatorBefore) {
            menu->addSeparator();
        }
        QAction* a = menu->addAction(QString::fromStdString(c.text));
        std::vector<std::string> keys = c.shortcuts();
        if (!keys.empty()) {
            QList<QKeySequence> sequences;
            for (const std::string& k : keys) {
                sequences.append(QKeySequence(QString::fromStdString(k)));
            }
            // The keys of a command that works greyed live on an action of
            // their own: Qt ignores the keys of a disabled action.
            QAction* keyed = a;
            if (c.keyWhenGreyed) {
                keyed = new QAction(this);
                addAction(keyed);
                int id = c.id;
                connect(keyed, &QAction::triggered, this, [this, id] { logic_.onCommand(id); });
            }
            keyed->setShortcuts(sequences);
            // The views have the focus most of the time: the keys work
            // anywhere in the program's window (and not in the manual's,
            // where Del or Ctrl+N must not change the model unseen).
            keyed->setShortcutContext(Qt::WindowShortcut);
            if (keys.size() > 1 || c.keyWhenGreyed) {
                // A menu shows one key of an action; these show all of them
                // (Return is the same key to the user as the keypad's Enter).
                QStringList shown;
                for (const QKeySequence& s : sequences) {
                    QString text = s.toString(QKeySequence::NativeText);
                    if (s != QKeySequence(Qt::Key_Return)) {
                        shown.append(text);
                    }
                }
                a->setText(QString::fromStdString(c.text) + "\t" + shown.join(", "));
            }
        }
        int id = c.id;
        connect(a, &QAction::triggered, this, [this, id] { logic_.onCommand(id); });
        actions_[id] = a;
    }

    progress_ = new QProgressBar(this);
    progress_->setMaximumWidth(360);
    progress_->setVisible(false);
    statusBar()->addPermanentWidget(progress_);
}

QAction* QtFrame::action(int id) const
{
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void QtFrame::setTitle(const std::string& title)
{
    setWindowTitle(QString::fromStdString(title));
}

std::string QtFrame::title() const
{
    return windowTitle().toStdString();
}

void QtFrame::setMenuChecked(int id, bool checked)
{
    if (QAction* a = action(id)) {
        a->setCheckable(true);
        a->setChecked(checked);
    }
}

void QtFrame::setMenuEnabled(int id, bool enabled)
{
    if (QAction* a = action(id)) {
        a->setEnabled(enabled);
    }
}

bool QtFrame::isMenuChecked(int id) const
{
    QAction* a = action(id);
    return a && a->isChecked();
}

bool QtFrame::isMenuEnabled(int id) const
{
    QAction* a = action(id);
    return !a || a->isEnabled();
}

int QtFrame::viewAreaWidth() const
{
    return area_->viewport()->width();
}

int QtFrame::viewAreaHeight() const
{
    return area_->viewport()->height();
}

int QtFrame::cascadeStep() const
{
    return style()->pixelMetric(QStyle::PM_TitleBarHeight) + style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) -
           1;
}

NativeWindow* QtFrame::createView(Window& logic, const std::string& title)
{
    auto* view = new QtView(logic, title, area_);
    area_->addSubWindow(view);
    view->QMdiSubWindow::hide();
    return view;
}

NativeWindow* QtFrame::createGlView(Window& logic, const std::string& title)
{
    auto* view = new QtGlView(logic, title, area_);
    area_->addSubWindow(view);
    view->QMdiSubWindow::hide();
    return view;
}

NativeWindow* QtFrame::createBar(Window& logic, BarPlace place, int width, int height)
{
    auto* widget = new QtLogicWidget(logic, this);
    widget->setFocusPolicy(Qt::NoFocus);
    widget->setFixedHeight(height);
    if (width > 0) {
        widget->setFixedWidth(width);
    }
    if (place == BarPlace::Top) {
        QToolBar* bar = addToolBar("Tools");
        bar->setMovable(false);
        bar->setFloatable(false);
        bar->addWidget(widget);
    } else {
        // Along the bottom: the coordinate bar is the frame's status line.
        widget->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        widget->setMinimumWidth(200);
        statusBar()->insertWidget(0, widget, 1);
        widget->show();
    }
    bars_.push_back(std::make_unique<QtChildWindow>(widget));
    return bars_.back().get();
}

int QtFrame::fontHeight() const
{
    return QFontMetrics(QApplication::font()).height();
}

void QtFrame::showMaximized()
{
    // Without a window manager (Xvfb) the request to maximise is ignored:
    // take the screen's size first, then ask.
    if (QScreen* screen = QApplication::primaryScreen()) {
        setGeometry(screen->availableGeometry());
    }
    QMainWindow::showMaximized();
    QApplication::processEvents();
}

void QtFrame::processPendingEvents()
{
    QApplication::processEvents();
}

void QtFrame::closeEvent(QCloseEvent* event)
{
    if (logic_.onClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void QtFrame::keyPressEvent(QKeyEvent* event)
{
    if (!logic_.onKey(keyEventFrom(*event))) {
        QMainWindow::keyPressEvent(event);
    }
}

void QtFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData() && event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void QtFrame::dropEvent(QDropEvent* event)
{
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            files.push_back(url.toLocalFile().toStdString());
        }
    }
    if (!files.empty()) {
        event->acceptProposedAction();
        logic_.onDropFiles(files);
    }
}

}  // namespace ui::qt
