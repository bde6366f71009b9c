#include "platform/filesystem.h"

#include <algorithm>

#include "platform/text.h"

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

std::optional<std::string> ResolvablePathText(std::string_view path) {
  std::string p(path);
  std::replace(p.begin(), p.end(), '/', '\\');
  auto starts = [&p](std::string_view prefix) { return text::StartsWithNoCase(p, prefix); };
  if (starts("\\\\?\\UNC\\") || starts("\\\\.\\UNC\\")) {
    p.erase(2, 6);
  } else if (starts("\\\\?\\") || starts("\\\\.\\")) {
    p.erase(0, 4);
    // Only a drive may follow: "\\?\Volume{...}", "\\.\pipe\x" or
    // "\\.\PhysicalDrive0" name no folder of a drive.
    if (p.size() < 2 || p[1] != ':' || (p.size() > 2 && p[2] != '\\')) return std::nullopt;
    // "\\?\C:" is the drive itself, not C:'s current folder.
    if (p.size() == 2) p += '\\';
  }
  for (size_t i = 0; i < p.size(); ++i) {
    const auto c = static_cast<unsigned char>(p[i]);
    if (c < 0x20 || c == '*' || c == '?' || c == '<' || c == '>' || c == '|' || c == '"') {
      return std::nullopt;
    }
    if (c == ':' && i != 1) return std::nullopt;
  }
  return p;
}

std::optional<std::string> FinishResolvedPath(std::string path) {
  constexpr size_t kMaxPath = 260;
  const bool drive_root = path.size() == 3 && path[1] == ':';
  if (!drive_root) {
    while (!path.empty() && path.back() == '\\') path.pop_back();
  }
  if (path.size() < 2 || text::Utf16Length(path) >= kMaxPath) return std::nullopt;
  if (path[0] == '\\' && path[1] == '\\') {
    // "\\server\share" at least.
    const size_t server_end = path.find('\\', 2);
    if (server_end == std::string::npos || server_end == 2 || server_end + 1 >= path.size()) {
      return std::nullopt;
    }
  }
  return path;
}

}  // namespace platform
