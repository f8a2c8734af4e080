// Project file reading and writing.
#include "storage/ProjectFile.h"

#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "model/Entity.h"
#include "storage/AtomicFile.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/Platform.h"

namespace storage {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

bool isProjectName(const std::string& name)
{
    return name.find(".ray") != std::string::npos || name.find(".RAY") != std::string::npos;
}

bool readProject(textio::TokenReader& in, model::Document& doc)
{
    std::string_view token = in.token();
    if (token.empty()) {
        return true;
    }
    if (!model::equalIgnoringCase(token, "EntityList")) {
        ui::errorBox("%s: Unknown entity", std::string(token).c_str());
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
    struct stat st {};
    std::unique_ptr<std::FILE, FileCloser> file;
    if (::stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
        file.reset(std::fopen(name.c_str(), "rb"));
    }
    if (!file) {
        ui::errorBox("Can't read the file %s", name.c_str());
        return false;
    }
    ui::ProgressBar progress(static_cast<std::uint64_t>(st.st_size));
    ui::WaitCursor wait;
    bool autoDraw = doc.autoDraw;
    doc.autoDraw = false;
    textio::TokenReader in(file.get());
    in.onRefill = [&progress, &in] { progress.setPosition(in.position()); };
    bool ok = readProject(in, doc);
    doc.autoDraw = autoDraw;
    if (in.ioError()) {
        ui::errorBox("Can't read the file %s", name.c_str());
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
