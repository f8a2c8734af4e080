// The export command.
#include "scene3d/ExportFile.h"

#include "exchange/DxfExport.h"
#include "exchange/ObjExport.h"
#include "model/Document.h"
#include "scene3d/SceneBuilder.h"
#include "storage/AtomicFile.h"
#include "storage/ProjectFile.h"
#include "textio/TextWriter.h"
#include "ui/Platform.h"

namespace scene3d {

std::string exportName(const std::string& fileName, const std::string& extension)
{
    std::string name = fileName.empty() ? std::string("UTITLED") : fileName;
    // The extension is cut only in the file's own name: a dot in a folder
    // name would otherwise cut the path short.
    std::size_t slash = name.find_last_of('/');
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        name.resize(dot);
    }
    if (extension.empty() || extension[0] != '.') {
        name += '.';
    }
    return name + extension;
}

namespace {

// The mesh and, beside it, its material library (same name, ".mtl"): the
// library replaces the old one only once the mesh has been written in full
// and has replaced its own, so a failure leaves the old pair as it was.
bool exportObjFiles(const model::Document& doc, const std::string& output)
{
    std::string library = exportName(output, "mtl");
    std::size_t slash = library.find_last_of('/');
    std::string libraryName = slash == std::string::npos ? library : library.substr(slash + 1);
    return storage::writeFileAtomically(
        library,
        [&](std::FILE* file) {
            textio::TextWriter out(file);
            exchange::exportMtl(out, doc);
            return out.flush();
        },
        [&] {
            return storage::writeFileAtomically(output, [&](std::FILE* file) {
                textio::TextWriter out(file);
                exchange::exportObj(out, doc, libraryName);
                return out.flush();
            });
        });
}

}  // namespace

bool exportFile(model::Document& doc, const std::string& fileName, const std::string& extension,
                const ExportOptions& options)
{
    std::string output = exportName(fileName, extension);
    std::string x = (!extension.empty() && extension[0] == '.') ? extension.substr(1) : extension;
    bool written = false;
    if (x == "wrl" || x == "pov") {
        written = sceneOf(doc).exportScene(output);
    } else if (textio::equalIgnoringCase(x, "obj")) {
        written = exportObjFiles(doc, output);
    } else {
        bool dxf = textio::equalIgnoringCase(x, "dxf");
        written = storage::writeFileAtomically(output, [&](std::FILE* file) {
            textio::TextWriter out(file);
            if (dxf) {
                exchange::exportDxf(out, doc, options.materialNames);
                return out.flush();
            }
            return storage::writeProject(out, doc);
        });
    }
    if (!written) {
        ui::errorBox("Can't write the file");
    }
    return written;
}

}  // namespace scene3d
