// The duplicate finder: the rules, and exactly the selection of the
// described algorithm on thousands of small models of near-equal entities.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "model/Document.h"
#include "model/Source.h"
#include "model/Wall.h"
#include "tests/model/ModelFixtures.h"
#include "tools/DuplicateFinder.h"
#include "ui/headless/HeadlessPlatform.h"

using geometry::X3DPoint;

namespace {

// The algorithm as described, with a plain list of centres and the walk
// from the start of the model.
unsigned referenceDuplicates(model::Document& doc)
{
    doc.setSelected(false);
    std::vector<X3DPoint> centres;
    unsigned count = 0;
    const auto& children = doc.children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        X3DPoint min(1e9, 1e9, 1e9);
        X3DPoint max(-1e9, -1e9, -1e9);
        children[i]->extendBounds(min, max);
        X3DPoint k((min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2);
        bool match = false;
        for (const X3DPoint& c : centres) {
            if (std::fabs(c.x - k.x) < 1e-5 && std::fabs(c.y - k.y) < 1e-5 && std::fabs(c.z - k.z) < 1e-5) {
                match = true;
                break;
            }
        }
        if (!match) {
            centres.push_back(k);
            continue;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (children[j]->isEqual(*children[i])) {
                children[j]->setSelected(true);
                ++count;
                break;
            }
        }
    }
    return count;
}

std::vector<bool> selection(const model::Document& doc)
{
    std::vector<bool> s;
    for (const auto& c : doc.children()) {
        s.push_back(c->selected);
    }
    return s;
}

}  // namespace

TEST(DuplicateFinder, TheDescribedCases)
{
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
    doc.autoDraw = false;
    doc.append(fixtures::rectangle(0, 0, 1, 1));
    doc.append(fixtures::rectangle(0, 0, 1, 1));
    // Same box centre, other vertices: not a duplicate.
    doc.append(std::make_unique<model::Face>(std::vector<X3DPoint>{{0, 0, 0}, {1, 0.25, 0}, {1, 1, 0}, {0, 0.75, 0}},
                                             materials::Material{}));
    for (int i = 0; i < 3; ++i) {
        doc.append(std::make_unique<model::Receiver>(X3DPoint(5, 5, 1.2), X3DPoint(i, 0, 0)));
    }
    doc.children()[5]->setSelected(true);
    EXPECT_EQ(tools::selectDuplicates(doc), 3u);
    EXPECT_EQ(selection(doc), (std::vector<bool>{true, false, false, true, false, false}));
    EXPECT_EQ(platform.status, "3 duplicate entities found");

    model::Document walls;
    walls.autoDraw = false;
    auto wall = fixtures::wallWithOpenings();
    wall->append(wall->children()[1]->clone());  // two equal doors inside one wall
    walls.append(std::move(wall));
    EXPECT_EQ(tools::selectDuplicates(walls), 0u) << "only top-level entities are compared";
    EXPECT_EQ(platform.status, "No duplicate entities");
    model::Document empty;
    EXPECT_EQ(tools::selectDuplicates(empty), 0u);
}

TEST(DuplicateFinder, SelectsExactlyWhatTheDescribedAlgorithmSelects)
{
    ui::headless::HeadlessPlatform platform;
    std::mt19937 rng(2024);
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<int> spot(0, 3);
    std::uniform_real_distribution<double> jitter(-0.0012, 0.0012);
    std::uniform_int_distribution<int> size(2, 14);
    for (int round = 0; round < 3000; ++round) {
        model::Document fast;
        model::Document slow;
        fast.autoDraw = slow.autoDraw = false;
        int n = size(rng);
        for (int i = 0; i < n; ++i) {
            double x = spot(rng);
            double y = spot(rng) * 0.5;
            double j = round % 3 == 0 ? jitter(rng) : (round % 3 == 1 ? jitter(rng) / 100 : 0.0);
            std::unique_ptr<model::Entity> e;
            switch (kind(rng)) {
            case 0:
                e = fixtures::rectangle(x + j, y, x + 1, y + 1 + j);
                break;
            case 1: {
                X3DPoint c[4] = {{x + j, y, 0}, {x + 2, y, 0}, {x + 2, y, 3 + j}, {x, y, 3}};
                e = std::make_unique<model::Wall>(c, materials::Material{});
                break;
            }
            case 2:
                // A face equal to the base of a wall above, within a millimetre.
                e = std::make_unique<model::Face>(
                    std::vector<X3DPoint>{{x + 2, y, 3 + j}, {x, y, 3}, {x + j, y, 0}, {x + 2, y, 0}},
                    materials::Material{});
                break;
            case 3:
                e = std::make_unique<model::Receiver>(X3DPoint(x + j / 200, y, 1.2), X3DPoint(j, 0, 0));
                break;
            case 4:
                e = std::make_unique<model::Source>(X3DPoint(x, y + j / 200, 1.2), X3DPoint(1, 1, 1), spot(rng) % 2,
                                                    "omni.spk");
                break;
            default: {
                auto list = std::make_unique<model::EntityList>();
                list->append(fixtures::rectangle(x, y, x + 1, y + 1));
                e = std::move(list);
                break;
            }
            }
            auto copy = e->clone();
            fast.append(std::move(e));
            slow.append(std::move(copy));
        }
        unsigned expected = referenceDuplicates(slow);
        ASSERT_EQ(tools::selectDuplicates(fast), expected) << "round " << round;
        ASSERT_EQ(selection(fast), selection(slow)) << "round " << round;
    }
}
