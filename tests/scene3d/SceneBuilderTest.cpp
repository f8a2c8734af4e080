// The scene of a model, and the export command's routing.
#include <gtest/gtest.h>

#include "materials/MaterialList.h"
#include "model/Document.h"
#include "model/Source.h"
#include "scene3d/ExportFile.h"
#include "scene3d/SceneBuilder.h"
#include "scene3d/X3DIndexedFaceSet.h"
#include "tests/model/ModelFixtures.h"
#include "tests/support/TestSupport.h"
#include "ui/headless/HeadlessPlatform.h"

using geometry::X3DPoint;
using namespace scene3d;

namespace {

X3DIndexedFaceSet& faceSetOf(X3DScene& scene, std::size_t child)
{
    auto* shape = static_cast<X3DShape*>(scene.children.at(child));
    return static_cast<X3DIndexedFaceSet&>(*shape->geometry);
}

class SceneOfModel : public ::testing::Test {
protected:
    void SetUp() override { doc.autoDraw = false; }
    ui::headless::HeadlessPlatform platform;
    model::Document doc;
};

}  // namespace

TEST_F(SceneOfModel, OneFaceSetPerMaterialHolesAndDoorsIncluded)
{
    doc.append(fixtures::rectangle(0, 0, 1, 1, 0, 3));
    doc.append(fixtures::rectangle(5, 5, 6, 6, 0, 5));
    doc.append(fixtures::rectangle(2, 2, 3, 3, 0, 3));
    doc.append(fixtures::wallWithOpenings());  // base 12, door 7, hole 0
    X3DScene& scene = sceneOf(doc);
    ASSERT_EQ(scene.children.count(), 5u);
    auto name = [&](std::size_t i) { return static_cast<X3DShape*>(scene.children.at(i))->appearance.material->name; };
    EXPECT_EQ(name(0), "Material3");
    EXPECT_EQ(faceSetOf(scene, 0).polygonCount(), 2u);
    EXPECT_EQ(name(1), "Material5");
    EXPECT_EQ(name(2), "Material12");
    EXPECT_EQ(name(3), "Material7");
    EXPECT_EQ(name(4), "Material0");
    EXPECT_FALSE(faceSetOf(scene, 0).solid);
    EXPECT_EQ(scene.lights.children.count(), 1u);
    EXPECT_EQ(scene.viewpoints.count(), 1u);
}

TEST_F(SceneOfModel, SourcesAndReceiversAreMarkersAndTheViewLooksAtTheModel)
{
    doc.append(std::make_unique<model::Source>(X3DPoint(0, 0, 2), X3DPoint(1, 0, 2), 0, "omni.spk"));
    doc.append(std::make_unique<model::Receiver>(X3DPoint(4, 3, 1), X3DPoint()));
    X3DScene& scene = sceneOf(doc);
    ASSERT_EQ(scene.children.count(), 2u);
    auto* source = static_cast<X3DTransform*>(scene.children.at(0));
    EXPECT_STREQ(source->className(), "X3DTransform");
    EXPECT_TRUE(source->translation == X3DPoint(0, 0, 2));
    auto* shape = static_cast<X3DShape*>(source->children.at(0));
    EXPECT_STREQ(shape->geometry->className(), "X3DBox");
    EXPECT_EQ(shape->appearance.material->name, "Source");
    EXPECT_FLOAT_EQ(shape->appearance.material->diffuseColor.r, 1.0f);
    auto* receiver = static_cast<X3DShape*>(static_cast<X3DTransform*>(scene.children.at(1))->children.at(0));
    EXPECT_STREQ(receiver->geometry->className(), "X3DSphere");
    EXPECT_FLOAT_EQ(receiver->appearance.material->diffuseColor.b, 1.0f);

    // Box (0,0,1)-(4,3,2): diagonal 5.099..., eye south of the centre at the top.
    X3DViewPoint& view = scene.currentView();
    double d = std::sqrt(16.0 + 9.0 + 1.0);
    EXPECT_TRUE(view.target == X3DPoint(2, 1.5, 1));
    EXPECT_TRUE(view.position == X3DPoint(2, 1.5 - d, 2));
    EXPECT_TRUE(view.up == X3DPoint(0, 0, 1));
    EXPECT_DOUBLE_EQ(view.fieldOfView.degrees, 45.0);
    EXPECT_NEAR(view.nearPlane * 100, view.farPlane, 1e-12);
    EXPECT_TRUE(static_cast<X3DLight*>(scene.lights.children.at(0))->position == view.position);
}

TEST_F(SceneOfModel, AChangeDropsTheSceneAndAnEmptyModelDoesNotPileUpLights)
{
    doc.append(fixtures::rectangle(0, 0, 1, 1, 0, 3));
    EXPECT_EQ(sceneOf(doc).children.count(), 1u);
    static_cast<model::Face&>(*doc.head()).material.number = 4;
    doc.setModified(true);
    X3DScene& rebuilt = sceneOf(doc);
    EXPECT_EQ(static_cast<X3DShape*>(rebuilt.children.at(0))->appearance.material->name, "Material4");

    model::Document empty;
    for (int i = 0; i < 3; ++i) {
        X3DScene& scene = sceneOf(empty);
        EXPECT_EQ(scene.lights.children.count(), 1u);
        EXPECT_EQ(scene.viewpoints.count(), 1u);
    }
}

TEST(ExportFile, NamesAndRoutingByExtension)
{
    EXPECT_EQ(exportName("plan.txt", "dxf"), "plan.dxf");
    EXPECT_EQ(exportName("plan", ".dxf"), "plan.dxf");
    EXPECT_EQ(exportName("", "ray"), "UTITLED.ray");
    EXPECT_EQ(exportName("my.projects/plan", "wrl"), "my.projects/plan.wrl") << "a dot in a folder is not cut";

    ui::headless::HeadlessPlatform platform;
    testsupport::ScratchDir dir;
    model::Document doc;
    doc.autoDraw = false;
    doc.append(fixtures::rectangle(0, 0, 1, 1, 0, 3));
    ASSERT_TRUE(exportFile(doc, dir.file("plan.WRL"), "WRL", {}));
    EXPECT_EQ(testsupport::readText(dir.file("plan.WRL")).rfind("EntityList\n", 0), 0u)
        << "upper-case WRL is not VRML: the project text is written";
    ASSERT_TRUE(exportFile(doc, dir.file("plan.wrl"), "wrl", {}));
    EXPECT_EQ(testsupport::readText(dir.file("plan.wrl")).rfind("#VRML V2.0 utf8\n", 0), 0u);
    ASSERT_TRUE(exportFile(doc, dir.file("x.ray"), ".dxf", {}));
    EXPECT_EQ(testsupport::readText(dir.file("x.dxf")).rfind("0\r\nSECTION\r\n", 0), 0u);
    ASSERT_TRUE(exportFile(doc, dir.file("scene"), "pov", {}));
    EXPECT_NE(testsupport::readText(dir.file("scene.pov")).find("camera {"), std::string::npos);
    EXPECT_TRUE(platform.errors.empty());

    EXPECT_FALSE(exportFile(doc, dir.file("no/such/folder/x"), "dxf", {}));
    EXPECT_FALSE(exportFile(doc, dir.file("no/such/folder/x"), "wrl", {}));
    EXPECT_EQ(platform.errors, (std::vector<std::string>{"Can't write the file", "Can't write the file"}));
}
