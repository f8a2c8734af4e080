// The data folder, found from the program's own location.
#include "ui/DataFolder.h"

#include <filesystem>
#include <system_error>

#ifndef KCAD_DATA_DIR
#define KCAD_DATA_DIR "data"
#endif

namespace ui {

std::string dataFolder()
{
    static const std::string folder = [] {
        std::error_code ec;
        std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (!ec) {
            std::filesystem::path installed = program.parent_path().parent_path() / "share" / "tolvane";
            if (std::filesystem::is_regular_file(installed / "omni.spk", ec)) {
                return installed.string();
            }
        }
        return std::string(KCAD_DATA_DIR);
    }();
    return folder;
}

}  // namespace ui
