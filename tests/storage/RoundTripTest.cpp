// A project written by the program, read into an empty model and written
// again, gives the very same bytes.
#include <gtest/gtest.h>

#include <random>

#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Info.h"
#include "model/Ray.h"
#include "model/Source.h"
#include "model/Text.h"
#include "storage/ProjectFile.h"
#include "tests/model/ModelFixtures.h"
#include "tests/support/TestSupport.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/Installed.h"

using geometry::X3DPoint;

namespace {

std::string write(const model::Document& doc)
{
    std::string out;
    textio::TextWriter w(out);
    storage::writeProject(w, doc);
    return out;
}

std::string rewrite(const std::string& text)
{
    model::Document doc;
    doc.autoDraw = false;
    textio::TokenReader in{std::string_view(text)};
    EXPECT_TRUE(storage::readProject(in, doc));
    return write(doc);
}

}  // namespace

TEST(RoundTrip, ARichModelComesBackByteForByte)
{
    ui::headless::HeadlessPlatform platform;
    materials::MaterialState database;
    ui::Install<materials::MaterialState> use(database);
    model::Document doc;
    doc.autoDraw = false;
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> coord(-500.0, 500.0);
    for (int i = 0; i < 200; ++i) {
        double x = coord(rng);
        double y = coord(rng);
        doc.append(fixtures::rectangle(x, y, x + coord(rng) / 7, y + 1.0 / 3.0, coord(rng) / 100, i % 40));
    }
    doc.append(fixtures::wallWithOpenings(0.1, 12.7, 3.3));
    auto nested = std::make_unique<model::EntityList>();
    nested->append(fixtures::wallWithOpenings(-5, -1, 2));
    nested->append(std::make_unique<model::Ray>(X3DPoint(0, 0, 0), X3DPoint(1e-6, 2e7, -3.5)));
    doc.append(std::move(nested));
    doc.append(std::make_unique<model::Source>(X3DPoint(1, 2, 3), X3DPoint(4, 5, 6), 12.5, "Big horn.spk"));
    doc.append(std::make_unique<model::Receiver>(X3DPoint(0.1, 0.2, 1.2), X3DPoint(1, 2, 3)));
    doc.append(std::make_unique<model::Text>(X3DPoint(0, 0, 0), X3DPoint(3, 1, 0), "Say \"hi\"\nand go"));
    doc.notes.projectNotes().setText("Client: \"Hall\" project\n\nSecond paragraph\n\"Quoted line\"");

    std::string first = write(doc);
    std::string second = rewrite(first);
    EXPECT_EQ(second, first);
    EXPECT_EQ(rewrite(second), second);
    EXPECT_TRUE(platform.errors.empty());
}

TEST(RoundTrip, TheBundledExampleIsWrittenAsItIsStored)
{
    ui::headless::HeadlessPlatform platform;
    materials::MaterialState database;
    ui::Install<materials::MaterialState> use(database);
    std::string stored = testsupport::readText(testsupport::sourcePath("data/examples/hall.ray"));
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(rewrite(stored), stored);
}
