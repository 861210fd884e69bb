#include "stats/CaseRecord.h"

namespace kalderon {

CCaseRecord BuildCase(const ImportedRecordValues& values, bool hasBirthColumn)
{
    CCaseRecord c;
    c.caseNumber = values.caseNumber;
    c.beginDate = values.beginDate;
    c.endDate = values.endDate;
    c.statusText = values.statusText;
    c.groupText = values.groupText;
    c.sexText = values.sexText;
    c.birthDate = values.birthDate;
    c.observationDays = SpanDays(c.beginDate, c.endDate).value_or(-1);

    bool valid = c.caseNumber >= 0 && c.beginDate.isValid() && c.endDate.isValid() &&
                 c.endDate.serial() >= c.beginDate.serial();
    if (valid && hasBirthColumn)
        valid = c.birthDate.isValid() && c.birthDate.serial() <= c.beginDate.serial();
    c.isValid = valid;
    return c;
}

}  // namespace kalderon
