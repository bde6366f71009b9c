// platform::Shell over shell32: special folders looked up at run time, the
// Recycle Bin, and ShellExecute.
#include "platform/win32/util.h"

#include <shellapi.h>

#include "platform/shell.h"
#include "platform/win32/backend.h"

namespace win32 {
namespace {

using platform::RecycleBinInfo;

// SHGetSpecialFolderPath came with the Internet Explorer 4 shell; Windows 95
// and NT 4 without it lack the export, so the program loads SHELL32.DLL
// from the system folder it was given and asks for the function by name.
// The W form is used because paths cross our boundary as Unicode; both
// forms arrived together.
using SpecialFolderPathFn = BOOL(WINAPI*)(HWND, LPWSTR, int, BOOL);
constexpr char kSpecialFolderFunction[] = "SHGetSpecialFolderPathW";

// The loaded shell library for one lookup, released afterwards.
class ShellLibrary {
 public:
  explicit ShellLibrary(std::string_view system_folder) {
    std::string path(system_folder);
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += "SHELL32.DLL";
    if (auto wide = WidePath(path)) module_ = LoadLibraryW(wide->c_str());
  }
  ~ShellLibrary() {
    if (module_) FreeLibrary(module_);
  }
  ShellLibrary(const ShellLibrary&) = delete;
  ShellLibrary& operator=(const ShellLibrary&) = delete;

  SpecialFolderPathFn Function() const {
    return ProcAddress<SpecialFolderPathFn>(module_, kSpecialFolderFunction);
  }

 private:
  HMODULE module_ = nullptr;
};

// Recycling asks nothing and shows nothing: no confirmation, no progress
// and no error boxes (a failure is the returned code, counted by the
// caller). FOF_ALLOWUNDO is what sends the items to the Recycle Bin instead
// of deleting them.
constexpr FILEOP_FLAGS kRecycleFlags =
    FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;

class Win32Shell : public platform::Shell {
 public:
  bool HasSpecialFolderFunction(std::string_view system_folder) override {
    ShellLibrary library(system_folder);
    return library.Function() != nullptr;
  }

  std::optional<std::string> SpecialFolder(std::string_view system_folder, int csidl,
                                           bool create) override {
    ShellLibrary library(system_folder);
    SpecialFolderPathFn get = library.Function();
    if (!get) return std::nullopt;
    // The function writes nothing when it fails, so the buffer is zeroed
    // and only a TRUE result is read.
    wchar_t buffer[MAX_PATH + 1] = {};
    if (!get(nullptr, buffer, csidl, create ? TRUE : FALSE)) return std::nullopt;
    buffer[MAX_PATH] = L'\0';
    if (buffer[0] == L'\0') return std::nullopt;
    return Narrow(buffer);
  }

  int SendToRecycleBin(const std::vector<std::string>& paths) override {
    return Delete(paths, kRecycleFlags);
  }

  // The shell shows no error box of its own (the caller tells the user in
  // its own words), but it does ask before deleting anything for good.
  int RecycleItem(std::string_view path, bool ask) override {
    FILEOP_FLAGS flags = FOF_ALLOWUNDO | FOF_WANTNUKEWARNING | FOF_NOERRORUI;
    if (!ask) flags |= FOF_NOCONFIRMATION;
    return Delete({std::string(path)}, flags);
  }

  int Delete(const std::vector<std::string>& paths, FILEOP_FLAGS flags) {
    if (paths.empty()) return 0;
    // pFrom is a list of NUL-terminated names ended by an extra NUL. A name
    // with a NUL of its own would split into two names, so such a name (or
    // an over-long one) refuses the whole request.
    std::wstring from;
    for (const std::string& path : paths) {
      auto wide = WidePath(path);
      if (!wide || wide->empty()) return ERROR_INVALID_NAME;
      from += *wide;
      from += L'\0';
    }
    from += L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = flags;
    int rc = SHFileOperationW(&op);
    // A non-zero "aborted" flag with a zero result means part of the work
    // was cancelled; that is not success.
    if (rc == 0 && op.fAnyOperationsAborted) return ERROR_CANCELLED;
    return rc;
  }

  bool EmptyRecycleBin(platform::WindowHandle owner) override {
    HRESULT hr = SHEmptyRecycleBinW(reinterpret_cast<HWND>(owner), nullptr, SHERB_NOCONFIRMATION);
    if (SUCCEEDED(hr)) return true;
    // Some Windows versions report emptying an already empty bin as a
    // failure (E_UNEXPECTED); the bin is empty all the same.
    return QueryRecycleBin().items == 0;
  }

  RecycleBinInfo QueryRecycleBin() override {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof info;
    RecycleBinInfo out;
    if (FAILED(SHQueryRecycleBinW(nullptr, &info))) return out;
    out.items = info.i64NumItems > 0 ? static_cast<uint64_t>(info.i64NumItems) : 0;
    out.bytes = info.i64Size > 0 ? static_cast<uint64_t>(info.i64Size) : 0;
    return out;
  }

  int Open(std::string_view target, std::string_view parameters, std::string_view folder,
           platform::ShowCommand show) override {
    if (target.find('\0') != std::string_view::npos ||
        parameters.find('\0') != std::string_view::npos ||
        folder.find('\0') != std::string_view::npos) {
      return SE_ERR_FNF;
    }
    std::wstring wtarget = Widen(target);
    std::wstring wparameters = Widen(parameters);
    std::wstring wfolder = Widen(folder);
    // The result is an HINSTANCE only for 16-bit compatibility; it carries
    // a number, above 32 on success, which always fits an int.
    HINSTANCE rc = ShellExecuteW(
        nullptr, L"open", wtarget.c_str(), wparameters.empty() ? nullptr : wparameters.c_str(),
        wfolder.empty() ? nullptr : wfolder.c_str(),
        show == platform::ShowCommand::kMaximised ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    return static_cast<int>(reinterpret_cast<INT_PTR>(rc));
  }
};

}  // namespace

std::unique_ptr<platform::Shell> MakeShell() { return std::make_unique<Win32Shell>(); }

}  // namespace win32
