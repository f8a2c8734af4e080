// The 3-D view in the Qt program. Under Xvfb (OpenGL through Mesa): it opens
// with the example, a held left button turns the camera and the picture,
// and the right-button menu switches to Explore and goes Home. Under Qt's
// offscreen platform, which has no OpenGL widgets: the view shows its black
// sky and says once that 3-D drawing is not available.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>
#include <functional>

#include "app/AppContext.h"
#include "app/Application.h"
#include "geometry/X3DDirection.h"
#include "materials/MaterialList.h"
#include "tests/e2e/QtTestSupport.h"
#include "tests/support/TestSupport.h"
#include "ui/FileChooser.h"
#include "ui/qt/QtFrame.h"
#include "ui/qt/QtGlView.h"
#include "ui/qt/QtPlatform.h"

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "qt_view3d_tests";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
    }
    QApplication* app = nullptr;
};

// Runs the event loop for a while (timers fire, windows paint).
void pump(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button)
{
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(p), w->mapToGlobal(QPointF(p)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Chooses an entry of the next pop-up menu once it is open, noting which
// entries were ticked.
void whenMenu(const QString& entry, QStringList* ticked)
{
    QTimer::singleShot(30, [entry, ticked] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            whenMenu(entry, ticked);
            return;
        }
        for (QAction* a : menu->actions()) {
            if (a->isChecked()) {
                ticked->append(a->text());
            }
        }
        // As the user does: the entry highlighted, then Return.
        for (QAction* a : menu->actions()) {
            if (a->text() == entry) {
                menu->setActiveAction(a);
            }
        }
        QKeyEvent press(QEvent::KeyPress, entry.isEmpty() ? Qt::Key_Escape : Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(menu, &press);
    });
}

long litPixels(const QImage& image)
{
    long n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += (image.pixel(x, y) & 0xFFFFFF) != 0 ? 1 : 0;
        }
    }
    return n;
}

long differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) {
        return a.width() * a.height();
    }
    long n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return n;
}

class QtView3D : public qttest::QtProgramFixture {
protected:
    void SetUp() override
    {
        QtProgramFixture::SetUp();
        application->start(testsupport::sourcePath("data/examples/hall.ray"));
        platform->frame()->show();
        application->toggleView(app::cmd::View3D);
        pump(200);
    }
    ui::qt::QtGlView& view() { return dynamic_cast<ui::qt::QtGlView&>(*application->viewWindow(app::cmd::View3D)); }
    scene3d::gl::View3D& logic()
    {
        return static_cast<app::View3DProjection&>(application->view(app::cmd::View3D)->projection()).view;
    }
    double azimuth()
    {
        const scene3d::X3DViewPoint& c = logic().camera();
        return geometry::X3DDirection::fromVector(c.position - c.target).azimuth.degrees;
    }
};

}  // namespace

TEST_F(QtView3D, OpensWithTheExampleAndAHeldButtonTurnsTheCamera)
{
    ui::qt::QtGlWidget* gl = view().glWidget();
    ASSERT_NE(gl, nullptr) << "this display has OpenGL";
    ASSERT_TRUE(gl->isVisible());
    QImage before = gl->grabFramebuffer();
    EXPECT_TRUE(logic().drawn()) << logic().failure();
    EXPECT_GT(litPixels(before), before.width() * before.height() / 10) << "the hall shows";

    double start = azimuth();
    QPoint left(gl->width() / 8, gl->height() / 2);
    sendMouse(gl, QEvent::MouseMove, left, Qt::NoButton);
    sendMouse(gl, QEvent::MouseButtonPress, left, Qt::LeftButton);
    pump(300);  // a step every 20 ms
    sendMouse(gl, QEvent::MouseButtonRelease, left, Qt::LeftButton);
    double turned = azimuth() - start;
    EXPECT_GE(turned, 3.0) << "several steps of a degree";
    EXPECT_NEAR(turned, std::round(turned), 1e-9) << "whole steps";
    pump(100);
    EXPECT_DOUBLE_EQ(azimuth() - start, turned) << "letting go stops the turning";
    QImage after = gl->grabFramebuffer();
    EXPECT_GT(differingPixels(before, after), 1000) << "the picture turned with the camera";
}

TEST_F(QtView3D, TheRightButtonMenuSwitchesToExploreAndGoesHome)
{
    ui::qt::QtGlWidget* gl = view().glWidget();
    ASSERT_NE(gl, nullptr);
    QPoint centre(gl->width() / 2, gl->height() / 2);
    QStringList ticked;
    whenMenu("Explore", &ticked);
    sendMouse(gl, QEvent::MouseButtonPress, centre, Qt::RightButton);
    sendMouse(gl, QEvent::MouseButtonRelease, centre, Qt::RightButton);
    EXPECT_EQ(ticked, QStringList{"Study"});
    EXPECT_EQ(logic().mode, scene3d::gl::Explore);

    // Explore turns the gaze: the eye stays where it is.
    geometry::X3DPoint eye = logic().camera().position;
    geometry::X3DPoint target = logic().camera().target;
    QPoint above(centre.x(), gl->height() / 8);
    sendMouse(gl, QEvent::MouseMove, above, Qt::NoButton);
    sendMouse(gl, QEvent::MouseButtonPress, above, Qt::LeftButton);
    pump(150);
    sendMouse(gl, QEvent::MouseButtonRelease, above, Qt::LeftButton);
    EXPECT_TRUE(logic().camera().position == eye);
    EXPECT_FALSE(logic().camera().target == target);

    ticked.clear();
    whenMenu("Home", &ticked);
    sendMouse(gl, QEvent::MouseButtonPress, centre, Qt::RightButton);
    sendMouse(gl, QEvent::MouseButtonRelease, centre, Qt::RightButton);
    EXPECT_EQ(ticked, QStringList{"Explore"});
    EXPECT_TRUE(logic().camera().target == geometry::X3DPoint(6, 4, 0)) << "Home";
    EXPECT_EQ(logic().mode, scene3d::gl::Explore) << "Home keeps the mode";
}

TEST_F(QtView3D, WithoutOpenGLTheViewShowsTheSkyAndSaysSo)
{
    ASSERT_EQ(view().glWidget(), nullptr) << "run this one where Qt has no OpenGL widgets";
    QWidget* client = view().client();
    ASSERT_TRUE(client->isVisible());
    QImage shown = client->grab().toImage();
    EXPECT_EQ(litPixels(shown), 0) << "all black";
    EXPECT_EQ(application->tools->bar.prompt().rfind("3-D drawing is not available", 0), 0u)
        << application->tools->bar.prompt();
    EXPECT_FALSE(logic().drawn());
    // The program keeps working: the plan view still paints.
    application->toggleView(app::cmd::ViewPlant);
    application->toggleView(app::cmd::ViewPlant);
    pump(50);
    EXPECT_TRUE(application->viewWindow(app::cmd::ViewPlant)->isVisible());
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
    return RUN_ALL_TESTS();
}
