#include "core/date_format.h"

#include <algorithm>
#include <array>

namespace core {

namespace {

constexpr auto kDayNames = std::to_array<std::string_view>(
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"});
static_assert(kDayNames.size() == 7);
constexpr auto kMonthNames =
    std::to_array<std::string_view>({"January", "February", "March", "April", "May", "June", "July",
                                     "August", "September", "October", "November", "December"});
static_assert(kMonthNames.size() == 12);

std::string Padded(int value, size_t width) {
  std::string s = std::to_string(value);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

// The name at `index` (0-based), or "" when out of range.
template <size_t N>
std::string_view NameAt(const std::array<std::string_view, N>& names, int index) {
  return index >= 0 && index < static_cast<int>(N) ? names[static_cast<size_t>(index)]
                                                   : std::string_view();
}

std::string Field(char letter, size_t run, const platform::DateTime& date) {
  switch (letter) {
    case 'd':
      if (run <= 2) return Padded(date.day, run);
      return std::string(run == 3 ? NameAt(kDayNames, date.day_of_week).substr(0, 3)
                                  : NameAt(kDayNames, date.day_of_week));
    case 'M':
      if (run <= 2) return Padded(date.month, run);
      return std::string(run == 3 ? NameAt(kMonthNames, date.month - 1).substr(0, 3)
                                  : NameAt(kMonthNames, date.month - 1));
    case 'y':
      if (run == 1) return std::to_string(date.year % 100);
      if (run == 2) return Padded(date.year % 100, 2);
      return Padded(date.year, 4);
    case 'g':
      return "A.D.";
    case 'h': {
      int twelve = date.hour % 12;
      return Padded(twelve == 0 ? 12 : twelve, std::min<size_t>(run, 2));
    }
    case 'H':
      return Padded(date.hour, std::min<size_t>(run, 2));
    case 'm':
      return Padded(date.minute, std::min<size_t>(run, 2));
    case 's':
      return Padded(date.second, std::min<size_t>(run, 2));
    case 't': {
      std::string_view marker = date.hour < 12 ? "AM" : "PM";
      return std::string(run == 1 ? marker.substr(0, 1) : marker);
    }
  }
  return {};
}

// Renders a picture whose field letters are `letters`.
std::string Format(std::string_view picture, const platform::DateTime& date,
                   std::string_view letters) {
  std::string out;
  size_t i = 0;
  while (i < picture.size()) {
    char c = picture[i];
    if (c == '\'' && i + 1 < picture.size() && picture[i + 1] == '\'') {
      out += '\'';
      i += 2;
      continue;
    }
    if (c == '\'') {
      // Quoted literal; '' inside it is one quote.
      ++i;
      while (i < picture.size()) {
        if (picture[i] == '\'') {
          if (i + 1 < picture.size() && picture[i + 1] == '\'') {
            out += '\'';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        out += picture[i++];
      }
      continue;
    }
    if (letters.find(c) != std::string_view::npos) {
      size_t run = 1;
      while (i + run < picture.size() && picture[i + run] == c) ++run;
      out += Field(c, std::min<size_t>(run, 4), date);
      i += run;
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace

std::string FormatDate(std::string_view picture, const platform::DateTime& date) {
  return Format(picture, date, "dMyg");
}

std::string FormatTime(std::string_view picture, const platform::DateTime& time) {
  return Format(picture, time, "hHmst");
}

std::string FormatDateTime(std::string_view date_picture, std::string_view time_picture,
                           const platform::DateTime& when) {
  std::string out = FormatDate(date_picture, when);
  if (when.hour != 0 || when.minute != 0 || when.second != 0 || when.millisecond != 0) {
    out += ' ';
    out += FormatTime(time_picture, when);
  }
  return out;
}

}  // namespace core
