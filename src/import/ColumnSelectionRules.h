#pragma once

#include <optional>
#include <string>
#include <vector>

#include "import/ColumnAssignment.h"

namespace kalderon {

// Control ids of the combo boxes of the column selection.
enum ColumnSelectionControl : int {
    kComboBegin = 1003,
    kComboEnd = 1004,
    kComboStatus = 1005,
    kComboBeginDay = 1006,
    kComboEndDay = 1007,
    kComboBeginMonth = 1009,
    kComboEndMonth = 1010,
    kComboBeginYear = 1011,
    kComboEndYear = 1012,
    kComboGroup = 1013,
    kComboSex = 1015,
    kComboBirth = 1017,
    kComboBirthMonth = 1019,
    kComboBirthYear = 1020,
    kComboBirthDay = 1021,
};

// The selected entry of every combo of the column selection.  The field k
// of the table (0-based) is entry k + 1 of every list except the three day
// lists, where entry 1 is "< Ignore >" and field k is entry k + 2.  Entry 0
// is string 300 in the lists of begin, end, status and the day, month and
// year lists, and "< No groups >", "< No gender >", "< No date of birth >"
// in the lists of group, gender and complete date of birth.
struct ColumnSelection {
    int begin = 0, end = 0, status = 0, group = 0, sex = 0, birth = 0;
    int beginDay = 0, beginMonth = 0, beginYear = 0;
    int endDay = 0, endMonth = 0, endYear = 0;
    int birthDay = 0, birthMonth = 0, birthYear = 0;
    int dateInSeparateColumns = 0;
};

// Why the OK button refuses a selection: the string id of the message to
// show (302 "Please select a column!", 301 "You cannot use this column
// twice!") with the combo that gets the focus.
struct ColumnSelectionRefusal {
    int messageId = 0;
    int focusControl = 0;
};

// Nothing when the selection can be taken, or why not.
std::optional<ColumnSelectionRefusal> CheckColumnSelection(const ColumnSelection& selection);

// The field positions the selection stands for.
CColumnAssignment ToColumnAssignment(const ColumnSelection& selection);

// The entries of the combo lists, given the column texts (string 300
// followed by the field names).
enum class ColumnComboKind { Field, Day, Group, Sex, Birth };
std::vector<std::string> ColumnComboEntries(const std::vector<std::string>& columnTexts, ColumnComboKind kind);

}  // namespace kalderon
