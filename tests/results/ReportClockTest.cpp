#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "results/ReportClock.h"

using namespace kalderon;

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
        tzset();
    }
    ~ScopedEnv()
    {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
        tzset();
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

}  // namespace

TEST(ReportClock, SourceDateEpochFixesTheTimeStamp)
{
    ScopedEnv tz("TZ", "UTC");
    {
        ScopedEnv epoch("SOURCE_DATE_EPOCH", "1136214245");
        EXPECT_EQ(ReportTime(), 1136214245);
        EXPECT_EQ(FormatReportTimeStamp(ReportTime()), "Monday 02. January 2006 15:04:05");
    }
    EXPECT_EQ(FormatReportTimeStamp(0), "Thursday 01. January 1970 00:00:00");
    {
        ScopedEnv tokyo("TZ", "JST-9");
        EXPECT_EQ(FormatReportTimeStamp(1136214245), "Tuesday 03. January 2006 00:04:05");  // local time
    }
    for (const char* notANumber : {"", "12x", "-5", " 7", "99999999999999999999999"}) {
        SCOPED_TRACE(notANumber);
        ScopedEnv epoch("SOURCE_DATE_EPOCH", notANumber);
        const std::time_t before = std::time(nullptr);
        const std::time_t now = ReportTime();
        EXPECT_GE(now, before);
        EXPECT_LE(now, std::time(nullptr));
    }
}
