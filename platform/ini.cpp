#include "platform/ini.h"

#include <cctype>
#include <climits>

namespace platform {

int Ini::ReadInt(std::string_view file, std::string_view section, std::string_view key, int def) {
  std::string v = ReadString(file, section, key, "");
  size_t i = 0;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  if (i >= v.size() || !std::isdigit(static_cast<unsigned char>(v[i]))) return def;
  long long n = 0;
  for (; i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])); ++i) {
    n = n * 10 + (v[i] - '0');
    if (n > INT_MAX) return def;
  }
  return static_cast<int>(negative ? -n : n);
}

Status Ini::WriteInt(std::string_view file, std::string_view section, std::string_view key,
                     int value) {
  return WriteString(file, section, key, std::to_string(value));
}

}  // namespace platform
