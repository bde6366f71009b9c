// The system log of "Review Spyware" (SysLog.txt in the data folder): the
// user's instructions, the Windows version, memory figures, the startup
// review's section report, BHOs, the browser's home and search settings
// and the processes captured at start-up, as CR LF lines in the system
// code page. Written anew each time, then opened through the shell.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/uglobalvars.h"
#include "platform/platform.h"

namespace review {

class TFrmstartup;

// One memory figure in whole megabytes (rounded, halves to even), or for
// selector 0 the memory load: 1 total physical, 2 available physical, 3
// total page file, 4 available page file, 5 total virtual, 6 available
// virtual. Taken from the extended status when the system has it, else
// from the 32-bit one.
int32_t MemoryFigure(platform::SystemInfo& system, int selector);
// available div (total div 100); below 100 MB available * 100 div total,
// and 0 for a total of 0.
int64_t Percentage(int64_t available, int64_t total);
// "Operating System: ..." for a Windows version code.
std::string OperatingSystemLine(int version_code);
// The lines of a LastSession value: each run of bytes before a zero byte
// that is not in first place; cutting stops at a zero byte in first place,
// or when no zero byte is left.
std::vector<std::string> CutLastSession(std::string_view bytes);
// The browser's home and search settings, labelled, into `lines`.
void LoadBrowserSettings(platform::Registry& registry, std::vector<std::string>& lines);

class SystemLog {
 public:
  SystemLog(core::Uglobalvars& g, TFrmstartup& review) : g_(g), review_(review) {}

  // Reloads the review's lists, writes the log and opens it; a write
  // failure is reported and the file is not opened.
  void Write();
  // The log's lines (reloading the review's lists on the way).
  std::vector<std::string> Lines();

 private:
  core::Uglobalvars& g_;
  TFrmstartup& review_;
};

}  // namespace review
