// Sources, receivers, rays, text notes and project notes.
#include <gtest/gtest.h>

#include "model/Info.h"
#include "model/InfoList.h"
#include "model/Ray.h"
#include "model/Source.h"
#include "model/Text.h"

using geometry::X3DPoint;
using geometry::X3DVector;

TEST(Receiver, SamePositionMeansTheSameReceiver)
{
    model::Receiver a(X3DPoint(1, 2, 1.2), X3DPoint(0, 0, 0));
    model::Receiver b(X3DPoint(1, 2, 1.2), X3DPoint(9, 9, 9));
    EXPECT_TRUE(a.isEqual(b));
    model::Ray r(X3DPoint(1, 2, 1.2), X3DPoint(0, 0, 0));
    EXPECT_FALSE(a.isEqual(r)) << "a ray is another kind";
    a.number = 4;
    EXPECT_EQ(static_cast<model::Receiver&>(*a.clone()).number, 0u);
}

TEST(Source, AimMovesWithTheSource)
{
    model::Source s(X3DPoint(0, 0, 2), X3DPoint(5, 0, 1.2), 10, "Horn.SPK");
    s.translate(X3DVector(1, 1, 0));
    EXPECT_TRUE(s.position == X3DPoint(1, 1, 2));
    EXPECT_TRUE(s.target == X3DPoint(6, 1, 1.2));
    s.scale(2);
    EXPECT_TRUE(s.target == X3DPoint(12, 2, 2.4));
}

TEST(Source, EqualityNeedsAimRollAndFile)
{
    model::Source a(X3DPoint(0, 0, 2), X3DPoint(5, 0, 1), 10, "horn.spk");
    model::Source b(X3DPoint(0, 0, 2), X3DPoint(5, 0, 1), 10, "HORN.SPK");
    EXPECT_TRUE(a.isEqual(b));
    b.roll = 10.0000001;
    EXPECT_FALSE(a.isEqual(b)) << "roll compares exactly";
    model::Source c(X3DPoint(0, 0, 2), X3DPoint(5, 0, 1.5), 10, "horn.spk");
    EXPECT_FALSE(a.isEqual(c));
}

TEST(Source, DirectivityIsNeverEmptyNorTooLong)
{
    model::Source s(X3DPoint(), X3DPoint(), 0, "");
    EXPECT_EQ(s.directivity, "omni.spk");
    s.setDirectivity(std::string(400, 'a'));
    EXPECT_EQ(s.directivity.size(), 255u);
}

TEST(Text, NotesAtTheSamePlaceAreTheSame)
{
    model::Text a(X3DPoint(1, 1, 0), X3DPoint(3, 2, 0), "first");
    model::Text b(X3DPoint(1, 1, 0), X3DPoint(9, 9, 0), "second");
    EXPECT_TRUE(a.isEqual(b));
    auto copy = a.clone();
    EXPECT_EQ(static_cast<model::Text&>(*copy).text, "first");
    X3DPoint min(1e9, 1e9, 1e9);
    X3DPoint max(-1e9, -1e9, -1e9);
    EXPECT_TRUE(a.extendBounds(min, max));
    EXPECT_EQ(max.x, 3.0);
}

TEST(Info, NotesAreNeverCopiedAndStartInvalid)
{
    model::Info notes;
    EXPECT_EQ(notes.name, "Notes");
    EXPECT_FALSE(notes.isValid());
    EXPECT_EQ(notes.clone(), nullptr);
    notes.setText("line one\r\nline two");
    EXPECT_TRUE(notes.isValid());
    EXPECT_EQ(notes.text(), "line one\nline two\n");
    EXPECT_FALSE(notes.isEqual(notes));
}

TEST(InfoList, ProjectNotesAreFoundIgnoringCaseOrCreated)
{
    model::InfoList list;
    model::Info& created = list.projectNotes();
    EXPECT_EQ(list.count(), 1u);
    created.name = "NOTES";
    EXPECT_EQ(&list.projectNotes(), &created);
    EXPECT_EQ(list.count(), 1u);
}
