// Quoting one command-line argument for a program started by CreateProcess:
// used by vauto's "start" and by the start-up benchmark.
#pragma once

#include <string>

namespace vauto {

// One command-line argument quoted the way CommandLineToArgvW and the C
// runtime read it back.
inline std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

}  // namespace vauto
