#include "core/date_format.h"

#include <gtest/gtest.h>

namespace core {
namespace {

const platform::DateTime kFriday{2007, 6, 5, 5, 14, 30, 0, 0};

TEST(DateFormat, RendersTheUsersShortDatePicture) {
  EXPECT_EQ(FormatDate("M/d/yyyy", kFriday), "6/5/2007");
  EXPECT_EQ(FormatDate("dd.MM.yy", kFriday), "05.06.07");
  EXPECT_EQ(FormatDate("yyyy-MM-dd", kFriday), "2007-06-05");
  EXPECT_EQ(FormatDate("ddd d MMM yyyy", kFriday), "Fri 5 Jun 2007");
  EXPECT_EQ(FormatDate("dddd, MMMM dd, yyyy", kFriday), "Friday, June 05, 2007");
}

TEST(DateFormat, QuotedTextIsCopiedAndOddInputStaysHarmless) {
  EXPECT_EQ(FormatDate("d 'de' MMMM", kFriday), "5 de June");
  EXPECT_EQ(FormatDate("''d''", kFriday), "'5'");
  EXPECT_EQ(FormatDate("'unterminated d", kFriday), "unterminated d");
  EXPECT_EQ(FormatDate("", kFriday), "");
  EXPECT_EQ(FormatDate("MMMM dddd", platform::DateTime{0, 13, 0, 9}), " ");
}

TEST(DateFormat, TimesInTwelveAndTwentyFourHoursAndMidnightLeftOut) {
  platform::DateTime noon_past{2007, 6, 5, 5, 12, 3, 9};
  platform::DateTime small_hours{2007, 6, 5, 5, 0, 7, 0};
  EXPECT_EQ(FormatTime("h:mm:ss tt", noon_past), "12:03:09 PM");
  EXPECT_EQ(FormatTime("h:mm:ss tt", small_hours), "12:07:00 AM");
  EXPECT_EQ(FormatTime("HH:mm:ss", small_hours), "00:07:00");
  EXPECT_EQ(FormatTime("H 'h' m t", noon_past), "12 h 3 P");
  EXPECT_EQ(FormatDateTime("M/d/yyyy", "h:mm:ss tt", small_hours), "6/5/2007 12:07:00 AM");
  EXPECT_EQ(FormatDateTime("M/d/yyyy", "h:mm:ss tt", platform::DateTime{2007, 6, 5}), "6/5/2007");
}

}  // namespace
}  // namespace core
