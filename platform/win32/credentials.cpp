// platform::Credentials over CredEnumerateW / CredDeleteW / CredFree,
// looked up in advapi32 at run time: Windows 9x, NT 4 and 2000 have no
// Credential Manager.
#include "platform/win32/util.h"

#include <wincred.h>

#include "platform/credentials.h"
#include "platform/win32/backend.h"

namespace win32 {
namespace {

using EnumerateFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD*, PCREDENTIALW**);
using DeleteFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD);
using FreeFn = VOID(WINAPI*)(PVOID);

class Win32Credentials : public platform::Credentials {
 public:
  Win32Credentials() {
    advapi_ = LoadLibraryW(L"advapi32.dll");
    enumerate_ = ProcAddress<EnumerateFn>(advapi_, "CredEnumerateW");
    delete_ = ProcAddress<DeleteFn>(advapi_, "CredDeleteW");
    free_ = ProcAddress<FreeFn>(advapi_, "CredFree");
  }
  ~Win32Credentials() override {
    if (advapi_) FreeLibrary(advapi_);
  }
  Win32Credentials(const Win32Credentials&) = delete;
  Win32Credentials& operator=(const Win32Credentials&) = delete;

  std::optional<std::vector<std::string>> List(std::string_view filter) override {
    if (!enumerate_ || !delete_ || !free_) return std::nullopt;
    const std::wstring wide = Widen(filter);
    DWORD count = 0;
    PCREDENTIALW* found = nullptr;
    std::vector<std::string> names;
    if (!enumerate_(filter.empty() ? nullptr : wide.c_str(), 0, &count, &found)) {
      // No credential matching is not a failure of the store.
      return names;
    }
    for (DWORD i = 0; i < count; ++i) {
      if (found[i] && found[i]->Type == CRED_TYPE_GENERIC && found[i]->TargetName)
        names.push_back(Narrow(found[i]->TargetName));
    }
    free_(found);
    return names;
  }

  platform::Status DeleteGeneric(std::string_view target) override {
    if (!delete_) return platform::Status::Fail(platform::Error::kNotFound);
    return StatusOf(delete_(Widen(target).c_str(), CRED_TYPE_GENERIC, 0));
  }

 private:
  HMODULE advapi_ = nullptr;
  EnumerateFn enumerate_ = nullptr;
  DeleteFn delete_ = nullptr;
  FreeFn free_ = nullptr;
};

}  // namespace

std::unique_ptr<platform::Credentials> MakeCredentials() {
  return std::make_unique<Win32Credentials>();
}

}  // namespace win32
