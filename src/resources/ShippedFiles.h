#pragma once

#include <string>
#include <vector>

namespace kalderon {

// Where a file shipped with the program (the population databases, the help
// file) is looked for, in order: the working directory; the folders of an
// installed program, <program folder>/../share/kalderon and
// <program folder>/../data; the data folder of the source tree and the build
// folder the program was built from.  Absolute paths.
std::vector<std::string> ShippedFileCandidates(const std::string& fileName, const std::string& workingDirectory,
                                               const std::string& programPath);
// The same for this process: its working directory and its executable.
std::vector<std::string> ShippedFileCandidates(const std::string& fileName);

// The first of the candidates that is a file; the one in the working
// directory when there is none, so that messages name where it was expected.
std::string FindShippedFile(const std::vector<std::string>& candidates);

}  // namespace kalderon
