// Qt test helpers.
#include "tests/e2e/QtTestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>

#include "materials/MaterialList.h"
#include "ui/FileChooser.h"

namespace qttest {

void QtEnvironment::SetUp()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

namespace {

void closeStrayModal()
{
    QTimer::singleShot(10000, [] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            return;
        }
        QString text = w->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            text += ": " + box->text();
        }
        ADD_FAILURE() << "an unexpected " << w->metaObject()->className() << " is open: " << text.toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(w)) {
            dialog->reject();
        } else {
            w->close();
        }
        // The dialog under it, if any, would wait for ever too.
        closeStrayModal();
    });
}

}  // namespace

void whenModal(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(50, [act] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w) {
            whenModal(act);
            return;
        }
        closeStrayModal();
        act(w);
    });
}

QAction* findAction(QMenuBar* bar, const QString& menu, const QString& text)
{
    for (QAction* m : bar->actions()) {
        if (m->text() == menu && m->menu()) {
            for (QAction* a : m->menu()->actions()) {
                if (a->text().section('\t', 0, 0) == text) {
                    return a;
                }
            }
        }
    }
    return nullptr;
}

ui::qt::QtLogicWidget* viewWidget(app::Application& a, int command)
{
    auto* view = dynamic_cast<ui::qt::QtView*>(a.view(command)->native);
    return view ? view->logicWidget() : nullptr;
}

void sendMouse(QWidget* w, QEvent::Type type, ui::PixelPoint p, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QPointF local(p.x, p.y);
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, local, w->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  modifiers);
    QApplication::sendEvent(w, &e);
    if (type == QEvent::MouseMove) {
        // A move is handed on once the events behind it are in.
        QApplication::processEvents();
    }
}

QImage picture(QWidget* w)
{
    QApplication::processEvents();
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

void QtProgramFixture::SetUp()
{
    here = std::make_unique<testsupport::ScopedChdir>(dir.path());
    platform = std::make_unique<ui::qt::QtPlatform>();
    application = std::make_unique<app::Application>();
}

void QtProgramFixture::TearDown()
{
    application.reset();
    platform.reset();
    here.reset();
}

}  // namespace qttest
