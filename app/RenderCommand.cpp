// `kcad render`: a view of a project or drawing as a PNG picture, painted as
// the program paints its windows (the 3-D view through off-screen OpenGL);
// no display needed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/CommandLine.h"
#include "app/PictureFile.h"
#include "model/Document.h"
#include "textio/RealFormat.h"
#include "scene3d/gl/Camera.h"
#include "scene3d/gl/ScenePicture.h"
#include "ui/Canvas.h"
#include "ui/headless/HeadlessPlatform.h"
#include "ui/headless/OsMesaSurface.h"
#include "views/Projection.h"
#include "views/ViewPicture.h"

namespace app {

namespace {

const char* renderUsage = "Usage: kcad render [--materials DIR] IN.ray|IN.dxf --view plan|front|side|axo|aux|3d\n"
                          "                   [--size WxH] [--margin PIXELS] [--angles X,Y] [--base X1,Y1,X2,Y2]\n"
                          "                   [--camera X,Y,Z --target X,Y,Z] [--fov DEG] OUT.png\n";

bool parseNumbers(const std::string& text, double* out, int count)
{
    const char* p = text.c_str();
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        out[i] = std::strtod(p, &end);
        if (end == p || !(out[i] == out[i])) {
            return false;
        }
        p = end;
        if (i + 1 < count) {
            if (*p != ',') {
                return false;
            }
            ++p;
        }
    }
    return *p == '\0';
}

int viewIdOf(const std::string& name)
{
    if (name == "plan") {
        return views::viewId::Plant;
    }
    if (name == "front") {
        return views::viewId::Front;
    }
    if (name == "side") {
        return views::viewId::Side;
    }
    if (name == "axo") {
        return views::viewId::Assonometry;
    }
    if (name == "aux") {
        return views::viewId::Auxiliary;
    }
    if (name == "3d") {
        return views::viewId::View3D;
    }
    return 0;
}

// The 3-D view through off-screen OpenGL, copied onto the canvas.
bool render3D(model::Document& doc, const views::PictureRequest& request, const scene3d::gl::CameraRequest& camera,
              ui::Canvas& canvas, std::string& failure)
{
    ui::headless::OsMesaSurface surface;
    if (!surface.resize(request.width, request.height)) {
        failure = surface.failure();
        return false;
    }
    if (!scene3d::gl::drawScenePicture(doc, surface, request.width, request.height, camera, failure)) {
        return false;
    }
    canvas.resize(request.width, request.height);
    canvas.drawImage(0, 0, surface.image());
    return true;
}

int usage(const std::string& message)
{
    std::fprintf(stderr, "kcad render: %s\n%s", message.c_str(), renderUsage);
    return exitUsage;
}

}  // namespace

int runRender(const std::vector<std::string>& rawArgs)
{
    std::vector<std::string> args = rawArgs;
    std::string error;
    int status = exitOk;
    if (!takeMaterialsOption(args, error, status)) {
        if (status != exitUsage) {
            std::fprintf(stderr, "kcad render: %s\n", error.c_str());
            return status;
        }
        return usage(error);
    }
    views::PictureRequest request;
    scene3d::gl::CameraRequest camera;
    std::vector<std::string> files;
    long margin = -1;  // 5 % of the picture on each side
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--view" && hasValue) {
            request.viewId = viewIdOf(args[++i]);
            if (request.viewId == 0) {
                return usage("unknown view '" + args[i] + "'");
            }
        } else if (a == "--size" && hasValue) {
            const std::string& s = args[++i];
            char* end = nullptr;
            long w = std::strtol(s.c_str(), &end, 10);
            long h = (*end == 'x' || *end == 'X') ? std::strtol(end + 1, &end, 10) : 0;
            if (*end != '\0' || w < 16 || h < 16 || w > 16384 || h > 16384) {
                return usage("--size wants WxH, each 16 to 16384 pixels");
            }
            request.width = static_cast<int>(w);
            request.height = static_cast<int>(h);
        } else if (a == "--angles" && hasValue) {
            double v[2];
            if (!parseNumbers(args[++i], v, 2)) {
                return usage("--angles wants X,Y in degrees");
            }
            request.xAngle = v[0];
            request.yAngle = v[1];
        } else if (a == "--base" && hasValue) {
            double v[4];
            if (!parseNumbers(args[++i], v, 4)) {
                return usage("--base wants X1,Y1,X2,Y2 in metres");
            }
            request.baseFrom = {v[0], v[1]};
            request.baseTo = {v[2], v[3]};
        } else if (a == "--margin" && hasValue) {
            char* end = nullptr;
            margin = std::strtol(args[++i].c_str(), &end, 10);
            if (*end != '\0' || margin < 0 || margin > 4096) {
                return usage("--margin wants a number of pixels, 0 to 4096");
            }
        } else if ((a == "--camera" || a == "--target") && hasValue) {
            double v[3];
            if (!parseNumbers(args[++i], v, 3)) {
                return usage(a + " wants X,Y,Z in metres");
            }
            (a == "--camera" ? camera.position : camera.target) = geometry::X3DPoint(v[0], v[1], v[2]);
        } else if (a == "--fov" && hasValue) {
            double fov = 0.0;
            if (!parseNumbers(args[++i], &fov, 1) || !(fov > 0.0 && fov < 180.0)) {
                return usage("--fov wants an angle in degrees above 0 and below 180");
            }
            camera.fieldOfView = fov;
        } else if (a.size() > 1 && a[0] == '-') {
            return usage("unknown or incomplete option '" + a + "'");
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        return usage("expects an input file and an output picture");
    }
    const std::string& picture = files[1];
    if (picture.size() < 5 ||
        !textio::equalIgnoringCase(std::string_view(picture).substr(picture.size() - 4), ".png")) {
        return usage("the picture is written as PNG: its name must end in .png");
    }
    if (isSameFile(files[0], picture)) {
        return usage("the picture " + picture + " is the input file");
    }
    if (request.viewId == 0) {
        return usage("--view is needed");
    }
    if (camera.position.has_value() != camera.target.has_value()) {
        return usage("--camera and --target go together");
    }
    // The scene's up is +z: a camera looking straight up or down, or at
    // itself, has no picture to give.
    if (camera.position && !scene3d::gl::isSoundCamera(*camera.position, *camera.target, {0, 0, 1})) {
        return usage("--camera must stand away from --target and not straight above or below it");
    }
    // Outlines and symbols on the model's edge are never cut off.
    request.marginX = margin >= 0 ? static_cast<int>(margin) : request.width / 20;
    request.marginY = margin >= 0 ? static_cast<int>(margin) : request.height / 20;
    std::unique_ptr<ui::Canvas> canvas = ui::makeCanvas();
    if (!canvas) {
        std::fprintf(stderr, "kcad render: this build has no picture output (it was built without Qt)\n");
        return exitFailed;
    }

    ui::headless::HeadlessPlatform platform;
    platform.onError = [](const std::string& text) { std::fprintf(stderr, "ERROR: %s\n", text.c_str()); };
    model::Document doc;
    if (!loadModel(files[0], doc)) {
        return exitFailed;
    }
    if (request.viewId == views::viewId::View3D) {
        std::string failure;
        if (!render3D(doc, request, camera, *canvas, failure)) {
            std::fprintf(stderr, "kcad render: %s\n", failure.c_str());
            return exitFailed;
        }
    } else if (!views::paintPicture(doc, request, *canvas)) {
        std::fprintf(stderr, "kcad render: the auxiliary base line has no length\n");
        return exitFailed;
    }
    if (!savePicture(*canvas, files[1])) {
        std::fprintf(stderr, "kcad render: can't write %s\n", files[1].c_str());
        return exitFailed;
    }
    return platform.errors.empty() ? exitOk : exitFailed;
}

}  // namespace app
