#include "import/ui/CEventDataView.h"

#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>

#include "common/ui/ControlName.h"
#include "import/TextFileReader.h"
#include "import/ui/CFullRowListCtrl.h"
#include "import/ui/CaseListModel.h"

namespace kalderon {
namespace {

constexpr int kListControl = 1004;
// Column widths in pixels for a font whose digits are 6 pixels wide; wider
// fonts widen the columns in proportion, so that a date still fits its column.
constexpr int kColumnWidths[CaseListModel::kColumnCount] = {60, 100, 90, 135, 60, 60, 80, 125};
constexpr double kDigitsWidth = 60.0;

}  // namespace

CEventDataView::CEventDataView(QWidget* parent)
    : QWidget(parent), list_(new CFullRowListCtrl(this)), model_(new CaseListModel(this))
{
    setObjectName(ControlName(131));
    list_->setObjectName(ControlName(kListControl));
    list_->setModel(model_);
    const double scale =
        std::max(1.0, list_->fontMetrics().horizontalAdvance(QStringLiteral("0123456789")) / kDigitsWidth);
    for (int column = 0; column < CaseListModel::kColumnCount; ++column)
        list_->setColumnWidth(column, static_cast<int>(kColumnWidths[column] * scale + 0.5));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    ShowCases();
}

bool CEventDataView::ReadTextFile(const std::string& path, const TextImportSettings& settings, std::string& error,
                                  const ReadProgress& progress)
{
    const bool read = kalderon::ReadTextFile(path, settings, data_, error, progress);
    ShowCases();
    return read;
}

void CEventDataView::SetDataSet(DataSet dataSet)
{
    data_ = std::move(dataSet);
    ShowCases();
}

void CEventDataView::ShowCases()
{
    list_->setColumnHidden(CaseListModel::kGroup, !data_.hasGroupColumn);
    list_->setColumnHidden(CaseListModel::kGender, !data_.hasSexColumn);
    list_->setColumnHidden(CaseListModel::kBirth, !data_.hasBirthColumn);
    model_->SetCases(&data_.cases, data_.hasBirthColumn);
}

}  // namespace kalderon
