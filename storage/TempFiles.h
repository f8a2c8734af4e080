// Where the clipboard and undo files live.
#pragma once

#include <string>

namespace storage {

// TEMP, then TMP, then TMPDIR, then /tmp: never the root of the file system.
std::string tempDir();

}  // namespace storage
