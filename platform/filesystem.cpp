#include "platform/filesystem.h"

namespace platform {

std::optional<std::vector<std::string>> FileSystem::ReadLines(std::string_view path) {
  auto bytes = ReadBytes(path);
  if (!bytes) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  const std::string& b = *bytes;
  for (size_t i = 0; i < b.size(); ++i) {
    char c = b[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      if (c == '\r' && i + 1 < b.size() && b[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

Status FileSystem::WriteLines(std::string_view path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return WriteBytes(path, bytes);
}

}  // namespace platform
