#include "review/syslog.h"

#include <array>
#include <cmath>

#include "core/date_format.h"
#include "core/maker.h"
#include "platform/text.h"
#include "review/startup.h"

namespace review {

namespace {

using platform::Access;
using platform::Hive;

constexpr std::string_view kAsterisks =
    "***************************************************************************";
constexpr std::string_view kUnderscores =
    "___________________________________________________________________________________";
static_assert(kAsterisks.size() == 75 && kUnderscores.size() == 83);
constexpr std::string_view kSpacer = " ";

constexpr std::string_view kCannotOpen =
    "You cannot view this file so you need to open it manually. Open notepad or wordpad, then "
    "go open the following report that was created: ";
constexpr std::string_view kNotWritten = "The system log could not be written: ";

constexpr auto kOsLines = std::to_array<std::string_view>({
    "Operating System: Other.",
    "Operating System: You are running Windows 95",
    "Operating System: You are running Windows 98 (Non SE)",
    "Operating System: You are running Windows 98 SE",
    "Operating System: You are running Windows NT",
    "Operating System: You are running Windows ME",
    "Operating System: You are running Windows 2000",
    "Operating System: You are running Windows XP",
    "Operating System: You are running Windows Vista",
});
static_assert(kOsLines.size() == 9);

// The values of a Main key, in the log's order.
constexpr auto kMainValues = std::to_array<std::string_view>(
    {"Local Page", "Default_Search_URL", "Default_Page_URL", "Search Bar", "Search Page",
     "Security Risk Page", "Start Page"});
static_assert(kMainValues.size() == 7);

// The words of the system's message for a failed write.
std::string_view ErrorText(platform::Error e) {
  switch (e) {
    case platform::Error::kNotFound:
      return "The system cannot find the file specified.";
    case platform::Error::kPathNotFound:
      return "The system cannot find the path specified.";
    case platform::Error::kAccessDenied:
      return "Access is denied.";
    case platform::Error::kSharingViolation:
      return "The process cannot access the file because it is being used by another process.";
    case platform::Error::kInvalidName:
      return "The filename, directory name, or volume label syntax is incorrect.";
    case platform::Error::kWriteFault:
      return "The system cannot write to the specified device.";
    default:
      return "The file could not be written.";
  }
}

// "HKCU " + name left-justified in 22 characters + ": ".
std::string Label(std::string_view root, std::string_view name) {
  std::string label = std::string(root) + " " + std::string(name);
  if (name.size() < 22) label.append(22 - name.size(), ' ');
  return label + ": ";
}

// Writes the labelled values of one key when it opens.
void AddValues(platform::Registry& registry, Hive hive, std::string_view key,
               std::initializer_list<std::string_view> names, std::vector<std::string>& lines) {
  auto k = registry.Open(hive, key, false, Access::kRead);
  if (!k) return;
  const std::string_view root = hive == Hive::kCurrentUser ? "HKCU" : "HKLM";
  for (std::string_view name : names) {
    // The unnamed default value carries the key's own name as its label.
    const std::string label = name.empty() ? text::FileName(key) : std::string(name);
    lines.push_back(Label(root, label) + k->ReadString(name).value_or(""));
  }
}

void AddMainValues(platform::Registry& registry, Hive hive, std::vector<std::string>& lines) {
  auto k =
      registry.Open(hive, "Software\\Microsoft\\Internet Explorer\\Main", false, Access::kRead);
  if (!k) return;
  const std::string_view root = hive == Hive::kCurrentUser ? "HKCU" : "HKLM";
  for (std::string_view name : kMainValues)
    lines.push_back(Label(root, name) + k->ReadString(name).value_or(""));
}

// The bytes of a LastSession value: binary data as stored, a string type
// as its 8-bit text with the zero bytes between its strings.
std::string LastSessionBytes(const platform::RawValue& raw) {
  if (raw.type != 1 && raw.type != 2 && raw.type != 7) return raw.bytes;
  std::string out;
  for (size_t i = 0; i + 1 < raw.bytes.size(); i += 2) {
    const char32_t unit = static_cast<unsigned char>(raw.bytes[i]) |
                          (static_cast<unsigned char>(raw.bytes[i + 1]) << 8);
    text::AppendUtf8(out, unit);
  }
  return out;
}

}  // namespace

int32_t MemoryFigure(platform::SystemInfo& system, int selector) {
  const std::optional<platform::MemoryStatus> ex = system.MemoryEx();
  const platform::MemoryStatus m = ex ? *ex : system.Memory();
  if (selector == 0) return static_cast<int32_t>(m.memory_load);
  const uint64_t bytes = selector == 1   ? m.total_phys
                         : selector == 2 ? m.avail_phys
                         : selector == 3 ? m.total_page_file
                         : selector == 4 ? m.avail_page_file
                         : selector == 5 ? m.total_virtual
                                         : m.avail_virtual;
  // Whole megabytes, a half rounded to the even neighbour.
  uint64_t mb = bytes >> 20;
  const uint64_t rest = bytes & 0xFFFFF;
  if (rest > 0x80000 || (rest == 0x80000 && (mb & 1))) ++mb;
  return static_cast<int32_t>(std::min<uint64_t>(mb, INT32_MAX));
}

int64_t Percentage(int64_t available, int64_t total) {
  if (total <= 0) return 0;
  if (total < 100) return available * 100 / total;
  return available / (total / 100);
}

std::string OperatingSystemLine(int version_code) {
  if (version_code < 0 || version_code >= static_cast<int>(kOsLines.size()))
    return std::string(kOsLines[0]);
  return std::string(kOsLines[static_cast<size_t>(version_code)]);
}

std::vector<std::string> CutLastSession(std::string_view bytes) {
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const size_t zero = bytes.find('\0');
    if (zero == std::string_view::npos || zero == 0) break;
    lines.emplace_back(bytes.substr(0, zero));
    bytes.remove_prefix(zero + 1);
  }
  return lines;
}

void LoadBrowserSettings(platform::Registry& registry, std::vector<std::string>& lines) {
  lines.clear();
  constexpr std::string_view kIE = "Software\\Microsoft\\Internet Explorer\\";
  const std::string search = std::string(kIE) + "Search";
  const std::string search_url = std::string(kIE) + "SearchUrl";
  const std::string tabbed = std::string(kIE) + "TabbedBrowsing";

  AddMainValues(registry, Hive::kCurrentUser, lines);
  AddValues(registry, Hive::kCurrentUser, search, {"CustomizeSearch", "SearchAssistant"}, lines);
  AddValues(registry, Hive::kCurrentUser, search_url, {""}, lines);
  if (auto k = registry.Open(Hive::kCurrentUser, tabbed, false, Access::kRead)) {
    const auto raw = k->ReadRaw("LastSession");
    if (raw && !raw->bytes.empty()) {
      for (std::string& line : CutLastSession(LastSessionBytes(*raw)))
        lines.push_back(std::move(line));
    }
  }
  AddMainValues(registry, Hive::kLocalMachine, lines);
  AddValues(registry, Hive::kLocalMachine, search, {"CustomizeSearch", "SearchAssistant"}, lines);
  AddValues(registry, Hive::kLocalMachine, search_url, {""}, lines);
  if (auto k = registry.Open(Hive::kLocalMachine, tabbed, false, Access::kRead))
    lines.push_back(Label("HKLM", "TabbedBrowsing") + k->ReadString("LastSession").value_or(""));
}

std::vector<std::string> SystemLog::Lines() {
  auto& sys = g_.Platform().system;
  std::vector<std::string> out = {
      "Instructions:",
      "------------",
      "Send in your your system log below to get a free review done on your computer.",
      std::string(kSpacer),
      "Your log data below will be checked for:",
      "  - Spyware, adware, or viruses",
      "  - Performance improvements",
      "  - Extra programs running in the background",
      "  - Cleanup details will be sent to you ",
      "  - Copy and paste this page and email it to " + std::string(core::kSupportAddress),
      std::string(kSpacer),
      "Describe any unusual things you see on your computer (if any):",
      "(You can explain things like popup windows and when they occur, unusual websites ",
      "opening, system running really slow, etc. Please explain in detail if you are",
      "going to enter any information here.)",
      std::string(kSpacer),
  };
  auto add = [&out](std::string_view line) { out.emplace_back(line); };
  for (int i = 0; i < 6; ++i) add(kUnderscores);
  add(kSpacer);
  const platform::DateTime now = sys.Now();
  add(kAsterisks);
  add("* Your Vostrel System Log");
  add("* Created On: " + core::FormatDate(sys.ShortDateFormat(), now) + " " +
      core::FormatTime(sys.LongTimeFormat(), now));
  add(kAsterisks);
  add(kSpacer);
  add(OperatingSystemLine(g_.VersionCode));
  add(kSpacer);

  std::array<int64_t, 7> m{};
  for (int s = 0; s < 7; ++s) m[static_cast<size_t>(s)] = MemoryFigure(sys, s);
  auto num = [](int64_t n) { return std::to_string(n); };
  add("Total RAM memory on your system         = " + num(m[1]) + "m");
  add("RAM memory currently available          = " + num(m[2]) + "m");
  add("Percentage of RAM memory available      = " + num(Percentage(m[2], m[1])) + "%");
  add(kSpacer);
  add("Maximum storage in swap file            = " + num(m[3]) + "m");
  add("Available swap file space               = " + num(m[4]) + "m");
  add("Percentage of swap file available       = " + num(Percentage(m[4], m[3])) + "%");
  add(kSpacer);
  add("Maximum virtual                         = " + num(m[5]));
  add("Available virtual                       = " + num(m[6]));
  add("Percentage of virtual memory available  = " + num(Percentage(m[6], m[5])) + "%");
  add(kSpacer);

  auto heading = [&](std::string_view title, std::string_view why) {
    add(kAsterisks);
    add(title);
    if (!why.empty()) add(why);
    add(kAsterisks);
    add(kSpacer);
  };
  heading("* Your system startup programs.", "* (For viewing what runs hidden during bootup)");
  review_.LoadStartupLists();
  review_.LoadBhoList();
  LoadBrowserSettings(g_.Platform().registry, review_.ListBrowserIE);
  for (const std::string& line : review_.ListLog) add(line);
  add(kSpacer);
  heading("* Your system startup BHO entries.",
          "* (For viewing what executes within your browser)");
  for (const std::string& line : review_.ListBHO.Items()) add(line);
  add(kSpacer);
  heading("* Your browser settings.",
          "* (For viewing your browser is not altered to point at spyware sites)");
  for (const std::string& line : review_.ListBrowserIE) add(line);
  add(kSpacer);
  heading("* Active tasks and processes.",
          "* (For identifying if any bad tasks or processes are currently active)");
  for (const std::string& line : review_.ListRunningTasks.Items()) add(line);
  add(kSpacer);
  heading("* End of log data.", "");
  return out;
}

void SystemLog::Write() {
  auto& p = g_.Platform();
  std::string bytes;
  for (const std::string& line : Lines()) {
    bytes += p.system.ToSystemCodePage(line);
    bytes += "\r\n";
  }
  if (const platform::Status written = p.fs.WriteBytes(g_.SysLogFile, bytes); !written) {
    g_.Windows().Error(std::string(kNotWritten) + std::string(ErrorText(written.error)));
    return;
  }
  const int result = p.shell.Open(g_.SysLogFile, "", "", platform::ShowCommand::kMaximised);
  if (result < 32) g_.Windows().ShowMessage(std::string(kCannotOpen) + g_.SysLogFile);
}

}  // namespace review
