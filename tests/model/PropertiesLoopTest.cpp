// The Properties and Geometry commands over the selection, with apply-to-all.
#include <gtest/gtest.h>

#include <deque>

#include "model/Document.h"
#include "model/EntityEditor.h"
#include "model/Source.h"
#include "tests/model/ModelFixtures.h"

namespace {

// Answers the material chooser from a queue and records what was asked.
struct ScriptedEditor : model::EntityEditor {
    std::deque<std::pair<int, unsigned>> materialAnswers;  // result, number
    std::vector<bool> offeredSameForAll;
    int geometryDialogs = 0;
    int sourceDialogs = 0;

    int chooseMaterial(materials::Material& m, bool offer) override
    {
        offeredSameForAll.push_back(offer);
        auto [result, number] = materialAnswers.front();
        materialAnswers.pop_front();
        if (result != 0) {
            m.number = number;
            m.obstructing = true;
        }
        return result;
    }
    int faceProperties(model::Face&) override
    {
        ++geometryDialogs;
        return geometryDialogs < 2 ? 1 : 0;
    }
    int sourceParameters(model::Source& s) override
    {
        ++sourceDialogs;
        s.roll = 45;
        return 1;
    }
    int editNotes(const std::string&, std::string&) override { return 1; }
};

model::Face& face(model::Document& doc, std::size_t i)
{
    return static_cast<model::Face&>(*doc.children()[i]);
}

}  // namespace

TEST(PropertiesLoop, SameForAllAsksOnceAndGivesTheMaterialToEveryFace)
{
    model::Document doc;
    for (int i = 0; i < 3; ++i) {
        doc.append(fixtures::rectangle(i, 0, i + 1, 1));
    }
    doc.setSelected(true);
    ScriptedEditor editor;
    editor.materialAnswers = {{2, 17}};
    EXPECT_EQ(doc.editProperties(editor, false), 1);
    EXPECT_EQ(editor.offeredSameForAll.size(), 1u);
    EXPECT_TRUE(editor.offeredSameForAll[0]);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(face(doc, i).material.number, 17u);
        EXPECT_TRUE(face(doc, i).material.obstructing);
        EXPECT_FALSE(face(doc, i).selected);
    }
}

TEST(PropertiesLoop, CancelStopsAndLeavesTheRestSelected)
{
    model::Document doc;
    for (int i = 0; i < 3; ++i) {
        doc.append(fixtures::rectangle(i, 0, i + 1, 1));
    }
    doc.setSelected(true);
    ScriptedEditor editor;
    editor.materialAnswers = {{1, 5}, {0, 0}};
    EXPECT_EQ(doc.editProperties(editor, false), 1);
    EXPECT_EQ(face(doc, 0).material.number, 5u);
    EXPECT_EQ(face(doc, 1).material.number, 0u);
    EXPECT_FALSE(face(doc, 1).selected);
    EXPECT_TRUE(face(doc, 2).selected);
    EXPECT_EQ(editor.offeredSameForAll, (std::vector<bool>{true, true}));
}

TEST(PropertiesLoop, TheLastEntityIsNotOfferedSameForAll)
{
    model::Document doc;
    doc.append(fixtures::rectangle(0, 0, 1, 1));
    doc.head()->setSelected(true);
    ScriptedEditor editor;
    editor.materialAnswers = {{1, 3}};
    doc.editProperties(editor, false);
    EXPECT_EQ(editor.offeredSameForAll, (std::vector<bool>{false}));
}

TEST(PropertiesLoop, OpeningsAndSourcesUseTheirOwnDialogs)
{
    model::Document doc;
    doc.append(fixtures::wallWithOpenings());
    doc.append(std::make_unique<model::Source>(geometry::X3DPoint(), geometry::X3DPoint(1, 0, 0), 0, ""));
    auto& wall = static_cast<model::Wall&>(*doc.head());
    wall.children()[2]->setSelected(true);  // the hole: no dialog
    doc.tail()->setSelected(true);
    ScriptedEditor editor;
    EXPECT_EQ(doc.editProperties(editor, false), 1);
    EXPECT_TRUE(editor.offeredSameForAll.empty());
    EXPECT_EQ(editor.sourceDialogs, 1);
    EXPECT_EQ(static_cast<model::Source&>(*doc.tail()).roll, 45.0);
}

TEST(GeometryLoop, StopsWhenADialogIsCancelled)
{
    model::Document doc;
    for (int i = 0; i < 3; ++i) {
        doc.append(fixtures::rectangle(i, 0, i + 1, 1));
    }
    doc.setSelected(true);
    ScriptedEditor editor;
    EXPECT_EQ(doc.editGeometry(editor, false), 1);
    EXPECT_EQ(editor.geometryDialogs, 2);
    EXPECT_TRUE(face(doc, 2).selected);
}
