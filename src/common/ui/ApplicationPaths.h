#pragma once

#include <QString>

namespace kalderon {

// The files shipped with the program, as absolute paths fixed at start-up.
struct ApplicationPaths {
    QString lifeTables;          // LifeTables.mdb
    QString referenceRateTables;  // ReferenceRateTables.mdb
    QString helpFile;            // KALDERON.chm

    // Each file in the working directory.
    static ApplicationPaths AgainstWorkingDirectory();
    // Each file where it is found: the working directory, the installed
    // program's folders, the source and build folders (ShippedFiles.h);
    // in the working directory when it is nowhere.
    static ApplicationPaths Locate();
};

}  // namespace kalderon
