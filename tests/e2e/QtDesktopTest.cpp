// The program under Qt as a desktop user meets it: a click without motion,
// backing out of the save question with Esc, both Enter keys, the help
// window and its links, the palette's tips.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>
#include <QToolTip>

#include "app/CommandTable.h"
#include "tests/e2e/QtTestSupport.h"
#include "tools/ToolPalette.h"
#include "ui/qt/QtHelpWindow.h"

using qttest::findAction;
using qttest::picture;
using qttest::whenModal;

class QtDesktop : public qttest::QtProgramFixture {};

TEST_F(QtDesktop, AClickWithoutMotionLeavesTheViewDrawnAsBefore)
{
    application->start(testsupport::sourcePath("data/examples/hall.ray"));
    frame().show();
    QWidget* plan = qttest::viewWidget(*application, app::cmd::ViewPlant);
    findAction(frame().menuBar(), "&Window", "&Redraw")->trigger();
    QImage before = picture(plan);
    // Press and release on the same pixel, away from the model, as a click
    // of a real mouse that does not move (and twice, as a double click).
    for (int i = 0; i < 2; ++i) {
        qttest::sendMouse(plan, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
        qttest::sendMouse(plan, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton);
    }
    findAction(frame().menuBar(), "&Window", "&Redraw")->trigger();
    QImage after = picture(plan);
    ASSERT_EQ(before.size(), after.size());
    long differing = 0;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            differing += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0) << "the view is drawn as it was, not inverted";
}

TEST_F(QtDesktop, EscapeBacksOutOfTheSaveQuestionAndNothingIsLost)
{
    application->start(testsupport::sourcePath("data/examples/hall.ray"));
    frame().show();
    application->dispatchCommand(app::cmd::SelectAll);
    application->dispatchCommand(app::cmd::Duplicate);
    std::size_t count = application->document.count();
    QString buttons;
    whenModal([&buttons](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons()) {
            buttons += box->buttonRole(b) == QMessageBox::RejectRole ? "[cancel]" : "[" + b->text() + "]";
        }
        QTest::keyClick(box, Qt::Key_Escape);
    });
    EXPECT_FALSE(frame().close()) << "Exit stops: the frame stays open";
    EXPECT_EQ(buttons.count('['), 3) << buttons.toStdString();
    EXPECT_TRUE(buttons.contains("[cancel]")) << buttons.toStdString();
    whenModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    application->dispatchCommand(app::cmd::New);
    EXPECT_EQ(application->document.count(), count);
    EXPECT_TRUE(application->document.modified());
}

TEST_F(QtDesktop, ReturnAndEnterBothOpenTheProperties)
{
    // Qt tells the two keys apart (Windows does not); the real keypad's key
    // is driven through X by the end-to-end test.
    application->start(testsupport::sourcePath("data/examples/hall.ray"));
    frame().show();
    for (Qt::Key key : {Qt::Key_Enter, Qt::Key_Return}) {
        application->dispatchCommand(app::cmd::SelectAll);
        QString title;
        whenModal([&title](QWidget* w) {
            title = w->windowTitle();
            QTest::keyClick(w, Qt::Key_Escape);
        });
        // Keys go to the active window; the closed dialog leaves none here.
        QApplication::setActiveWindow(&frame());
        QTest::keyClick(&frame(), key);
        EXPECT_FALSE(title.isEmpty()) << (key == Qt::Key_Return ? "Return" : "Enter") << " opened no dialog";
    }
}

TEST_F(QtDesktop, HelpShowsTheManualInTheProgramsOwnWindowWithWorkingLinks)
{
    application->start("");
    frame().show();
    QTest::keyClick(&frame(), Qt::Key_F1);
    ui::qt::QtHelpWindow* help = platform->helpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    QTextBrowser* browser = help->browser();
    EXPECT_TRUE(browser->toPlainText().contains("Tolvane CAD builds acoustic models"));
    // Every link of the contents leads to a heading of the page.
    QTextDocument* page = browser->document();
    int links = 0;
    for (QTextBlock b = page->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            QString href = it.fragment().charFormat().anchorHref();
            if (!href.startsWith('#')) {
                continue;
            }
            ++links;
            browser->scrollToAnchor(href.mid(1));
            bool found = false;
            for (QTextBlock h = page->begin(); h.isValid() && !found; h = h.next()) {
                for (auto f = h.begin(); !f.atEnd() && !found; ++f) {
                    found = f.fragment().charFormat().anchorNames().contains(href.mid(1));
                }
            }
            EXPECT_TRUE(found) << href.toStdString();
        }
    }
    EXPECT_GE(links, 5);
}

TEST_F(QtDesktop, TheHelpWindowStandsBesideTheProgramAndClosesLikeOthers)
{
    application->start("");
    frame().show();
    QTest::keyClick(&frame(), Qt::Key_F1);
    ui::qt::QtHelpWindow* help = platform->helpWindow();
    ASSERT_NE(help, nullptr);
    // It never keeps the program running once the program's window is gone.
    EXPECT_FALSE(help->testAttribute(Qt::WA_QuitOnClose));
    EXPECT_TRUE(frame().testAttribute(Qt::WA_QuitOnClose));
    // With the manual in front, a box still opens over the program's window.
    QApplication::setActiveWindow(help);
    QWidget* owner = nullptr;
    whenModal([&owner](QWidget* w) {
        owner = w->parentWidget() ? w->parentWidget()->window() : nullptr;
        QTest::keyClick(w, Qt::Key_Escape);
    });
    ui::errorBox("%s", "a message");
    EXPECT_EQ(owner, &frame());
    // Esc and Ctrl+W close it.
    for (QKeySequence key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        help->show();
        help->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        EXPECT_TRUE(help->isVisible());
        QTest::keySequence(help->browser(), key);
        EXPECT_FALSE(help->isVisible()) << key.toString().toStdString();
    }
}

TEST_F(QtDesktop, ThePaletteTellsEachToolByItsTip)
{
    application->start("");
    frame().show();
    QApplication::processEvents();
    auto* bar = frame().findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    QWidget* palette = nullptr;
    for (QWidget* w : bar->findChildren<QWidget*>()) {
        if (qobject_cast<ui::qt::QtLogicWidget*>(w)) {
            palette = w;
        }
    }
    ASSERT_NE(palette, nullptr);
    int wall = tools::tool::Wall - tools::tool::Pick;
    QPoint at(wall * 32 + 16, 16);
    QHelpEvent tip(QEvent::ToolTip, at, palette->mapToGlobal(at));
    QApplication::sendEvent(palette, &tip);
    EXPECT_TRUE(QToolTip::text().startsWith("Wall")) << QToolTip::text().toStdString();
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new qttest::QtEnvironment);
    return RUN_ALL_TESTS();
}
