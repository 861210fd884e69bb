#include "stats/CaseRecord.h"

#include "stats/CaseValidity.h"

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

    c.isValid = CaseFaults(c, hasBirthColumn) == 0;
    return c;
}

}  // namespace kalderon
