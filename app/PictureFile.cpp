// Pictures written safely.
#include "app/PictureFile.h"

#include <cstdio>

#include "storage/AtomicFile.h"
#include "ui/Canvas.h"

namespace app {

bool savePicture(ui::Canvas& canvas, const std::string& path)
{
    std::string bytes;
    if (!canvas.encodePng(bytes)) {
        return false;
    }
    return storage::writeFileAtomically(
        path, [&bytes](std::FILE* f) { return std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size(); });
}

}  // namespace app
