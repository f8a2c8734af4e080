// Fuzz target: the project reader on any input, and the writer on whatever it
// read. Once written, a project must read back and write again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "materials/MaterialList.h"
#include "model/Document.h"
#include "storage/ProjectFile.h"
#include "textio/TextWriter.h"
#include "textio/TokenReader.h"
#include "ui/headless/HeadlessPlatform.h"

namespace {

std::string readAndWrite(std::string_view text)
{
    model::Document doc;
    doc.autoDraw = false;
    textio::TokenReader in(text);
    storage::readProject(in, doc);
    std::string out;
    textio::TextWriter w(out);
    storage::writeProject(w, doc);
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static bool once = [] {
        materials::setMaterialDirectory("/nonexistent");
        return true;
    }();
    (void)once;
    ui::headless::HeadlessPlatform platform;
    std::string first = readAndWrite(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string second = readAndWrite(first);
    std::string third = readAndWrite(second);
    if (second != third) {
        std::abort();
    }
    return 0;
}
