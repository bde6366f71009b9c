// Dates in the user's own format, as GetDateFormat renders a date picture
// such as "M/d/yyyy" or "dddd, MMMM dd, yyyy": d/dd day, ddd/dddd day name,
// M/MM month, MMM/MMMM month name, y/yy/yyyy year, g/gg era, text in
// single quotes literal ('' is a quote), anything else copied. Day and
// month names are English.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace core {

std::string FormatDate(std::string_view picture, const platform::DateTime& date);
// A time as GetTimeFormat renders a picture such as "h:mm:ss tt": h/hh
// twelve-hour, H/HH 24-hour, m/mm minutes, s/ss seconds, t/tt "A"/"AM" or
// "P"/"PM", quoted text literal.
std::string FormatTime(std::string_view picture, const platform::DateTime& time);

// The date, then a blank and the time unless it is exactly midnight.
std::string FormatDateTime(std::string_view date_picture, std::string_view time_picture,
                           const platform::DateTime& when);

}  // namespace core
