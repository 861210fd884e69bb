#pragma once

#include <QAbstractTableModel>

namespace kalderon {

struct CaseList;
class DataColumns;

// The cases of a data window as the rows of its eight-column list, in the
// order they were read: case number, begin, end, status, group, gender, date
// of birth and observation time, and, when asked for, after them every
// column of the file (its values shown by their labels where they have
// them).  Texts are formed when a row is shown, so a list of a million cases
// costs nothing beyond the cases themselves.
class CaseListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { kCaseNumber, kBegin, kEnd, kStatus, kGroup, kGender, kBirth, kObservation, kColumnCount };
    // true for the cells of a case that is not valid; their tool tip names why.
    static constexpr int kInvalidCaseRole = Qt::UserRole + 1;
    // true for the cells of a case that a selection leaves out; it is drawn
    // pale, in no group.
    static constexpr int kLeftOutCaseRole = Qt::UserRole + 2;

    explicit CaseListModel(QObject* parent = nullptr);

    // Shows `cases` (kept by the caller); the birth dates only with a birth column.
    void SetCases(const CaseList* cases, bool hasBirthColumn);
    // Shows the file's columns after the cases' (kept by the caller, with a
    // row for each case); none with nullptr.
    void SetFileColumns(const DataColumns* columns);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QString CellText(int row, int column) const;

private:
    const CaseList* cases_ = nullptr;
    bool hasBirthColumn_ = false;
    const DataColumns* fileColumns_ = nullptr;
};

}  // namespace kalderon
