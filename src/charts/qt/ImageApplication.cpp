#include "charts/qt/ImageApplication.h"

#include <QGuiApplication>
#include <clocale>
#include <cstdlib>

namespace kalderon {
namespace {

QtMessageHandler previousHandler = nullptr;

// Without a display Qt notes that it has no runtime folder; that is no news
// for a program that only draws into files.
void QuietMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

void EnsureImageApplication()
{
    if (QGuiApplication::instance()) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    previousHandler = qInstallMessageHandler(QuietMessageHandler);
    static int argc = 1;
    static char name[] = "kalderon";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
}

}  // namespace kalderon
