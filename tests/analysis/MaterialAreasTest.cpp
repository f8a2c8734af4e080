// The material-area summary charges openings to the face before them.
#include <gtest/gtest.h>

#include "materials/MaterialList.h"
#include "model/Document.h"
#include "tests/model/ModelFixtures.h"
#include "analysis/MaterialAreas.h"

using geometry::X3DPoint;

TEST(MaterialAreas, ADoorIsTakenOffItsWall)
{
    materials::MaterialList list("/nonexistent");
    model::Document doc;
    doc.autoDraw = false;
    // A 20 m2 wall of material 4 with a 2 m2 door of material 9.
    X3DPoint corners[4] = {{0, 0, 0}, {5, 0, 0}, {5, 0, 4}, {0, 0, 4}};
    auto wall = std::make_unique<model::Wall>(corners, fixtures::materialNumber(4));
    wall->append(std::make_unique<model::Door>(std::vector<X3DPoint>{{1, 0, 0}, {2, 0, 0}, {2, 0, 2}, {1, 0, 2}},
                                               fixtures::materialNumber(9)));
    doc.append(std::move(wall));
    std::uint32_t current = 0;
    analysis::computeMaterialAreas(doc, list, current);
    EXPECT_DOUBLE_EQ(list.at(4).area, 18.0);
    EXPECT_DOUBLE_EQ(list.at(9).area, 2.0);
    EXPECT_EQ(current, 4u);
}

TEST(MaterialAreas, HolesAndTheCurrentMaterialCarriedBetweenUses)
{
    materials::MaterialList list("/nonexistent");
    model::Document doc;
    doc.autoDraw = false;
    doc.append(fixtures::wallWithOpenings(0, 10, 3));  // material 12, door 7 (2 m2), hole (1 m2)
    std::uint32_t current = 0;
    analysis::computeMaterialAreas(doc, list, current);
    EXPECT_DOUBLE_EQ(list.at(12).area, 27.0);
    EXPECT_DOUBLE_EQ(list.at(7).area, 2.0);

    // A model starting with a hole charges it to the material left from the last use.
    model::Document second;
    second.autoDraw = false;
    second.append(std::make_unique<model::Hole>(std::vector<X3DPoint>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}));
    analysis::computeMaterialAreas(second, list, current);
    EXPECT_DOUBLE_EQ(list.at(12).area, -1.0);
    EXPECT_DOUBLE_EQ(list.at(7).area, 0.0) << "areas are cleared first";
}
