// Project file reading and writing.
#include "storage/ProjectFile.h"

#include <algorithm>
#include <memory>

#include "model/Entity.h"
#include "storage/AtomicFile.h"
#include "textio/InputFile.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/Platform.h"

namespace storage {

bool isProjectName(const std::string& name)
{
    return name.find(".ray") != std::string::npos || name.find(".RAY") != std::string::npos;
}

bool readProject(textio::TokenReader& in, model::Document& doc)
{
    std::string_view token = in.token();
    if (model::reportTooLong(in)) {
        return false;
    }
    if (token.empty()) {
        return true;
    }
    if (!model::equalIgnoringCase(token, "EntityList")) {
        model::reportUnknown(in, token);
        return false;
    }
    return doc.read(in);
}

bool openProject(const std::string& rawName, model::Document& doc)
{
    std::string name = rawName;
    if (!name.empty() && name.front() == '"') {
        name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
    }
    textio::InputFile file = textio::openInputFile(name);
    if (!file) {
        ui::errorBox("%s", textio::describeInputError(name, file.error).c_str());
        return false;
    }
    ui::ProgressBar progress(file.size);
    ui::WaitCursor wait;
    bool autoDraw = doc.autoDraw;
    doc.autoDraw = false;
    textio::TokenReader in(file.get());
    in.onRefill = [&progress, &in] { progress.setPosition(in.position()); };
    bool ok = readProject(in, doc);
    doc.autoDraw = autoDraw;
    if (in.ioError()) {
        if (model::firstReport(in)) {
            ui::errorBox("Can't read the file %s", name.c_str());
        }
        return false;
    }
    if (ok && in.endedInList) {
        // Every list ends with its End: a file without it was cut short, and
        // saving what was read would make the loss for good unnoticed.
        if (model::firstReport(in)) {
            ui::errorBox("The file %s is cut off: it ends inside a list, before its End", name.c_str());
        }
        return false;
    }
    return ok;
}

bool writeProject(textio::TextWriter& out, const model::Document& doc)
{
    doc.write(out);
    return out.flush();
}

bool writeProjectFile(const std::string& path, const model::Document& doc)
{
    return writeFileAtomically(path, [&doc](std::FILE* file) {
        textio::TextWriter out(file);
        return writeProject(out, doc);
    });
}

}  // namespace storage
