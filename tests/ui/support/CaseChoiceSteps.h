#pragma once

#include <QListWidget>
#include <QStringList>

#include "analysis/ui/CGroupCasesDlg.h"
#include "analysis/ui/CSelectCasesDlg.h"
#include "common/ui/ResourceIds.h"
#include "support/GuiTestSupport.h"

namespace kalderon::testing {

// In "Select cases": adds the condition that `field` lies from `from` to `to`.
inline void AddRangeCondition(QWidget* dialog, const QString& field, const QString& from, const QString& to)
{
    Choose(dialog, CSelectCasesDlg::kField, field);
    SetText(dialog, CSelectCasesDlg::kFrom, from);
    SetText(dialog, CSelectCasesDlg::kTo, to);
    Click(dialog, CSelectCasesDlg::kAdd);
}

// In "Select cases": checks the entries of these values of `field`, with
// `noneOf` "None of the checked values"; adds the condition when `add`.
inline void CheckValues(QWidget* dialog, const QString& field, const QStringList& values, bool noneOf, bool add = true)
{
    Choose(dialog, CSelectCasesDlg::kField, field);
    auto* list = Control<QListWidget>(dialog, CSelectCasesDlg::kValues);
    for (int row = 0; row < list->count(); ++row)
        for (const QString& value : values)
            if (list->item(row)->text().startsWith(value + QStringLiteral(" (")))
                list->item(row)->setCheckState(Qt::Checked);
    SetChecked(dialog, CSelectCasesDlg::kNoneOf, noneOf);
    if (add) Click(dialog, CSelectCasesDlg::kAdd);
}

// In "Group cases by": the first and the second key by their entries, with
// their cut points where they are bands.
inline void ChooseGroupKeys(QWidget* dialog, const QString& first, const QString& firstCuts, const QString& second,
                            const QString& secondCuts)
{
    Choose(dialog, CGroupCasesDlg::kFirstKey, first);
    if (!firstCuts.isEmpty()) SetText(dialog, CGroupCasesDlg::kFirstCuts, firstCuts);
    Choose(dialog, CGroupCasesDlg::kSecondKey, second);
    if (!secondCuts.isEmpty()) SetText(dialog, CGroupCasesDlg::kSecondCuts, secondCuts);
}

}  // namespace kalderon::testing
