// The simulated process list and system facts.
#include <algorithm>

#include "platform/sim/state.h"

namespace sim {

namespace {

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

  platform::MemoryStatus MemoryEx() override { return s_.memory; }
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
