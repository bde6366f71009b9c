// The real Windows platform: owns one object per platform interface, each a
// thin layer over the wide (W) Win32 functions, and hands them out as one
// platform::Platform bundle. Built only for Windows; nothing here needs a
// Win32 header, so the start-up code and tests include it freely.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace win32 {

std::unique_ptr<platform::FileSystem> MakeFileSystem();
std::unique_ptr<platform::Registry> MakeRegistry();
std::unique_ptr<platform::Ini> MakeIni();
std::unique_ptr<platform::Shell> MakeShell();
std::unique_ptr<platform::Processes> MakeProcesses();
std::unique_ptr<platform::SystemInfo> MakeSystemInfo();
std::unique_ptr<platform::Credentials> MakeCredentials();

class Backend {
 public:
  Backend();
  Backend(const Backend&) = delete;
  Backend& operator=(const Backend&) = delete;

  platform::Platform& Get() { return platform_; }

 private:
  std::unique_ptr<platform::FileSystem> fs_;
  std::unique_ptr<platform::Registry> registry_;
  std::unique_ptr<platform::Ini> ini_;
  std::unique_ptr<platform::Shell> shell_;
  std::unique_ptr<platform::Processes> processes_;
  std::unique_ptr<platform::SystemInfo> system_;
  std::unique_ptr<platform::Credentials> credentials_;
  platform::Platform platform_;
};

}  // namespace win32
