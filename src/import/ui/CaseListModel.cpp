#include "import/ui/CaseListModel.h"

#include "common/TextFormat.h"
#include "common/qt/DisplayText.h"
#include "common/ui/UiText.h"
#include "resources/Texts.h"
#include "stats/CaseList.h"
#include "stats/CaseValidity.h"
#include "stats/DataColumns.h"

namespace kalderon {
namespace {
constexpr int kFirstHeaderString = 310;  // "Case No." .. "Observation time [days]"
}

CaseListModel::CaseListModel(QObject* parent) : QAbstractTableModel(parent) {}

void CaseListModel::SetCases(const CaseList* cases, bool hasBirthColumn)
{
    beginResetModel();
    cases_ = cases;
    hasBirthColumn_ = hasBirthColumn;
    endResetModel();
}

void CaseListModel::SetFileColumns(const DataColumns* columns)
{
    beginResetModel();
    fileColumns_ = columns;
    endResetModel();
}

int CaseListModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !cases_) return 0;
    return static_cast<int>(cases_->rowToList.size());
}

int CaseListModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return kColumnCount + (fileColumns_ ? static_cast<int>(fileColumns_->columnCount()) : 0);
}

QString CaseListModel::CellText(int row, int column) const
{
    const CCaseRecord& c = cases_->row(static_cast<size_t>(row));
    switch (column) {
    case kCaseNumber:
        return QString::fromStdString(FormatText("%d", c.caseNumber));
    case kBegin:
        return DisplayText(c.beginDate.displayText());
    case kEnd:
        return DisplayText(c.endDate.displayText());
    case kStatus:
        return DisplayText(c.statusText);
    case kGroup: {
        const size_t position = cases_->rowToList[static_cast<size_t>(row)];
        if (!cases_->IsSelected(position)) return {};
        return DisplayText(GroupName(cases_->groups[cases_->groupIndex[position]]));
    }
    case kGender:
        return DisplayText(c.sexText);
    case kBirth:
        return hasBirthColumn_ ? DisplayText(c.birthDate.displayText()) : QString();
    case kObservation:
        return QString::fromStdString(FormatText("%d", c.observationDays));
    default:
        if (!fileColumns_ || column >= columnCount()) return {};
        return DisplayText((*fileColumns_)[static_cast<size_t>(column - kColumnCount)].Shown(static_cast<size_t>(row)));
    }
}

QVariant CaseListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !cases_) return {};
    if (role == Qt::DisplayRole) return CellText(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    if (role == kLeftOutCaseRole) return !cases_->IsSelected(cases_->rowToList[static_cast<size_t>(index.row())]);
    if (role != kInvalidCaseRole && role != Qt::ToolTipRole) return {};
    const CCaseRecord& c = cases_->row(static_cast<size_t>(index.row()));
    if (role == kInvalidCaseRole) return !c.isValid;
    if (c.isValid) return {};
    return DisplayText(FormatText(text::kCaseNotValid, CaseFaultText(CaseFaults(c, hasBirthColumn_))));
}

QVariant CaseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole)
        return section < kColumnCount ? UiString(kFirstHeaderString + section)
                                      : DisplayText((*fileColumns_)[static_cast<size_t>(section - kColumnCount)].name());
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
    return {};
}

}  // namespace kalderon
