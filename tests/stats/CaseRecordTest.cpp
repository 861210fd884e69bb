#include <gtest/gtest.h>

#include "support/CaseFactory.h"

using namespace kalderon;
using kalderon::testing::MakeCase;
using kalderon::testing::Ymd;

TEST(CaseRecord, ObservationTimeAndValidity)
{
    CCaseRecord fresh;
    EXPECT_EQ(fresh.caseNumber, -1);
    EXPECT_EQ(fresh.observationDays, -1);
    EXPECT_EQ(fresh.beginDate.status(), DateStatus::Null);
    EXPECT_FALSE(fresh.isValid);

    const CCaseRecord ok = MakeCase(1, Ymd(2000, 1, 1), Ymd(2004, 12, 31), "1");
    EXPECT_TRUE(ok.isValid);
    EXPECT_EQ(ok.observationDays, 1826);

    const CCaseRecord backwards = MakeCase(2, Ymd(2000, 1, 10), Ymd(2000, 1, 1), "1");
    EXPECT_FALSE(backwards.isValid);
    EXPECT_EQ(backwards.observationDays, -9);

    const CCaseRecord badEnd = MakeCase(3, Ymd(2000, 1, 1), DateValue::Invalid(), "1");
    EXPECT_FALSE(badEnd.isValid);
    EXPECT_EQ(badEnd.observationDays, -1);

    // An unreadable birth date matters only when a birth column is assigned.
    EXPECT_TRUE(MakeCase(4, Ymd(2000, 1, 1), Ymd(2001, 1, 1), "0", "", "", DateValue::Invalid(), false).isValid);
    EXPECT_FALSE(MakeCase(4, Ymd(2000, 1, 1), Ymd(2001, 1, 1), "0", "", "", DateValue::Invalid(), true).isValid);
    EXPECT_FALSE(MakeCase(5, Ymd(2000, 1, 1), Ymd(2001, 1, 1), "0", "", "", Ymd(2000, 1, 2), true).isValid);
    EXPECT_TRUE(MakeCase(6, Ymd(2000, 1, 1), Ymd(2001, 1, 1), "0", "", "", Ymd(2000, 1, 1), true).isValid);
    // The status is never validated; an empty one is ordinary.
    EXPECT_TRUE(MakeCase(7, Ymd(2000, 1, 1), Ymd(2000, 1, 1), "").isValid);
}
