// The program with its Qt back end, under Qt's offscreen platform: what a
// user sees of the frame, its menus and its dialogs.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QDialog>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <map>
#include <memory>
#include <set>

#include "app/AppContext.h"
#include "app/Application.h"
#include "app/CommandTable.h"
#include "bench/ProjectGenerator.h"
#include "materials/MaterialList.h"
#include "storage/ProjectFile.h"
#include "tests/e2e/QtTestSupport.h"
#include "tests/support/TestSupport.h"
#include "ui/FileChooser.h"
#include "ui/GetValueBox.h"
#include "ui/qt/QtDialog.h"
#include "ui/qt/QtFrame.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtView.h"
#include "model/Receiver.h"
#include "model/Wall.h"
#include <QMouseEvent>
#include "ui/headless/HeadlessPlatform.h"

namespace {

using qttest::findAction;
using qttest::sendMouse;
using qttest::viewWidget;
using qttest::whenModal;

class QtProgram : public qttest::QtProgramFixture {};

}  // namespace

TEST_F(QtProgram, StartsOnTheProjectNamedOnTheCommandLine)
{
    std::string path = testsupport::sourcePath("data/examples/hall.ray");
    application->start(path);
    EXPECT_EQ(frame().windowTitle().toStdString(), "Tolvane CAD - " + path);
    EXPECT_EQ(application->document.count(), 13u);
    EXPECT_FALSE(application->document.modified());
    QList<QMdiSubWindow*> views = frame().viewArea()->subWindowList();
    ASSERT_EQ(views.size(), 6);
    int shown = 0;
    for (QMdiSubWindow* v : views) {
        if (v->isVisible()) {
            ++shown;
            EXPECT_EQ(v->windowTitle(), "PLANT");
        }
    }
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(frame().action(app::cmd::ViewPlant)->isChecked());

    app::Application other;
    other.start("not a project");
    EXPECT_EQ(platform->frame()->windowTitle(), "Tolvane CAD");
}

TEST_F(QtProgram, MenusCarryTheTableTextsAndShortcuts)
{
    application->start("");
    QMenuBar* bar = frame().menuBar();
    QStringList menus;
    for (QAction* m : bar->actions()) {
        menus << m->text();
    }
    EXPECT_EQ(menus,
              (QStringList{"&File", "&Edit", "&Select", "&Tools", "St&ructures", "&Options", "&Window", "&Help"}));
    for (const ui::MenuCommand& c : app::commandTable()) {
        QAction* a = findAction(bar, QString::fromStdString(c.menu), QString::fromStdString(c.text));
        ASSERT_NE(a, nullptr) << c.text;
        QList<QKeySequence> keys;
        for (const std::string& k : c.shortcuts()) {
            keys.append(QKeySequence(QString::fromStdString(k)));
        }
        if (c.keyWhenGreyed) {
            // The keys sit on an action of their own, always enabled; the
            // menu entry shows them.
            EXPECT_TRUE(a->shortcuts().isEmpty()) << c.text;
            EXPECT_TRUE(a->text().contains('\t')) << c.text;
        } else {
            EXPECT_EQ(a->shortcuts(), keys) << c.text;
        }
    }
    EXPECT_EQ(findAction(bar, "&Edit", "Cut")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    // The keys a Linux user expects, next to the program's own, shown in the menu.
    EXPECT_EQ(findAction(bar, "&Edit", "Cut")->shortcuts().value(1), QKeySequence(Qt::CTRL | Qt::Key_X));
    EXPECT_EQ(findAction(bar, "&Edit", "Cut")->text(), "Cut\tShift+Del, Ctrl+X");
    EXPECT_EQ(findAction(bar, "&File", "&Save")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(findAction(bar, "&Edit", "&Redo")->text(), "&Redo\tCtrl+Y, Ctrl+Shift+Z");
    QList<QKeySequence> properties = findAction(bar, "&Edit", "Properties...")->shortcuts();
    EXPECT_TRUE(properties.contains(QKeySequence(Qt::Key_Enter)) && properties.contains(QKeySequence(Qt::Key_Return)))
        << "both Enter keys open the properties";
    EXPECT_EQ(findAction(bar, "&Edit", "&Undo")->text(), "&Undo\tCtrl+Z");
    EXPECT_EQ(findAction(bar, "&Window", "&Cascade")->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    EXPECT_TRUE(findAction(bar, "&Options", "&Undo Enabled")->isChecked());
    findAction(bar, "&Options", "&Undo Enabled")->trigger();
    EXPECT_FALSE(findAction(bar, "&Edit", "&Undo")->isEnabled()) << "greyed while undo is off";
    findAction(bar, "&Window", "&3D")->trigger();
    EXPECT_TRUE(frame().action(app::cmd::View3D)->isChecked());
    EXPECT_TRUE(application->viewWindow(app::cmd::View3D)->isVisible());
}

TEST_F(QtProgram, SaveAsWritesTheFileThroughTheFileDialog)
{
    application->start(testsupport::sourcePath("data/examples/hall.ray"));
    std::string target = dir.file("copy");
    whenModal([target](QWidget* w) {
        auto* chooser = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_TRUE(chooser->nameFilters().startsWith("KCAD File (*.ray)"));
        auto* name = chooser->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text(), "hall.ray") << "the chooser starts from the project's name";
        // Type as a user would: the folder, then the name in it. A dialog
        // still reading its folder may put its first name back, so the name
        // is typed again until it has stayed a while, and then OK is pressed.
        QFileInfo wanted(QString::fromStdString(target));
        auto typeThenAccept = std::make_shared<std::function<void(int)>>();
        // The pending timer keeps the next step alive, not the step itself.
        std::weak_ptr<std::function<void(int)>> self = typeThenAccept;
        *typeThenAccept = [chooser, name, wanted, self](int steady) {
            QStringList chosen = chooser->selectedFiles();
            if (chosen.size() != 1 || !chosen[0].startsWith(wanted.absoluteFilePath())) {
                if (chooser->directory().absolutePath() != wanted.absolutePath()) {
                    chooser->setDirectory(wanted.absolutePath());
                }
                name->setText(wanted.fileName());
                steady = 0;
            }
            if (steady >= 3) {
                QMetaObject::invokeMethod(chooser, "accept");
                return;
            }
            QTimer::singleShot(100, chooser, [next = self.lock(), steady] { (*next)(steady + 1); });
        };
        (*typeThenAccept)(0);
    });
    findAction(frame().menuBar(), "&File", "Save &As...")->trigger();
    EXPECT_EQ(testsupport::readText(dir.file("copy.ray")),
              testsupport::readText(testsupport::sourcePath("data/examples/hall.ray")));
    EXPECT_EQ(frame().windowTitle().toStdString(), "Tolvane CAD - " + dir.file("copy.ray"));
}

TEST_F(QtProgram, ClosingAChangedModelAsksToSaveChanges)
{
    application->start(testsupport::sourcePath("data/examples/hall.ray"));
    frame().show();
    application->dispatchCommand(app::cmd::SelectAll);
    application->dispatchCommand(app::cmd::Duplicate);
    ASSERT_TRUE(application->document.modified());
    QString asked;
    whenModal([&asked](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        asked = box->windowTitle() + ": " + box->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_TRUE(frame().close());
    EXPECT_EQ(asked, "Tolvane CAD: Save Changes ?");
}

TEST_F(QtProgram, DialogsAreBuiltFromTheirTemplates)
{
    application->start("");
    whenModal([](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Coordinates");
        EXPECT_EQ(w->objectName(), "GETCOORDBOX");
        auto* x = w->findChild<QLineEdit*>("control120");
        ASSERT_NE(x, nullptr);
        EXPECT_EQ(x->text(), "1.5");
        x->setText("7");
        w->findChild<QAbstractButton*>("control1")->click();
    });
    geometry::X3DPoint p(1.5, 2, 3);
    EXPECT_TRUE(ui::askCoordinates(p));
    EXPECT_EQ(p.x, 7.0);
    EXPECT_EQ(p.y, 2.0);

    whenModal([](QWidget* w) {
        auto* text = w->findChild<QPlainTextEdit*>("control120");
        ASSERT_NE(text, nullptr);
        text->setPlainText("Two\nlines");
        w->findChild<QAbstractButton*>("control1")->click();
    });
    std::string notes;
    EXPECT_TRUE(ui::editText(notes, "Notes"));
    EXPECT_EQ(notes, "Two\nlines");
}

TEST_F(QtProgram, OpeningALargeProjectMovesTheProgressBar)
{
    std::string big = dir.file("big.ray");
    {
        ui::headless::HeadlessPlatform quiet;
        model::Document doc;
        bench::generateProject(doc, 150000);
        ASSERT_TRUE(storage::writeProjectFile(big, doc));
    }
    application->start("");
    frame().show();
    std::set<int> values;
    QObject::connect(frame().progressBar(), &QProgressBar::valueChanged, [&values](int v) { values.insert(v); });
    int ticks = 0;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&ticks] { ++ticks; });
    heartbeat.start(1);
    EXPECT_TRUE(application->openProject(big));
    heartbeat.stop();
    EXPECT_GT(values.size(), 10u) << "the bar moves while the file is read";
    EXPECT_GT(ticks, 0) << "the event loop ran during the read";
    EXPECT_FALSE(frame().progressBar()->isVisible()) << "and goes when it is done";
}

namespace {

// The widget a view paints into, inside its sub-window.
// Press, a few moves on the way, release: as a hand drags.
void drag(QWidget* w, ui::PixelPoint from, ui::PixelPoint to)
{
    sendMouse(w, QEvent::MouseMove, from, Qt::NoButton);
    sendMouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
    for (int k = 1; k <= 4; ++k) {
        ui::PixelPoint p{from.x + (to.x - from.x) * k / 4, from.y + (to.y - from.y) * k / 4};
        QMouseEvent e(QEvent::MouseMove, QPointF(p.x, p.y), w->mapToGlobal(QPointF(p.x, p.y)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    sendMouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton);
}

long inkOf(QWidget* w)
{
    QImage shot = w->grab().toImage();
    long ink = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            ink += (shot.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
        }
    }
    return ink;
}

}  // namespace

TEST_F(QtProgram, TheExampleShowsInEveryTwoDimensionalView)
{
    application->start(testsupport::sourcePath("data/examples/hall.ray"));
    frame().show();
    findAction(frame().menuBar(), "&Window", "Sta&ndard")->trigger();
    application->toggleView(app::cmd::ViewAuxiliary);
    QApplication::processEvents();
    for (int command : {app::cmd::ViewPlant, app::cmd::ViewFront, app::cmd::ViewSide, app::cmd::ViewAssonometry,
                        app::cmd::ViewAuxiliary}) {
        QWidget* w = viewWidget(*application, command);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isVisible()) << command;
        EXPECT_GT(inkOf(w), 1500) << "view " << command << " shows the hall";
    }
}

TEST_F(QtProgram, PickLensMoveMirrorAndRotateWorkWithTheMouse)
{
    application->start(testsupport::sourcePath("data/examples/hall.ray"));
    frame().show();
    QApplication::processEvents();
    QWidget* plan = viewWidget(*application, app::cmd::ViewPlant);
    views::ViewWindow& view = *application->view(app::cmd::ViewPlant);
    auto& receiver = static_cast<model::Receiver&>(*application->document.children()[10]);  // at (8.5, 4)

    // The coordinate bar follows the pointer.
    sendMouse(plan, QEvent::MouseMove, view.toPixel({3, 2, 0}), Qt::NoButton);
    EXPECT_NE(application->tools->bar.readOut().find("3.00        2.00"), std::string::npos)
        << application->tools->bar.readOut();

    // Lens: a click fits the hall into the view.
    findAction(frame().menuBar(), "&Tools", "&Lens")->trigger();
    drag(plan, {50, 50}, {52, 52});
    EXPECT_LT(view.scale(), 0.05);
    EXPECT_NEAR(view.centre().u, 6.0, 1e-9);

    // Pick: a click on the receiver.
    findAction(frame().menuBar(), "&Tools", "&Pick")->trigger();
    ui::PixelPoint at = view.toPixel(receiver.position);
    drag(plan, at, at);
    EXPECT_TRUE(receiver.selected);

    // Move: a drag along the grid.
    findAction(frame().menuBar(), "&Tools", "&Move")->trigger();
    drag(plan, view.toPixel({8, 4, 0}), view.toPixel({10, 5, 0}));
    EXPECT_NEAR(receiver.position.x, 10.5, 1e-9);
    EXPECT_NEAR(receiver.position.y, 5.0, 1e-9);

    // Mirror in the plane x = 8, keeping the original.
    findAction(frame().menuBar(), "&Tools", "Mirr&or")->trigger();
    whenModal([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Delete old objects");
        box->button(QMessageBox::No)->click();
    });
    drag(plan, view.toPixel({8, 1, 0}), view.toPixel({8, 6, 0}));
    EXPECT_NEAR(receiver.position.x, 5.5, 1e-9);
    EXPECT_EQ(application->document.count(), 14u);

    // Rotate a quarter turn about (5, 5).
    findAction(frame().menuBar(), "&Tools", "&Rotate")->trigger();
    whenModal([](QWidget* w) {
        auto* value = w->findChild<QLineEdit*>("control120");
        ASSERT_NE(value, nullptr);
        value->setText("90");
        w->findChild<QAbstractButton*>("control1")->click();
    });
    drag(plan, view.toPixel({5, 5, 0}), view.toPixel({5, 5, 0}));
    EXPECT_NEAR(receiver.position.x, 5.0, 1e-9);
    EXPECT_NEAR(receiver.position.y, 5.5, 1e-9);
    EXPECT_TRUE(application->document.modified());
}

namespace {

// Modal dialogs expected one after the other, by template name, each
// answered by its action once it shows.
using ModalSteps = std::deque<std::pair<QString, std::function<void(QWidget*)>>>;

void answerModals(std::shared_ptr<ModalSteps> steps)
{
    QTimer::singleShot(30, [steps] {
        if (steps->empty()) {
            return;
        }
        QWidget* w = QApplication::activeModalWidget();
        if (!w || !w->isVisible() || w->objectName() != steps->front().first) {
            answerModals(steps);
            return;
        }
        auto act = steps->front().second;
        steps->pop_front();
        answerModals(steps);
        act(w);
    });
}

std::function<void(QWidget*)> pressOk(std::map<int, QString> shown = {})
{
    return [shown](QWidget* w) {
        for (const auto& [id, text] : shown) {
            auto* field = w->findChild<QLineEdit*>("control" + QString::number(id));
            ASSERT_NE(field, nullptr) << id;
            EXPECT_EQ(field->text(), text) << w->objectName().toStdString() << " " << id;
        }
        w->findChild<QAbstractButton*>("control1")->click();
    };
}

}  // namespace

TEST_F(QtProgram, AWallAndADoorDrawnWithTheMouseAreInTheModel)
{
    application->start("");
    frame().show();
    QApplication::processEvents();
    QWidget* plan = viewWidget(*application, app::cmd::ViewPlant);
    views::ViewWindow& view = *application->view(app::cmd::ViewPlant);

    findAction(frame().menuBar(), "&Tools", "&Wall")->trigger();
    auto steps = std::make_shared<ModalSteps>();
    steps->push_back({"GETQUOTASBOX", pressOk({{120, "0"}, {121, "3"}})});
    steps->push_back({"GETQUOTASBOX", pressOk({{120, "0"}, {121, "3"}})});
    steps->push_back({"GETMATERIAL", pressOk()});
    answerModals(steps);
    drag(plan, view.toPixel({0, 0, 0}), view.toPixel({5, 0, 0}));
    EXPECT_TRUE(steps->empty()) << "dialogs left: " << steps->size();
    ASSERT_EQ(application->document.count(), 1u);
    auto* wall = dynamic_cast<model::Wall*>(application->document.children()[0].get());
    ASSERT_NE(wall, nullptr);
    ASSERT_EQ(wall->baseFace->vertexCount(), 4);
    EXPECT_EQ(wall->baseFace->vertices[2].x, 5.0);
    EXPECT_EQ(wall->baseFace->vertices[2].z, 3.0);

    // The door goes where the wall is clicked, 1 m wide and 2 m high.
    findAction(frame().menuBar(), "&Tools", "&Door")->trigger();
    steps->push_back({"GETDOORBOX", pressOk({{120, "1"}, {121, "2"}})});
    steps->push_back({"GETMATERIAL", pressOk()});
    answerModals(steps);
    ui::PixelPoint at = view.toPixel({2, 0, 0});
    drag(plan, at, at);
    EXPECT_TRUE(steps->empty()) << "dialogs left: " << steps->size();
    ASSERT_EQ(wall->count(), 2u);
    const auto& door = static_cast<const model::Face&>(*wall->children()[1]);
    EXPECT_EQ(door.typeCode(), model::type::Door);
    ASSERT_EQ(door.vertexCount(), 4);
    EXPECT_EQ(door.vertices[0].x, 2.5);
    EXPECT_EQ(door.vertices[1].z, 2.0);
    EXPECT_EQ(door.vertices[2].x, 1.5);
    EXPECT_TRUE(door.selected);
    EXPECT_TRUE(application->document.modified());
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new qttest::QtEnvironment);
    return RUN_ALL_TESTS();
}
