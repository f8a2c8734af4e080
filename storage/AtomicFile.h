// Replacing a file safely: a temporary file in the same folder is written in
// full, flushed to disk and only then renamed over the target.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace storage {

// The file a write to path replaces: path itself, or where its chain of
// symbolic links ends (a link to a project is kept, its target rewritten).
std::string writeTarget(const std::string& path);

// Calls write with the open temporary file; on success (write answered true
// and every byte reached the disk) renames it to writeTarget(path). On any
// failure the temporary file is removed and path is left exactly as it was.
// beforeReplace runs once the new file is complete, just before the rename
// (the save workflow moves the old file to its backup name there; a file
// that belongs with another writes that one there); when it answers false,
// the new file is dropped as on a failed write.
bool writeFileAtomically(const std::string& path, const std::function<bool(std::FILE*)>& write,
                         const std::function<bool()>& beforeReplace = {});

}  // namespace storage
