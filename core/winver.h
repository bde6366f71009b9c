// The Windows version as one small code, from GetVersionEx's answer.
//
//   0  query failed, or a version not listed below (NT 5.2, 10.0, ...)
//   1  Windows 95 (9x 4.0)
//   2  Windows 98 (9x 4.10, service-pack text without "A" as its second
//      character, a text shorter than two characters included)
//   3  Windows 98 SE (9x 4.10, second character "A")
//   4  NT below 5 (NT 4 and older)
//   5  Windows Me (9x 4.90)
//   6  Windows 2000 (NT 5.0)
//   7  Windows XP (NT 5.1)
//   8  Windows Vista and every other NT 6.x
#pragma once

#include "platform/sysinfo.h"

namespace core {

inline constexpr int kVersionXP = 7;
inline constexpr int kVersionVista = 8;

int GetWindowsVersionCode(const platform::VersionInfo& v);

}  // namespace core
