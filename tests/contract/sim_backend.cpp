// The contract suite's backend natively: one simulated machine for the
// whole run, with scratch folders under C:\vostcontract and scratch keys
// under HKCU\Software\VostrelContract, as the Win32 backend uses.
#include <string>

#include "platform/sim/machine.h"
#include "tests/contract/backend.h"

namespace contract {
namespace {

class SimContractBackend : public ContractBackend {
 public:
  platform::Platform& Get() override { return machine_.Platform(); }
  std::string Name() override { return "sim"; }

  std::string ScratchFolder() override {
    std::string folder = "C:\\vostcontract\\t" + std::to_string(++counter_);
    machine_.Builder().Folder(folder);
    return folder;
  }

  std::string ScratchKey() override {
    return "Software\\VostrelContract\\t" + std::to_string(++counter_);
  }

  void LockFile(const std::string& path) override { machine_.Lock(path); }
  void UnlockAll() override { machine_.UnlockAll(); }

  bool MakeBigFile(const std::string& path, uint64_t size) override {
    machine_.Builder().BigFile(path, size);
    return true;
  }

  bool OwnsRecycleBin() override { return true; }

 private:
  sim::Machine machine_;
  int counter_ = 0;
};

}  // namespace

ContractBackend& Backend() {
  static SimContractBackend backend;
  return backend;
}

}  // namespace contract
