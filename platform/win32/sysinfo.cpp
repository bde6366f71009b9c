// platform::SystemInfo over kernel32's version, memory, locale and clock
// functions.
#include "platform/win32/util.h"

#include "platform/sysinfo.h"
#include "platform/win32/backend.h"

namespace win32 {
namespace {

using platform::DateTime;
using platform::MemoryStatus;
using platform::VersionInfo;

// GetLocaleInfo counts the terminating NUL in its result, unlike the path
// functions; 0 is failure.
std::string LocaleText(LCTYPE type) {
  wchar_t buffer[128] = {};
  int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 128);
  if (n <= 1) return {};
  return Narrow(std::wstring_view(buffer, static_cast<size_t>(n - 1)));
}

class Win32SystemInfo : public platform::SystemInfo {
 public:
  VersionInfo Version() override {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    // GetVersionEx is deprecated because, without a manifest, Windows 8.1
    // and later report 6.2. The program wants exactly what the call reports,
    // including on the old systems it tells apart.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL ok = GetVersionExW(&info);
#pragma GCC diagnostic pop
    VersionInfo out;
    if (!ok) return out;
    out.major = info.dwMajorVersion;
    out.minor = info.dwMinorVersion;
    out.build = info.dwBuildNumber;
    out.platform_id = info.dwPlatformId;
    info.szCSDVersion[127] = L'\0';
    out.csd = Narrow(info.szCSDVersion);
    return out;
  }

  MemoryStatus Memory() override {
    // In a 64-bit program the MEMORYSTATUS fields are 64 bits wide; only a
    // 32-bit program sees them clamped.
    MEMORYSTATUS status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatus(&status);
    MemoryStatus out;
    out.memory_load = status.dwMemoryLoad;
    out.total_phys = status.dwTotalPhys;
    out.avail_phys = status.dwAvailPhys;
    out.total_page_file = status.dwTotalPageFile;
    out.avail_page_file = status.dwAvailPageFile;
    out.total_virtual = status.dwTotalVirtual;
    out.avail_virtual = status.dwAvailVirtual;
    return out;
  }

  std::optional<MemoryStatus> MemoryEx() override {
    // Windows 95, 98 and NT 4 have no GlobalMemoryStatusEx, so it is looked
    // up rather than linked.
    using MemoryStatusExFn = BOOL(WINAPI*)(LPMEMORYSTATUSEX);
    auto fn =
        ProcAddress<MemoryStatusExFn>(GetModuleHandleW(L"kernel32.dll"), "GlobalMemoryStatusEx");
    if (!fn) return std::nullopt;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    MemoryStatus out;
    if (!fn(&status)) return out;
    out.memory_load = status.dwMemoryLoad;
    out.total_phys = status.ullTotalPhys;
    out.avail_phys = status.ullAvailPhys;
    out.total_page_file = status.ullTotalPageFile;
    out.avail_page_file = status.ullAvailPageFile;
    out.total_virtual = status.ullTotalVirtual;
    out.avail_virtual = status.ullAvailVirtual;
    return out;
  }

  std::string ShortDateFormat() override { return LocaleText(LOCALE_SSHORTDATE); }
  std::string LongTimeFormat() override { return LocaleText(LOCALE_STIMEFORMAT); }

  DateTime Now() override {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return FromSystemTime(t);
  }

  // A time the conversion refuses (beyond the year 30827) reads as zeros.
  DateTime LocalTime(platform::FileTime time) override {
    FILETIME utc{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    FILETIME local{};
    SYSTEMTIME t{};
    if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return {};
    return FromSystemTime(t);
  }

  static DateTime FromSystemTime(const SYSTEMTIME& t) {
    DateTime out;
    out.year = t.wYear;
    out.month = t.wMonth;
    out.day = t.wDay;
    out.day_of_week = t.wDayOfWeek;
    out.hour = t.wHour;
    out.minute = t.wMinute;
    out.second = t.wSecond;
    out.millisecond = t.wMilliseconds;
    return out;
  }

  // The 64-bit count does not wrap after 49.7 days as GetTickCount does.
  uint64_t TickCount() override { return GetTickCount64(); }

  std::optional<std::string> OemText(std::string_view text) override {
    if (text.empty()) return std::string();
    const std::wstring wide = Widen(text);
    if (wide.find(L'\xFFFD') != std::wstring::npos) return std::nullopt;  // not UTF-8
    const int n = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    int size = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), n, nullptr, 0,
                                   nullptr, &lossy);
    if (size <= 0 || lossy) return std::nullopt;
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), n, out.data(), size, nullptr,
                        &lossy);
    if (lossy) return std::nullopt;
    return out;
  }

  std::string ToSystemCodePage(std::string_view utf8) override {
    const std::wstring wide = Widen(utf8);
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
  }

  std::string ProgramPath() override {
    // GetModuleFileName returns the buffer size (and truncates) when the
    // path does not fit, which the helper treats as failure.
    return FilledString(
        32768, [](wchar_t* buf, DWORD size) { return GetModuleFileNameW(nullptr, buf, size); });
  }
};

}  // namespace

std::unique_ptr<platform::SystemInfo> MakeSystemInfo() {
  return std::make_unique<Win32SystemInfo>();
}

}  // namespace win32
