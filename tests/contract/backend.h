// What the platform contract suite needs from the backend it runs on. The
// same test cases run natively against the simulated machine and under Wine
// against the real Win32 backend; each binary defines Backend().
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace contract {

class ContractBackend {
 public:
  virtual ~ContractBackend() = default;
  virtual platform::Platform& Get() = 0;
  // "sim" or "win32".
  virtual std::string Name() = 0;
  // A new, empty folder for one test (created), e.g. "C:\\vostcontract\\t7",
  // without a trailing backslash.
  virtual std::string ScratchFolder() = 0;
  // A new registry path under HKEY_CURRENT_USER for one test (not created),
  // e.g. "Software\\VostrelContract\\t7".
  virtual std::string ScratchKey() = 0;
  // Holds the file open without sharing, as another program would, until
  // UnlockAll().
  virtual void LockFile(const std::string& path) = 0;
  virtual void UnlockAll() = 0;
  // Makes `path` a file of `size` bytes cheaply (sparse), for the 64-bit
  // size cases; false when the backend cannot, and those cases skip.
  virtual bool MakeBigFile(const std::string& /*path*/, uint64_t /*size*/) { return false; }
  // Whether the Recycle Bin belongs to the test run (the simulation, or a
  // Wine prefix with a scratch home), so emptying it destroys nothing of a
  // user's; the emptying cases skip otherwise.
  virtual bool OwnsRecycleBin() { return false; }
};

ContractBackend& Backend();

}  // namespace contract
