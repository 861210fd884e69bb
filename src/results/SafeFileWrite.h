#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kalderon {

// Writes the bytes to `path` so that a file already there is never lost: the
// bytes go to a new file in the same folder, which replaces the old one only
// once every byte is on disk.  False, with the system's reason in `reason`
// and any old file unchanged, when that fails.  A replaced file keeps its
// permissions; a new one gets the usual ones of the process.
bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& reason);

// The same for bytes that `produce` hands, piece by piece, to the writer it
// is called with, so that they need not be in memory all at once.
using ByteWriter = std::function<void(std::string_view)>;
bool WriteFileSafely(const std::string& path, const std::function<void(const ByteWriter&)>& produce,
                     std::string& reason);

}  // namespace kalderon
