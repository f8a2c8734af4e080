// Helpers for tests of the program under Qt: the application object, acting
// on modal dialogs as they open, menu actions, real mouse and key events,
// pictures of the views.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QEvent>
#include <QImage>
#include <QMenuBar>
#include <functional>
#include <memory>

#include "app/AppContext.h"
#include "app/Application.h"
#include "tests/support/TestSupport.h"
#include "ui/qt/QtFrame.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/QtView.h"

namespace qttest {

// The QApplication of the test program, on the offscreen platform.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override;
};

// Acts on the next modal widget once the program waits in it. One still open
// long after is one the test did not expect: it fails the test and is closed
// instead of waiting for an answer that never comes.
void whenModal(std::function<void(QWidget*)> act);

// The menu entry with this text (without the keys shown after a tab).
QAction* findAction(QMenuBar* bar, const QString& menu, const QString& text);

// The widget that shows a view.
ui::qt::QtLogicWidget* viewWidget(app::Application& a, int command);

void sendMouse(QWidget* w, QEvent::Type type, ui::PixelPoint p, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// The widget as it is on the screen.
QImage picture(QWidget* w);

// A fresh program in a scratch folder, with the Qt back end.
class QtProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    ui::qt::QtFrame& frame() { return *platform->frame(); }

    app::AppContext context;
    testsupport::ScratchDir dir;
    std::unique_ptr<testsupport::ScopedChdir> here;
    std::unique_ptr<ui::qt::QtPlatform> platform;
    std::unique_ptr<app::Application> application;
};

}  // namespace qttest
