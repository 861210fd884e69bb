#pragma once

#include <string>

namespace kalderon {

// Writes the bytes to `path` so that a file already there is never lost: the
// bytes go to a new file in the same folder, which replaces the old one only
// once every byte is on disk.  False, with the system's reason in `reason`
// and any old file unchanged, when that fails.  A replaced file keeps its
// permissions; a new one gets the usual ones of the process.
bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& reason);

}  // namespace kalderon
