// The simulated process list and system facts.
#include <algorithm>
#include <array>

#include "platform/sim/state.h"
#include "platform/text.h"

namespace sim {

namespace {

// Characters 0x80 to 0xFF of code page 437.
constexpr std::array<char32_t, 128> kCodePage437{{
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
}};
static_assert(kCodePage437.size() == 128);

class SimProcesses : public platform::Processes {
 public:
  explicit SimProcesses(Machine::State& s) : s_(s) {}

  std::optional<std::vector<platform::ProcessEntry>> Snapshot() override {
    if (!s_.toolhelp) return std::nullopt;
    std::vector<platform::ProcessEntry> out;
    for (const auto& p : s_.processes) out.push_back(p.entry);
    return out;
  }

  std::optional<std::string> MainModulePath(uint32_t pid) override {
    if (!s_.psapi) return std::nullopt;
    const ProcessRecord* p = Get(pid);
    if (!p || p->module_path.empty()) return std::nullopt;
    return p->module_path;
  }

  platform::Status Terminate(uint32_t pid) override {
    const ProcessRecord* p = Get(pid);
    if (!p) return platform::Status::Fail(platform::Error::kNotFound);
    if (p->unkillable) return platform::Status::Fail(platform::Error::kAccessDenied);
    s_.terminated.push_back(pid);
    auto& list = s_.processes;
    list.erase(std::remove_if(list.begin(), list.end(),
                              [pid](const ProcessRecord& r) { return r.entry.pid == pid; }),
               list.end());
    return platform::Status::Ok();
  }

 private:
  const ProcessRecord* Get(uint32_t pid) const {
    for (const auto& p : s_.processes)
      if (p.entry.pid == pid) return &p;
    return nullptr;
  }

  Machine::State& s_;
};

// GlobalMemoryStatus in a 32-bit program: the sizes are 32-bit fields, so
// memory beyond 4 GiB reads as 4 GiB - 1, and the address space of a
// program that is not large-address aware is at most 2 GiB.
uint64_t Clamp(uint64_t v, uint64_t limit) { return v < limit ? v : limit; }

class SimSystemInfo : public platform::SystemInfo {
 public:
  explicit SimSystemInfo(Machine::State& s) : s_(s) {}

  platform::VersionInfo Version() override { return s_.version; }

  platform::MemoryStatus Memory() override {
    platform::MemoryStatus m = s_.memory;
    constexpr uint64_t k4G = 0xFFFFFFFFull, k2G = 0x7FFFFFFFull;
    m.total_phys = Clamp(m.total_phys, k4G);
    m.avail_phys = Clamp(m.avail_phys, k4G);
    m.total_page_file = Clamp(m.total_page_file, k4G);
    m.avail_page_file = Clamp(m.avail_page_file, k4G);
    m.total_virtual = Clamp(m.total_virtual, k2G);
    m.avail_virtual = Clamp(m.avail_virtual, k2G);
    return m;
  }

  std::optional<platform::MemoryStatus> MemoryEx() override {
    if (!s_.memory_ex) return std::nullopt;
    return s_.memory;
  }
  std::string ShortDateFormat() override { return s_.short_date; }
  std::string LongTimeFormat() override { return s_.long_time; }
  platform::DateTime Now() override { return ToDateTime(s_.clock); }
  platform::DateTime LocalTime(platform::FileTime time) override { return ToDateTime(time); }

  uint64_t TickCount() override {
    uint64_t now = s_.ticks;
    s_.ticks += 1;
    s_.clock += 10000;
    return now;
  }

  std::string ProgramPath() override { return s_.program_path; }

  // Code page 437, the OEM code page of an English-language machine.
  std::optional<std::string> OemText(std::string_view text) override {
    std::string out;
    for (size_t pos = 0; pos < text.size();) {
      const char32_t c = text::DecodeUtf8(text, pos);
      if (c < 0x80) {
        out += static_cast<char>(c);
        continue;
      }
      auto at = std::find(kCodePage437.begin(), kCodePage437.end(), c);
      if (at == kCodePage437.end()) return std::nullopt;
      out += static_cast<char>(0x80 + (at - kCodePage437.begin()));
    }
    return out;
  }

  // The machine's code page is Windows-1252 as far as Latin-1 goes.
  std::string ToSystemCodePage(std::string_view utf8) override {
    std::string out;
    for (size_t pos = 0; pos < utf8.size();) {
      const char32_t c = text::DecodeUtf8(utf8, pos);
      out += c < 0x80 || (c >= 0xA0 && c <= 0xFF) ? static_cast<char>(c) : '?';
    }
    return out;
  }

 private:
  Machine::State& s_;
};

}  // namespace

std::unique_ptr<platform::Processes> MakeProcesses(Machine::State& s) {
  return std::make_unique<SimProcesses>(s);
}

std::unique_ptr<platform::SystemInfo> MakeSystemInfo(Machine::State& s) {
  return std::make_unique<SimSystemInfo>(s);
}

}  // namespace sim
