#pragma once

#include <QString>

namespace kalderon {

// The files the program looks for in the working directory it was started
// in, made absolute at start-up.
struct ApplicationPaths {
    QString lifeTables;          // LifeTables.mdb
    QString referenceRateTables;  // ReferenceRateTables.mdb
    QString helpFile;            // KALDERON.chm

    static ApplicationPaths AgainstWorkingDirectory();
};

}  // namespace kalderon
