#include "import/ui/DataFileChoice.h"

#include <QSettings>

#include "common/ui/AppServices.h"
#include "common/ui/UiText.h"
#include "common/ui/UserProfile.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

constexpr int kFileFilter = 200;
constexpr int kDialogTitle = 210;
const QString kChosenFilterKey = QStringLiteral("Desktop/OpenDataFileFilter");

}  // namespace

QString DataFileFilter()
{
    const QString statistics = QString::fromUtf8(text::kStatisticsFilePatterns);
    return QStringLiteral("All supported files|*.txt;*.csv;*.mdb;*.dbf;*.xls;*.xlsx;*.ods;") + statistics + QStringLiteral("|") +
           QString::fromUtf8(text::kStatisticsFileKind) + QStringLiteral("|") + statistics + QStringLiteral("|") +
           UiString(kFileFilter);
}

QString ChooseDataFile(QWidget* parent, AppServices& services)
{
    QString chosenFilter = OpenUserProfile()->value(kChosenFilterKey).toString();
    const QString path = services.fileDialogs.OpenFileName(parent, UiString(kDialogTitle), FileKind::kDataFile,
                                                           DataFileFilter(), &chosenFilter);
    if (!path.isEmpty() && !chosenFilter.isEmpty()) OpenUserProfile()->setValue(kChosenFilterKey, chosenFilter);
    return path;
}

}  // namespace kalderon
