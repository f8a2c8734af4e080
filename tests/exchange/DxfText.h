// Composing DXF text for tests: group pairs and whole entities.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "geometry/X3DPoint.h"
#include "textio/RealFormat.h"

namespace dxftest {

using geometry::X3DPoint;

struct DxfText {
    std::string body;

    DxfText& group(int code, const std::string& value)
    {
        body += std::to_string(code) + "\n" + value + "\n";
        return *this;
    }
    DxfText& real(int code, double v) { return group(code, textio::realToString(v, 12)); }
    DxfText& corners(const std::vector<X3DPoint>& points)
    {
        for (std::size_t i = 0; i < points.size(); ++i) {
            int c = static_cast<int>(i);
            real(10 + c, points[i].x).real(20 + c, points[i].y).real(30 + c, points[i].z);
        }
        return *this;
    }
    DxfText& face(const std::string& layer, const std::vector<X3DPoint>& points, int colour = -1)
    {
        group(0, "3DFACE").group(8, layer);
        if (colour >= 0) {
            group(62, std::to_string(colour));
        }
        return corners(points);
    }
    DxfText& polyline(const std::vector<X3DPoint>& points)
    {
        return group(0, "POLYLINE").group(8, "HOLES").corners(points);
    }
    DxfText& line(const std::string& layer, const X3DPoint& a, const X3DPoint& b)
    {
        return group(0, "LINE").group(8, layer).corners({a, b});
    }
    DxfText& attdef(const std::string& layer, const X3DPoint& a, const X3DPoint& b, double angle,
                    const std::string& text)
    {
        group(0, "ATTDEF").group(8, layer).group(1, text).group(2, "TAG");
        corners({a, b});
        return real(51, angle);
    }
    DxfText& insert(const std::string& block, const std::string& layer, const X3DPoint& at)
    {
        group(0, "INSERT").group(8, layer).group(2, block);
        return corners({at});
    }
    // The whole file: one ENTITIES section.
    std::string file() const { return "0\nSECTION\n2\nENTITIES\n" + body + "0\nENDSEC\n0\nEOF\n"; }
    // With a HEADER section of the given variables (pairs already composed)
    // and a BLOCKS section (BLOCK ... ENDBLK pairs already composed).
    std::string file(const std::string& header, const std::string& blocks) const
    {
        std::string text;
        if (!header.empty()) {
            text += "0\nSECTION\n2\nHEADER\n" + header + "0\nENDSEC\n";
        }
        if (!blocks.empty()) {
            text += "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n";
        }
        return text + file();
    }
};

// One block definition: BLOCK with its name and base point, the entities, ENDBLK.
inline std::string block(const std::string& name, const X3DPoint& base, const DxfText& entities)
{
    DxfText t;
    t.group(0, "BLOCK").group(8, "0").group(2, name).corners({base}).group(70, "0");
    t.body += entities.body;
    t.group(0, "ENDBLK");
    return t.body;
}

// A vertical rectangle in the plane y = 0.
inline std::vector<X3DPoint> wallCorners(double x0, double x1, double z0, double z1)
{
    return {{x0, 0, z0}, {x1, 0, z0}, {x1, 0, z1}, {x0, 0, z1}};
}

}  // namespace dxftest
