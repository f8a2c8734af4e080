// VRML 2.0 and POV-Ray text, byte for byte.
#include <gtest/gtest.h>

#include "materials/MaterialList.h"
#include "model/Document.h"
#include "scene3d/SceneBuilder.h"
#include "scene3d/X3DIndexedFaceSet.h"
#include "scene3d/X3DScene.h"
#include "scene3d/X3DStream.h"
#include "tests/model/ModelFixtures.h"
#include "textio/TextWriter.h"
#include "ui/Installed.h"

using geometry::X3DPoint;
using namespace scene3d;

namespace {

std::string text(const X3DScene& scene, int format)
{
    std::string out;
    textio::TextWriter w(out);
    X3DStream stream(w, format);
    scene.exportScene(stream);
    w.flush();
    return out;
}

std::string nodeText(const X3DNode& node, int format)
{
    std::string out;
    textio::TextWriter w(out);
    X3DStream stream(w, format);
    node.write(stream);
    w.flush();
    return out;
}

class Writers : public ::testing::Test {
protected:
    void SetUp() override { materials::setMaterialDirectory("/nonexistent"); }
    // A database of the test's own, gone with the test.
    materials::MaterialState materialState;
    ui::Install<materials::MaterialState> useMaterials{materialState};
};

}  // namespace

TEST_F(Writers, TwoTrianglesOfMaterialSevenAsVrml)
{
    model::Document doc;
    doc.autoDraw = false;
    doc.append(std::make_unique<model::Face>(std::vector<X3DPoint>{{0, 0, 0}, {1, 0, 0}, {1, 1, 0}},
                                             fixtures::materialNumber(7)));
    doc.append(std::make_unique<model::Face>(std::vector<X3DPoint>{{0, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                                             fixtures::materialNumber(7)));
    EXPECT_EQ(text(sceneOf(doc), X3DStream::VRML), "#VRML V2.0 utf8\n"
                                                   "\n"
                                                   "PROTO Material7 [] {\n"
                                                   " Material {\n"
                                                   "  ambientIntensity 1\n"
                                                   "  diffuseColor 0 1 1\n"
                                                   "  shininess 0.5\n"
                                                   "  specularColor 1 1 1\n"
                                                   " }\n"
                                                   "}\n"
                                                   "\n"
                                                   "Group {\n"
                                                   " children [\n"
                                                   "  Shape {\n"
                                                   "   appearance Appearance {\n"
                                                   "    material Material7 {}\n"
                                                   "   }\n"
                                                   "   geometry\n"
                                                   "   IndexedFaceSet {\n"
                                                   "    coord Coordinate {\n"
                                                   "     point [\n"
                                                   "      0 0 0, 1 0 0, 1 1 0, 0 1 0, \n"
                                                   "     ]\n"
                                                   "    }\n"
                                                   "    coordIndex [\n"
                                                   "     0 1 2 -1 0 2 3 -1 \n"
                                                   "    ]\n"
                                                   "    normal Normal {\n"
                                                   "     vector [\n"
                                                   "      0 0 1, \n"
                                                   "     ]\n"
                                                   "    }\n"
                                                   "    normalIndex [\n"
                                                   "     0 0 0 -1 0 0 0 -1 \n"
                                                   "    ]\n"
                                                   "    solid FALSE\n"
                                                   "   }\n"
                                                   "  }\n"
                                                   " ]\n"
                                                   "}\n"
                                                   "Background {\n"
                                                   " skyColor 0 0 0\n"
                                                   "}\n");
}

TEST_F(Writers, PointsFourToALineAndPolygonsSixToALine)
{
    X3DIndexedFaceSet set(true);
    for (int i = 0; i < 7; ++i) {
        X3DPoint tri[3] = {{i * 10.0, 0, 0}, {i * 10.0 + 1, 0, 0}, {i * 10.0, 1, 0}};
        set.addPolygon(tri, 3);
    }
    std::string vrml = nodeText(set, X3DStream::VRML);
    EXPECT_NE(vrml.find("  point [\n   0 0 0, 1 0 0, 0 1 0, 10 0 0, \n   11 0 0, 10 1 0, 20 0 0, 21 0 0, \n"),
              std::string::npos)
        << vrml;
    EXPECT_NE(vrml.find(" coordIndex [\n  0 1 2 -1 3 4 5 -1 6 7 8 -1 9 10 11 -1 12 13 14 -1 15 16 17 -1 \n"
                        "  18 19 20 -1 \n ]\n"),
              std::string::npos)
        << vrml;
    EXPECT_NE(vrml.find(" solid TRUE\n}\n"), std::string::npos);
    EXPECT_EQ(vrml.find("normal"), std::string::npos) << "no corner is shared: no normals";
}

TEST_F(Writers, AQuadrilateralIsTwoSmoothTrianglesInPovRay)
{
    // (p1 - p0) x (pLast - p1) gives a negative zero here, printed as %g does.
    X3DIndexedFaceSet set(false);
    X3DPoint quad[4] = {{0, 0, 0}, {2, 0, 0}, {2, 1, 0}, {0, 1, 0}};
    set.addPolygon(quad, 4);
    EXPECT_EQ(nodeText(set, X3DStream::POVRay),
              "mesh {\n"
              " smooth_triangle { <0,0,0> <0,-0,1> <2,0,0> <0,-0,1> <2,1,0> <0,-0,1> }\n"
              " smooth_triangle { <0,0,0> <0,-0,1> <2,1,0> <0,-0,1> <0,1,0> <0,-0,1> }\n"
              "}\n");
}

TEST_F(Writers, SpheresBoxesAndTransforms)
{
    EXPECT_EQ(nodeText(X3DSphere(1.0), X3DStream::VRML), "Sphere { }\n");
    EXPECT_EQ(nodeText(X3DSphere(0.1), X3DStream::VRML), "Sphere { radius 0.1 }\n");
    EXPECT_EQ(nodeText(X3DSphere(0.1), X3DStream::POVRay), "sphere { <0,0,0> 0.1 }\n");
    EXPECT_EQ(nodeText(X3DBox(geometry::X3DVector(0.2, 0.2, 0.2)), X3DStream::VRML), "Box { size 0.2 0.2 0.2 }\n");
    EXPECT_EQ(nodeText(X3DBox(geometry::X3DVector(0.2, 0.2, 0.2)), X3DStream::POVRay),
              "box { <-0.1,-0.1,-0.1>, <0.1,0.1,0.1> }\n");

    X3DTransform t;
    t.scale = geometry::X3DVector(1, 1, 1);
    t.translation = geometry::X3DVector(1, 2, 0);
    t.addChild(std::make_unique<X3DSphere>(2.0));
    EXPECT_EQ(nodeText(t, X3DStream::POVRay), "object {\n sphere { <0,0,0> 2 }\n translate <1,2,0>\n}\n");
    EXPECT_EQ(nodeText(t, X3DStream::VRML),
              "Transform {\n translation 1 2 0\n children [\n  Sphere { radius 2 }\n ]\n}\n");
    t.rotation.angle.setDegrees(90);
    t.scale = geometry::X3DVector(2, 2, 2);
    EXPECT_EQ(nodeText(t, X3DStream::POVRay),
              "object {\n sphere { <0,0,0> 2 }\n scale <2,2,2> rotate 90*<0,0,1> translate <1,2,0>\n}\n");
}

TEST_F(Writers, TransparentMaterials)
{
    X3DMaterial glass(X3DColor(0.2, 0.4, 0.6, 0.5), "Glass");
    std::string vrml = nodeText(glass, X3DStream::VRML);
    EXPECT_NE(vrml.find(" transparency 0.5\n"), std::string::npos);
    EXPECT_NE(vrml.find(" diffuseColor 0.2 0.4 0.6\n"), std::string::npos);
    EXPECT_EQ(nodeText(glass, X3DStream::POVRay),
              "texture {\n pigment { rgbft<0.2,0.4,0.6,0.5,0.5> }\n finish { ambient 1 diffuse 1 specular 1 }\n}\n");
}

TEST_F(Writers, EmptyScenesAndThePovRayFrame)
{
    X3DScene empty;
    EXPECT_EQ(text(empty, X3DStream::VRML), "#VRML V2.0 utf8\n\nBackground {\n skyColor 0 0 0\n}\n");

    X3DScene scene;
    scene.addMaterial(X3DColor(1, 0, 0, 1), "Source");
    auto light = std::make_unique<X3DLight>(true);
    light->position = X3DPoint(1, -2, 3);
    scene.addNode(std::move(light));
    auto view = std::make_unique<X3DViewPoint>(X3DPoint(1, -2, 3), X3DPoint(1, 0, 0));
    view->up = geometry::X3DVector(0, 0, 1);
    scene.addNode(std::move(view));
    EXPECT_EQ(text(scene, X3DStream::POVRay), "#declare Source =\n"
                                              " texture {\n"
                                              "  pigment { rgb<1,0,0> }\n"
                                              "  finish { ambient 1 diffuse 1 specular 1 }\n"
                                              " }\n"
                                              "\n\n"
                                              "light_source {\n"
                                              " <1,-2,3> rgb<1,1,1>\n"
                                              "}\n"
                                              "camera {\n"
                                              " location <1,-2,3>\n"
                                              " look_at <1,0,0>\n"
                                              " up <0,0,1>\n"
                                              " sky <0,0,1>\n"
                                              "}\n"
                                              "background { rgb<0,0,0> }\n"
                                              "global_settings {\n"
                                              " ambient_light rgb<0.6,0.6,0.6>\n"
                                              "}\n");
    EXPECT_EQ(text(scene, X3DStream::VRML).find("light"), std::string::npos) << "VRML has no lights";
}
