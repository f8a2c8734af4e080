// The temporary folder.
#include "storage/TempFiles.h"

#include <cstdlib>

namespace storage {

std::string tempDir()
{
    for (const char* name : {"TEMP", "TMP", "TMPDIR"}) {
        const char* value = std::getenv(name);
        if (value && *value) {
            return value;
        }
    }
    return "/tmp";
}

}  // namespace storage
