#pragma once

#include <QGuiApplication>
#include <clocale>
#include <cstdlib>

namespace kalderon::testing {

// Fonts and images need a GUI application; tests make one on first use,
// without a display, and keep it for the rest of the process.
inline void EnsureGuiApplication()
{
    if (QGuiApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "kalderon_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
}

}  // namespace kalderon::testing
