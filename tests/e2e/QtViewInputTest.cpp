// The mouse in the Qt windows: moves that arrive while the program is busy
// reach the window's logic as one, at the last position, never after what
// the mouse did next; and a pan with the middle button in the program's
// plan view leaves on screen what painting the view anew shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "app/Application.h"
#include "app/CommandTable.h"
#include "materials/MaterialList.h"
#include "tests/support/TestSupport.h"
#include "ui/FileChooser.h"
#include "ui/qt/QtDrawContext.h"
#include "ui/qt/QtFrame.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtView.h"
#include "views/ViewPainting.h"

namespace {

// A window's logic that writes down what reaches it.
class Recorder final : public ui::Window {
public:
    std::vector<std::string> events;
    void onMouseMove(const ui::MouseEvent& e) override { events.push_back(at("move", e)); }
    void onMouseDown(const ui::MouseEvent& e) override { events.push_back(at("down", e)); }
    void onMouseUp(const ui::MouseEvent& e) override { events.push_back(at("up", e)); }

private:
    static std::string at(const char* what, const ui::MouseEvent& e)
    {
        return std::string(what) + " " + std::to_string(e.x) + "," + std::to_string(e.y);
    }
};

void send(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::NoButton)
{
    QPointF local(x, y);
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, local, w->mapToGlobal(local), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

TEST(QtViewInput, MovesThatComeWhileTheProgramIsBusyCountAsOne)
{
    Recorder logic;
    ui::qt::QtLogicWidget widget(logic, nullptr);
    widget.resize(200, 100);
    widget.show();
    QApplication::processEvents();
    logic.events.clear();
    // Five moves arrive before the program gets round to any of them.
    for (int x = 10; x <= 50; x += 10) {
        send(&widget, QEvent::MouseMove, x, 20);
    }
    EXPECT_TRUE(logic.events.empty());
    QApplication::processEvents();
    EXPECT_EQ(logic.events, std::vector<std::string>{"move 50,20"});
    // A press hands on the move that came before it first, in order.
    logic.events.clear();
    send(&widget, QEvent::MouseMove, 70, 30);
    send(&widget, QEvent::MouseButtonPress, 72, 31, Qt::LeftButton);
    send(&widget, QEvent::MouseMove, 90, 40);
    send(&widget, QEvent::MouseButtonRelease, 91, 41, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(logic.events, (std::vector<std::string>{"move 70,30", "down 72,31", "move 90,40", "up 91,41"}));
}

TEST(QtViewInput, APanLeavesOnScreenWhatPaintingTheViewAnewShows)
{
    app::AppContext context;  // a run of its own
    testsupport::ScratchDir dir;
    testsupport::ScopedChdir here(dir.path());
    auto platform = std::make_unique<ui::qt::QtPlatform>();
    auto application = std::make_unique<app::Application>();
    application->start(testsupport::sourcePath("data/examples/hall.ray"));
    platform->frame()->show();
    QApplication::processEvents();
    views::ViewWindow& plan = *application->view(app::cmd::ViewPlant);
    auto* widget = dynamic_cast<ui::qt::QtView*>(plan.native)->logicWidget();
    ASSERT_NE(widget, nullptr);
    ASSERT_GT(widget->width(), 100);
    plan.setScale(plan.scale() * 0.7);
    plan.repaint();
    QApplication::processEvents();

    model::ViewPoint before = plan.centre();
    long wholePaints = widget->wholePaints();
    send(widget, QEvent::MouseButtonPress, 100, 100, Qt::MiddleButton);
    int x = 100;
    int y = 100;
    for (int k = 0; k < 15; ++k) {
        x += 9 - (k % 3) * 5;
        y += (k % 5 - 1) * 3;
        send(widget, QEvent::MouseMove, x, y);
        if (k % 4 == 0) {
            QApplication::processEvents();
        }
    }
    send(widget, QEvent::MouseButtonRelease, x, y, Qt::MiddleButton);
    QApplication::processEvents();
    // The drawing followed the pointer, by as many pixels as it went.
    EXPECT_NEAR(plan.centre().u, before.u - (x - 100) * plan.scale(), 1e-9);
    EXPECT_NEAR(plan.centre().v, before.v + (y - 100) * plan.scale(), 1e-9);
    EXPECT_NE(x, 100);
    // Moved, not painted whole.
    EXPECT_EQ(widget->wholePaints(), wholePaints);
    EXPECT_GE(widget->scrolls(), 4);

    ui::Image shown = ui::qt::fromQImage(widget->grab().toImage());
    auto canvas = ui::makeCanvas();
    ASSERT_NE(canvas, nullptr) << "the Qt back end draws pictures";
    canvas->resize(plan.width(), plan.height());
    views::paintView(plan, *canvas);
    ui::Image anew = canvas->image();
    ASSERT_EQ(shown.width, anew.width);
    ASSERT_EQ(shown.height, anew.height);
    long differ = 0;
    for (std::size_t i = 0; i < shown.pixels.size(); ++i) {
        differ += shown.pixels[i] != anew.pixels[i] ? 1 : 0;
    }
    EXPECT_EQ(differ, 0);
    application.reset();
    platform.reset();
}

}  // namespace
