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
// Times the same way, as GetTimeFormat renders "h:mm:ss tt": h/hh 12-hour,
// H/HH 24-hour, m/mm minutes, s/ss seconds, t/tt "A"/"AM" or "P"/"PM".
std::string FormatTime(std::string_view picture, const platform::DateTime& time);

}  // namespace core
