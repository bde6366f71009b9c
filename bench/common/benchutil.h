// What the Win32 benchmarks share: UTF-8 <-> UTF-16 conversion, writing a
// small file, the minimal FindFirstFileW listing they measure against and
// the performance-counter timing. Header only; the benchmarks build under
// mingw (or on Windows) alone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace bench {

inline std::string Narrow(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

inline std::wstring Widen(const std::string& s) {
  int n = MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n);
  return out;
}

// Creates (or truncates) the file and writes the bytes; false when the file
// cannot be created.
inline bool MakeFile(const std::wstring& path, std::string_view bytes) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(h);
  return true;
}

// The practical limit of a listing: one FindFirstFileW/FindNextFileW pass
// over the folder with the scan's own "*.*" pattern, calling fn for every
// entry but "." and "..".
template <typename Fn>
void ListFolder(const std::wstring& folder, Fn&& fn) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const wchar_t* n = data.cFileName;
    if (n[0] == L'.' && (n[1] == 0 || (n[1] == L'.' && n[2] == 0))) continue;
    fn(data);
  } while (FindNextFileW(h, &data));
  FindClose(h);
}

// The practical limit of a walk: list every folder once (with the "*.*"
// pattern), skip reparse points, nothing else.
struct MinimalWalk {
  uint64_t entries = 0;
  void Walk(const std::wstring& folder) {
    ListFolder(folder, [&](const WIN32_FIND_DATAW& data) {
      ++entries;
      if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
          !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        Walk(folder + L"\\" + data.cFileName);
      }
    });
  }
};

// What letting pending messages run costs without a window.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

inline double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Wall-clock seconds fn takes.
template <typename Fn>
double Time(Fn&& fn) {
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  fn();
  QueryPerformanceCounter(&b);
  return Seconds(a, b);
}

}  // namespace bench
