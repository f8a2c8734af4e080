// The model check and room acoustics with the Qt back end, under the
// offscreen platform: the dialogs as a user sees them, and the plot's pixels.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "app/AppContext.h"
#include "app/Application.h"
#include "app/CommandTable.h"
#include "materials/MaterialList.h"
#include "tests/e2e/QtTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/ReverberationPlot.h"
#include "ui/Canvas.h"
#include "ui/qt/QtDrawContext.h"
#include "ui/qt/QtPlatform.h"

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "qt_analysis_tests";
        static char* argv[] = {name, nullptr};
        app = new QApplication(argc, argv);
        ui::qt::installCanvases();
    }
    QApplication* app = nullptr;
};

using qttest::whenModal;

class AnalysisQt : public qttest::QtProgramFixture {
protected:
    void SetUp() override
    {
        QtProgramFixture::SetUp();
        application->start(testsupport::sourcePath("data/examples/hall.ray"));
    }
};

QStringList row(QTableWidget* table, int r)
{
    QStringList cells;
    for (int c = 0; c < table->columnCount(); ++c) {
        cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
    }
    return cells;
}

}  // namespace

TEST(ReverberationPlot, DrawsBothCurvesWhereItsScaleSays)
{
    analysis::MaybeBands sabine;
    analysis::MaybeBands eyring;
    for (int b = 0; b < materials::bandCount; ++b) {
        sabine[b] = 2.0 - 0.15 * b;
        eyring[b] = 1.4 - 0.12 * b;
    }
    eyring[6].reset();  // no Eyring time in one band: a gap in its curve
    std::unique_ptr<ui::Canvas> canvas = ui::makeCanvas();
    ASSERT_NE(canvas, nullptr);
    const int w = 420;
    const int h = 220;
    canvas->resize(w, h);
    tools::drawReverberationPlot(*canvas, w, h, sabine, eyring);
    ui::Image picture = canvas->image();
    tools::PlotScale scale(w, h, sabine, eyring);
    EXPECT_GE(scale.top(), 2.0);
    EXPECT_LT(scale.top(), 3.0) << "the axis ends at the next tick above the longest time";
    for (int b = 0; b < materials::bandCount; ++b) {
        EXPECT_EQ(picture.at(scale.x(b), scale.y(*sabine[b])), tools::sabineColour) << "Sabine, band " << b;
        if (eyring[b]) {
            EXPECT_EQ(picture.at(scale.x(b), scale.y(*eyring[b])), tools::eyringColour) << "Eyring, band " << b;
        } else {
            EXPECT_NE(picture.at(scale.x(b), scale.y(1.4 - 0.12 * b)), tools::eyringColour) << "the gap";
        }
    }
    // Halfway between two bands each curve runs through its mean time.
    for (int b : {0, 3}) {
        int x = (scale.x(b) + scale.x(b + 1)) / 2;
        int y = scale.y((*sabine[b] + *sabine[b + 1]) / 2);
        bool near = false;
        for (int dy = -1; dy <= 1; ++dy) {
            near = near || picture.at(x, y + dy) == tools::sabineColour;
        }
        EXPECT_TRUE(near) << "Sabine line after band " << b;
    }
    // Nothing of either curve between the bands around the Eyring gap.
    int x = (scale.x(6) + scale.x(7)) / 2;
    for (int y = 0; y < h; ++y) {
        ASSERT_NE(picture.at(x, y), tools::eyringColour) << y;
    }
}

TEST_F(AnalysisQt, RoomAcousticsShowsTheTableAndThePlot)
{
    QStringList sabine;
    QStringList withAir;
    bool plotted = false;
    whenModal([&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Room acoustics");
        auto* table = w->findChild<QTableWidget*>("control112");
        ASSERT_NE(table, nullptr);
        sabine = row(table, 2);
        auto* plot = w->findChild<QLabel*>("control130");
        ASSERT_NE(plot, nullptr);
        plotted = !plot->pixmap().isNull() && plot->pixmap().width() == 420;
        w->findChild<QCheckBox*>("control141")->click();
        withAir = row(table, 2);
        w->findChild<QAbstractButton*>("control2")->click();
    });
    application->dispatchCommand(app::cmd::RoomAcoustics);
    EXPECT_EQ(sabine, (QStringList{"Sabine (s)", "1.24", "0.91", "0.64", "0.55", "0.54", "0.46", "0.44", "0.46", "0.46",
                                   "0.46"}));
    EXPECT_TRUE(plotted);
    EXPECT_EQ(withAir.value(0), "Air, 4mV (m2)") << "the air's row comes in when it is ticked";
    EXPECT_TRUE(application->air.on);
}

TEST_F(AnalysisQt, ChoosingAProblemInTheListSelectsItsFaces)
{
    int rows = 0;
    whenModal([&](QWidget* w) {
        EXPECT_EQ(w->windowTitle(), "Check model");
        auto* list = w->findChild<QListWidget*>("control112");
        ASSERT_NE(list, nullptr);
        rows = list->count();
        list->item(0)->setSelected(true);
        w->findChild<QAbstractButton*>("control2")->click();
    });
    application->dispatchCommand(app::cmd::CheckModel);
    EXPECT_EQ(rows, 1);
    // The floor and the roof, which face into the hall.
    const auto& entities = application->document.children();
    EXPECT_TRUE(entities[0]->selected);
    EXPECT_TRUE(entities[1]->selected);
    int selected = application->document.forEach([](model::Entity& e) { return e.selected ? 1 : 0; });
    EXPECT_EQ(selected, 2);
}

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
    return RUN_ALL_TESTS();
}
