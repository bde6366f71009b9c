#include "tools/seed/seed.h"

#include <cstdint>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/seed/profile.h"

namespace seed {
namespace {

using platform::Error;
using platform::Hive;

constexpr uint32_t kWantedBits =
    platform::kAttrReadOnly | platform::kAttrHidden | platform::kAttrSystem;

constexpr std::string_view kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr std::string_view kUserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr std::string_view kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

// Places the shell reports, by their name in the tables.
struct ShellPlace {
  std::string_view name;
  int csidl;
};
constexpr ShellPlace kShellPlaces[] = {
    {"profile", platform::csidl::kProfile},
    {"appdata", platform::csidl::kAppData},
    {"localappdata", platform::csidl::kLocalAppData},
    {"cache", platform::csidl::kInternetCache},
    {"cookies", platform::csidl::kCookies},
    {"history", platform::csidl::kHistory},
    {"recent", platform::csidl::kRecent},
    {"startup", platform::csidl::kStartup},
    {"documents", platform::csidl::kPersonal},
    {"pictures", platform::csidl::kMyPictures},
    {"videos", platform::csidl::kMyVideo},
    {"programfiles", platform::csidl::kProgramFiles},
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string WithoutTrailingSlash(std::string s) {
  while (s.size() > 1 && s.back() == '\\') s.pop_back();
  return s;
}

std::string_view FileName(std::string_view path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view Parent(std::string_view path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

std::string_view HiveName(Hive hive) {
  switch (hive) {
    case Hive::kCurrentUser:
      return "HKCU";
    case Hive::kLocalMachine:
      return "HKLM";
    case Hive::kClassesRoot:
      return "HKCR";
  }
  return "?";
}

std::string_view ErrorText(Error e) {
  switch (e) {
    case Error::kNone:
      return "no error";
    case Error::kNotFound:
      return "not found";
    case Error::kPathNotFound:
      return "path not found";
    case Error::kAccessDenied:
      return "access denied";
    case Error::kSharingViolation:
      return "in use by another program";
    case Error::kAlreadyExists:
      return "already exists";
    case Error::kNotEmpty:
      return "not empty";
    case Error::kInvalidName:
      return "invalid name";
    case Error::kWriteFault:
      return "write failed";
    case Error::kOther:
      break;
  }
  return "failed";
}

// FNV-1a, so generated contents depend only on the table row.
uint64_t Hash(std::string_view text, uint64_t salt = 0) {
  uint64_t h = 14695981039346656037ull ^ salt;
  for (unsigned char c : text) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

class Filler {
 public:
  explicit Filler(uint64_t seed) : state_(seed | 1) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<uint32_t>(state_ >> 16);
  }

 private:
  uint64_t state_;
};

constexpr std::string_view kWords[] = {
    "the",   "weather", "update", "news",   "page",    "session", "loaded", "user",
    "cache", "image",   "click",  "banner", "welcome", "offers",  "today",  "search",
    "login", "result",  "travel", "deals",  "account", "local",   "sports", "video"};

void AppendTextFiller(std::string& out, size_t size, Filler& rnd) {
  size_t line = 0;
  while (out.size() < size) {
    const std::string_view word = kWords[rnd.Next() % std::size(kWords)];
    if (line + word.size() + 1 > 72) {
      out += "\r\n";
      line = 0;
    } else if (line > 0) {
      out += ' ';
      ++line;
    }
    out += word;
    line += word.size();
  }
  out.resize(size);
}

void AppendBinaryFiller(std::string& out, size_t size, Filler& rnd) {
  size_t at = out.size();
  if (at >= size) return;
  out.resize(size);
  for (; at < size; ++at) out[at] = static_cast<char>(rnd.Next() & 0xFF);
}

std::string ToCrLf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string HexBytes(std::string_view hex) {
  std::string out;
  const auto digit = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
  };
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    out += static_cast<char>(digit(hex[i]) * 16 + digit(hex[i + 1]));
  }
  return out;
}

// UTF-16LE of an ASCII text, NUL-terminated.
std::string Utf16Bytes(std::string_view text) {
  std::string out;
  for (char c : text) {
    out += c;
    out += '\0';
  }
  out += std::string(2, '\0');
  return out;
}

// Two cookie records in the text format Internet Explorer uses, for the
// site named between '@' and '[' in the file name.
std::string IeCookie(std::string_view file_name) {
  std::string_view site = file_name;
  if (const size_t at = site.find('@'); at != std::string_view::npos) site = site.substr(at + 1);
  if (const size_t bracket = site.find('['); bracket != std::string_view::npos) {
    site = site.substr(0, bracket);
  }
  constexpr std::string_view kNames[] = {"id", "PREF", "visitor", "session"};
  std::string out;
  for (uint64_t i = 0; i < 2; ++i) {
    const uint64_t h = Hash(site, i + 1);
    char value[17];
    for (int k = 0; k < 16; ++k) value[k] = "0123456789abcdef"[(h >> (4 * k)) & 0xF];
    value[16] = '\0';
    out += std::string(kNames[h % std::size(kNames)]) + "\n";
    out += std::string(value) + "\n";
    out += std::string(site) + ".example/\n";
    out += i == 0 ? "1536\n" : "1024\n";
    out += std::to_string(2596929536u - (h & 0xFFFFF)) + "\n30001193\n";
    out += std::to_string(1829136384u + (h & 0xFFFF)) + "\n29866712\n*\n";
  }
  return out;
}

class Seeder {
 public:
  Seeder(platform::Platform& p, const SeedOptions& options) : p_(p), options_(options) {}

  SeedReport Run() {
    ResolvePlaces();
    if (options_.ie5_cache_layout) UseIe5CacheLayout();
    for (const ValueRow& row : ProfileValues()) SeedValue(row);
    ResolveActiveXFolder();
    for (const auto& [name, path] : places_) report_.places.push_back(name + " = " + path);
    for (const FolderRow& row : ProfileFolders()) SeedFolder(row);
    for (const FileRow& row : ProfileFiles()) SeedFile(row);
    if (options_.fill_recycle_bin) FillRecycleBin();
    if (options_.kept_cookies) {
      for (const IniRow& row : ProfileKeptCookies()) SeedIniValue(row);
    }
    return std::move(report_);
  }

 private:
  void ResolvePlaces() {
    const std::string system = p_.fs.SystemFolder();
    for (const ShellPlace& place : kShellPlaces) {
      auto folder = p_.shell.SpecialFolder(system, place.csidl, true);
      if (folder && !folder->empty()) {
        places_[std::string(place.name)] = WithoutTrailingSlash(*folder);
      }
    }
    if (std::string temp = p_.fs.TempPath(); !temp.empty()) {
      places_["temp"] = WithoutTrailingSlash(temp);
    }
    if (std::string windows = p_.fs.WindowsFolder(); !windows.empty()) {
      places_["windows"] = WithoutTrailingSlash(windows);
      if (windows.size() >= 2 && windows[1] == ':') places_["drive"] = windows.substr(0, 2);
    }
    std::string user = options_.user_name;
    if (user.empty()) {
      auto profile = places_.find("profile");
      if (profile != places_.end()) user = std::string(FileName(profile->second));
    }
    if (!user.empty()) places_["user"] = Lower(user);
  }

  // Replaces a cache folder of a later layout with "Temporary Internet
  // Files" beside it and points the user's shell folders at that.
  void UseIe5CacheLayout() {
    auto cache = places_.find("cache");
    if (cache == places_.end()) return;
    if (Lower(FileName(cache->second)) == "temporary internet files") return;
    const std::string parent(Parent(cache->second));
    if (parent.empty()) return;
    const std::string folder = parent + "\\Temporary Internet Files";
    if (!EnsureFolder(folder)) return;
    cache->second = folder;
    EnsureValue(Hive::kCurrentUser, kShellFolders, "Cache", ValueKind::kString, folder, false);
    EnsureValue(Hive::kCurrentUser, kUserShellFolders, "Cache", ValueKind::kExpandString, folder,
                false);
  }

  void ResolveActiveXFolder() {
    auto key =
        p_.registry.Open(Hive::kLocalMachine, kInternetSettings, false, platform::Access::kRead);
    if (!key) return;
    auto folder = key->ReadString("ActiveXCache");
    if (!folder) return;
    std::string path = *folder;
    // The setting may name the Windows folder through the environment.
    for (std::string_view variable : {"%SystemRoot%", "%windir%"}) {
      const size_t at = Lower(path).find(Lower(variable));
      if (at != std::string::npos && places_.count("windows")) {
        path.replace(at, variable.size(), places_["windows"]);
      }
    }
    path = WithoutTrailingSlash(path);
    if (!path.empty() && path.find('%') == std::string::npos) places_["activex"] = path;
  }

  // Replaces the places in `text`; nullopt when one is not known here.
  std::optional<std::string> Expand(std::string_view text) const {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
      const size_t open = text.find('{', i);
      if (open == std::string_view::npos) break;
      const size_t close = text.find('}', open);
      if (close == std::string_view::npos) break;
      std::string_view name = text.substr(open + 1, close - open - 1);
      bool js = false;
      if (name.size() > 3 && name.substr(name.size() - 3) == ":js") {
        js = true;
        name.remove_suffix(3);
      }
      bool is_place = !name.empty();
      for (char c : name) is_place = is_place && c >= 'a' && c <= 'z';
      out += text.substr(i, open - i);
      if (!is_place) {
        // Braces that are not a place, such as a class identifier.
        out += text.substr(open, close - open + 1);
      } else {
        auto place = places_.find(name);
        if (place == places_.end()) return std::nullopt;
        for (char c : place->second) {
          out += c;
          if (js && c == '\\') out += c;
        }
      }
      i = close + 1;
    }
    out += text.substr(i);
    return out;
  }

  void Problem(std::string_view what, std::string_view where, std::string_view why) {
    report_.problems.push_back(std::string(what) + " " + std::string(where) + ": " +
                               std::string(why));
  }

  // Creates the folder and its missing parents.
  bool EnsureFolder(std::string_view path) {
    if (path.empty() || p_.fs.IsFolder(path)) return true;
    const std::string_view parent = Parent(path);
    if (!parent.empty() && parent.size() > 2 && !EnsureFolder(parent)) return false;
    if (p_.fs.Exists(path)) {
      Problem("cannot make the folder", path, "a file has that name");
      return false;
    }
    const platform::Status status = p_.fs.CreateFolder(path);
    if (!status) {
      Problem("cannot make the folder", path, ErrorText(status.error));
      return false;
    }
    ++report_.written;
    return true;
  }

  void EnsureAttributes(std::string_view path, uint32_t wanted) {
    auto current = p_.fs.GetAttributes(path);
    if (!current || (*current & kWantedBits) == wanted) return;
    uint32_t next = (*current & ~kWantedBits & ~platform::kAttrDirectory) | wanted;
    if (next == 0) next = platform::kAttrNormal;
    const platform::Status status = p_.fs.SetAttributes(path, next);
    if (!status) {
      Problem("cannot set the attributes of", path, ErrorText(status.error));
      return;
    }
    ++report_.written;
  }

  bool EnsureFile(std::string_view path, const std::string& bytes, uint32_t attributes) {
    if (!EnsureFolder(Parent(path))) return false;
    if (p_.fs.IsFolder(path)) {
      Problem("cannot write", path, "a folder has that name");
      return false;
    }
    auto existing = p_.fs.ReadBytes(path);
    if (existing && *existing == bytes) {
      ++report_.unchanged;
    } else {
      // A read-only file from elsewhere would refuse the write.
      auto current = p_.fs.GetAttributes(path);
      if (current && (*current & platform::kAttrReadOnly)) {
        p_.fs.SetAttributes(path, *current & ~platform::kAttrReadOnly & ~platform::kAttrDirectory);
      }
      const platform::Status status = p_.fs.WriteBytes(path, bytes);
      if (!status) {
        Problem("cannot write", path, ErrorText(status.error));
        return false;
      }
      ++report_.written;
    }
    EnsureAttributes(path, attributes);
    return true;
  }

  void EnsureValue(Hive hive, std::string_view key_path, std::string_view name, ValueKind kind,
                   const std::string& value, bool keep_existing) {
    const std::string where =
        std::string(HiveName(hive)) + "\\" + std::string(key_path) + " [" + std::string(name) + "]";
    auto key = p_.registry.Open(hive, key_path, true, platform::Access::kFull);
    if (!key) {
      Problem("cannot open or create", where, "key refused");
      return;
    }
    auto type = key->GetValueType(name);
    if (keep_existing && type) {
      ++report_.unchanged;
      return;
    }
    bool same = false;
    platform::Status status;
    switch (kind) {
      case ValueKind::kString:
        same = type == platform::ValueType::kString && key->ReadString(name) == value;
        if (!same) status = key->WriteString(name, value);
        break;
      case ValueKind::kExpandString:
        same = type == platform::ValueType::kExpandString && key->ReadString(name) == value;
        if (!same) status = key->WriteExpandString(name, value);
        break;
      case ValueKind::kDword: {
        const uint32_t number = static_cast<uint32_t>(std::stoul(value));
        same = type == platform::ValueType::kDword && key->ReadDword(name) == number;
        if (!same) status = key->WriteDword(name, number);
        break;
      }
      case ValueKind::kUtf16Binary:
      case ValueKind::kHexBinary: {
        const std::string bytes =
            kind == ValueKind::kHexBinary ? HexBytes(value) : Utf16Bytes(value);
        same = type == platform::ValueType::kBinary && key->ReadBinary(name) == bytes;
        if (!same) status = key->WriteBinary(name, bytes);
        break;
      }
    }
    if (same) {
      ++report_.unchanged;
    } else if (!status) {
      Problem("cannot write", where, ErrorText(status.error));
    } else {
      ++report_.written;
    }
  }

  void SeedValue(const ValueRow& row) {
    auto key = Expand(row.key);
    auto name = Expand(row.name);
    auto value = Expand(row.value);
    if (!key || !name || !value) {
      ++report_.skipped;
      return;
    }
    EnsureValue(row.hive, *key, *name, row.kind, *value, row.keep_existing);
  }

  void SeedFolder(const FolderRow& row) {
    auto path = Expand(row.path);
    if (!path) {
      ++report_.skipped;
      return;
    }
    if (!EnsureFolder(*path)) return;
    EnsureAttributes(*path, row.attributes);
  }

  // The bytes of a file row; nullopt when its text names an unknown place.
  std::optional<std::string> Contents(const FileRow& row, std::string_view path) const {
    switch (row.body) {
      case Body::kText: {
        auto text = Expand(row.text);
        if (!text) return std::nullopt;
        return ToCrLf(*text);
      }
      case Body::kIeCookie:
        return IeCookie(FileName(path));
      case Body::kCopy:
      case Body::kLastByte: {
        auto source = Expand(row.text);
        if (!source) return std::nullopt;
        auto bytes = Contents(FileRow{row.text, row.size}, *source);
        if (bytes && !bytes->empty() && row.body == Body::kLastByte) bytes->back() ^= '\x5A';
        return bytes;
      }
      case Body::kFiller:
      case Body::kHardLink:
      case Body::kSparse:
        break;
    }
    const std::string name = Lower(FileName(path));
    std::string out;
    bool text = false;
    for (const KindHeader& kind : KindHeaders()) {
      if (name.size() >= kind.suffix.size() &&
          name.compare(name.size() - kind.suffix.size(), kind.suffix.size(), kind.suffix) == 0) {
        out = std::string(kind.header.substr(0, row.size));
        text = kind.text;
        break;
      }
    }
    Filler rnd(Hash(row.path));
    if (text) {
      AppendTextFiller(out, row.size, rnd);
    } else {
      AppendBinaryFiller(out, row.size, rnd);
    }
    return out;
  }

  // A second name of an existing file; one that is already a name of it
  // stays, anything else under the name is replaced.
  void EnsureHardLink(const std::string& path, const std::string& target) {
    auto id = p_.fs.Identity(target);
    if (!id) {
      Problem("cannot link", path, "its file is missing");
      return;
    }
    if (p_.fs.Identity(path) == id) {
      ++report_.unchanged;
      return;
    }
    if (!EnsureFolder(Parent(path))) return;
    p_.fs.DeleteFile(path);
    if (const platform::Status status = p_.fs.CreateHardLink(path, target); !status) {
      Problem("cannot link", path, ErrorText(status.error));
      return;
    }
    ++report_.written;
  }

  // A big file of zeros that takes no disk space.
  void EnsureSparse(const std::string& path, uint64_t size) {
    if (p_.fs.GetSize(path) == size) {
      ++report_.unchanged;
      return;
    }
    if (!EnsureFile(path, "", 0)) return;
    if (const platform::Status status = p_.fs.SetLength(path, size); !status) {
      Problem("cannot size", path, ErrorText(status.error));
      return;
    }
    ++report_.written;
  }

  void SeedFile(const FileRow& row) {
    auto path = Expand(row.path);
    if (path && row.body == Body::kHardLink) {
      if (auto target = Expand(row.text)) return EnsureHardLink(*path, *target);
    }
    if (path && row.body == Body::kSparse) return EnsureSparse(*path, row.size);
    std::optional<std::string> bytes;
    if (path) bytes = Contents(row, *path);
    if (!path || !bytes) {
      ++report_.skipped;
      return;
    }
    EnsureFile(*path, *bytes, row.attributes);
  }

  void SeedIniValue(const IniRow& row) {
    auto file = Expand(row.file);
    auto value = Expand(row.value);
    if (!file || !value) {
      ++report_.skipped;
      return;
    }
    if (p_.ini.ReadString(*file, row.section, row.key, "") == *value) {
      ++report_.unchanged;
    } else if (!EnsureFolder(Parent(*file))) {
      return;
    } else if (p_.ini.WriteString(*file, row.section, row.key, *value)) {
      ++report_.written;
    } else {
      Problem("cannot write", *file, std::string(row.section) + " " + std::string(row.key));
    }
  }

  // Only an empty Recycle Bin is filled, so seeding again adds nothing.
  void FillRecycleBin() {
    if (p_.shell.QueryRecycleBin().items > 0) return;
    std::vector<std::string> paths;
    for (const RecycleRow& row : ProfileRecycled()) {
      auto path = Expand(row.path);
      if (!path) {
        ++report_.skipped;
        continue;
      }
      std::string bytes;
      Filler rnd(Hash(row.path));
      AppendBinaryFiller(bytes, row.size, rnd);
      if (EnsureFile(*path, bytes, 0)) paths.push_back(*path);
    }
    if (paths.empty()) return;
    const int result = p_.shell.SendToRecycleBin(paths);
    if (result != 0) {
      Problem("cannot recycle", paths.front(), "shell result " + std::to_string(result));
      return;
    }
    report_.recycled += static_cast<int>(paths.size());
  }

  platform::Platform& p_;
  const SeedOptions& options_;
  std::map<std::string, std::string, std::less<>> places_;
  SeedReport report_;
};

}  // namespace

SeedReport SeedDirtyProfile(platform::Platform& platform, const SeedOptions& options) {
  return Seeder(platform, options).Run();
}

}  // namespace seed
