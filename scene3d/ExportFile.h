// The one way the program writes the document to a file: project files and
// DXF through the model's writers, VRML and POV-Ray through the 3-D scene.
#pragma once

#include <string>

namespace model {
class Document;
}

namespace scene3d {

struct ExportOptions {
    // DXF layers named after materials (true) or numbered (false).
    bool materialNames = true;
};

// The output name is fileName (or "UTITLED" when empty) with its extension,
// if any, replaced by `extension` (with or without its dot). "wrl" and "pov"
// (exactly) go through the scene, "dxf" in any case is a DXF drawing, "obj"
// in any case a Wavefront mesh with its ".mtl" material library beside it, and
// anything else the project file. The file is replaced only once written in
// full; "Can't write the file" and false otherwise.
bool exportFile(model::Document& doc, const std::string& fileName, const std::string& extension,
                const ExportOptions& options);

// The name exportFile writes to.
std::string exportName(const std::string& fileName, const std::string& extension);

}  // namespace scene3d
