#include "tools/vauto/win32.h"

#include <commctrl.h>

#include <cwctype>

namespace vauto {

namespace {

struct KindByClass {
  const wchar_t* class_name;
  ControlKind kind;
};

constexpr KindByClass kKindByClass[] = {
    {L"button", ControlKind::kButton},       {L"static", ControlKind::kStatic},
    {L"edit", ControlKind::kEdit},           {L"listbox", ControlKind::kList},
    {L"combobox", ControlKind::kCombo},      {L"systabcontrol32", ControlKind::kTab},
    {L"richedit20w", ControlKind::kEdit},    {L"richedit50w", ControlKind::kEdit},
    {L"scrollbar", ControlKind::kScrollBar},
};

constexpr std::string_view kKindNames[] = {"button",      "check box",  "radio button", "group box",
                                           "label",       "edit",       "list box",     "combo box",
                                           "tab control", "scroll bar", "control"};
static_assert(std::size(kKindNames) == static_cast<size_t>(ControlKind::kOther) + 1);

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

ControlKind ButtonKind(HWND hwnd) {
  switch (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return ControlKind::kCheck;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return ControlKind::kRadio;
    case BS_GROUPBOX:
      return ControlKind::kGroup;
    default:
      return ControlKind::kButton;
  }
}

// A tab's caption lives in the other process: TCM_GETITEMW needs a TCITEMW
// and a text buffer in that process's memory.
std::optional<std::string> RemoteTabText(HWND hwnd, int index) {
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               ProcessOf(hwnd));
  if (!process) return std::nullopt;
  constexpr int kChars = 512;
  SIZE_T size = sizeof(TCITEMW) + kChars * sizeof(wchar_t);
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  std::optional<std::string> result;
  if (remote) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(TCITEMW));
    item.cchTextMax = kChars;
    wchar_t text[kChars] = {};
    SIZE_T done = 0;
    if (WriteProcessMemory(process, remote, &item, sizeof(item), &done) &&
        WriteProcessMemory(process, remote + sizeof(TCITEMW), text, sizeof(text), &done)) {
      std::optional<LRESULT> ok = Send(hwnd, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(remote));
      if (ok && *ok &&
          ReadProcessMemory(process, remote + sizeof(TCITEMW), text, sizeof(text), &done)) {
        text[kChars - 1] = 0;
        result = Utf8(text);
      }
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return result;
}

struct RootKey {
  const char* name;
  HKEY key;
};

const RootKey kRootKeys[] = {
    {"HKCU", HKEY_CURRENT_USER},  {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKLM", HKEY_LOCAL_MACHINE}, {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKCR", HKEY_CLASSES_ROOT},  {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKU", HKEY_USERS},          {"HKEY_USERS", HKEY_USERS},
};

bool OpenKey(const std::string& path, HKEY& key, std::string& why, bool create = false) {
  size_t slash = path.find('\\');
  std::string root = path.substr(0, slash);
  std::string sub = slash == std::string::npos ? std::string() : path.substr(slash + 1);
  for (const RootKey& candidate : kRootKeys) {
    if (root != candidate.name) continue;
    LONG rc = create ? RegCreateKeyExW(candidate.key, Wide(sub).c_str(), 0, nullptr, 0,
                                       KEY_READ | KEY_WRITE, nullptr, &key, nullptr)
                     : RegOpenKeyExW(candidate.key, Wide(sub).c_str(), 0, KEY_READ, &key);
    if (rc == ERROR_SUCCESS) return true;
    why = rc == ERROR_FILE_NOT_FOUND
              ? "no key " + path
              : "cannot open " + path + " (error " + std::to_string(rc) + ")";
    return false;
  }
  why = "the key must start with HKCU, HKLM, HKCR or HKU: " + path;
  return false;
}

std::string Hex(const BYTE* data, DWORD size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (DWORD i = 0; i < size; ++i) {
    if (i) out += ' ';
    out += kDigits[data[i] >> 4];
    out += kDigits[data[i] & 15];
  }
  return out;
}

}  // namespace

std::wstring Wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Utf8(std::wstring_view wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::string UnixLines(std::string text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

ControlKind KindOf(HWND hwnd) {
  wchar_t buffer[128] = {};
  std::wstring real;
  if (RealGetWindowClassW(hwnd, buffer, 128)) real = Lower(buffer);
  std::wstring own = Lower(ClassOf(hwnd));
  for (const KindByClass& entry : kKindByClass) {
    if (real == entry.class_name || own == entry.class_name) {
      return entry.kind == ControlKind::kButton ? ButtonKind(hwnd) : entry.kind;
    }
  }
  return ControlKind::kOther;
}

std::string_view KindName(ControlKind kind) { return kKindNames[static_cast<size_t>(kind)]; }

std::optional<LRESULT> Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                            UINT timeout_ms) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, message, wparam, lparam, SMTO_NORMAL, timeout_ms, &result)) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

std::optional<std::string> TextOf(HWND hwnd) {
  std::optional<LRESULT> length = Send(hwnd, WM_GETTEXTLENGTH, 0, 0);
  if (!length) return std::nullopt;
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  std::optional<LRESULT> got =
      Send(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (!got) return std::nullopt;
  text.resize(static_cast<size_t>(*got) < text.size() ? static_cast<size_t>(*got) : 0);
  return UnixLines(Utf8(text));
}

std::string CaptionOf(HWND hwnd) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(hwnd, buffer, 1024);
  return Utf8(buffer);
}

std::string NameOf(HWND hwnd) {
  HANDLE value = GetPropW(hwnd, L"VostrelName");
  if (!value) return {};
  wchar_t buffer[256] = {};
  UINT n = GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<UINT_PTR>(value)), buffer, 256);
  return Utf8(std::wstring_view(buffer, n));
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t buffer[256] = {};
  GetClassNameW(hwnd, buffer, 256);
  return buffer;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

std::optional<int> ItemCount(HWND hwnd, ControlKind kind) {
  UINT message = kind == ControlKind::kList    ? LB_GETCOUNT
                 : kind == ControlKind::kCombo ? CB_GETCOUNT
                 : kind == ControlKind::kTab   ? TCM_GETITEMCOUNT
                                               : 0;
  if (!message) return std::nullopt;
  std::optional<LRESULT> n = Send(hwnd, message, 0, 0);
  if (!n || *n < 0) return std::nullopt;
  return static_cast<int>(*n);
}

std::optional<std::string> ItemText(HWND hwnd, ControlKind kind, int index) {
  if (kind == ControlKind::kTab) return RemoteTabText(hwnd, index);
  UINT length_message = kind == ControlKind::kList ? LB_GETTEXTLEN : CB_GETLBTEXTLEN;
  UINT text_message = kind == ControlKind::kList ? LB_GETTEXT : CB_GETLBTEXT;
  if (kind != ControlKind::kList && kind != ControlKind::kCombo) return std::nullopt;
  std::optional<LRESULT> length = Send(hwnd, length_message, index, 0);
  if (!length || *length < 0) return std::nullopt;
  std::wstring text(static_cast<size_t>(*length) + 1, L'\0');
  std::optional<LRESULT> got =
      Send(hwnd, text_message, index, reinterpret_cast<LPARAM>(text.data()));
  if (!got || *got < 0) return std::nullopt;
  text.resize(static_cast<size_t>(*got) < text.size() ? static_cast<size_t>(*got) : 0);
  return Utf8(text);
}

bool IsMultiSelect(HWND hwnd) {
  return (GetWindowLongW(hwnd, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

std::optional<int> Selection(HWND hwnd, ControlKind kind) {
  UINT message = kind == ControlKind::kList    ? LB_GETCURSEL
                 : kind == ControlKind::kCombo ? CB_GETCURSEL
                 : kind == ControlKind::kTab   ? TCM_GETCURSEL
                                               : 0;
  if (!message) return std::nullopt;
  std::optional<LRESULT> n = Send(hwnd, message, 0, 0);
  if (!n) return std::nullopt;
  return static_cast<int>(*n);
}

// Formats: strings as they are (a multi-string's parts joined by line
// breaks), DWORD and QWORD as decimal numbers, anything else as hex bytes
// "0a 1b ...".
std::optional<std::string> ReadRegistryValue(const std::string& key, const std::string& value,
                                             std::string& why) {
  HKEY handle = nullptr;
  if (!OpenKey(key, handle, why)) return std::nullopt;
  std::wstring name = value == "@" ? std::wstring() : Wide(value);
  DWORD type = 0;
  DWORD size = 0;
  LONG rc = RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data(size + sizeof(wchar_t) * 2, 0);
  if (rc == ERROR_SUCCESS) {
    rc = RegQueryValueExW(handle, name.c_str(), nullptr, &type, data.data(), &size);
  }
  RegCloseKey(handle);
  if (rc != ERROR_SUCCESS) {
    why = rc == ERROR_FILE_NOT_FOUND
              ? "no value '" + value + "' in " + key
              : "cannot read '" + value + "' (error " + std::to_string(rc) + ")";
    return std::nullopt;
  }
  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return Utf8(reinterpret_cast<const wchar_t*>(data.data()));
    case REG_MULTI_SZ: {
      std::wstring_view all(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
      while (!all.empty() && all.back() == 0) all.remove_suffix(1);
      std::string out = Utf8(all);
      for (char& c : out) c = c == '\0' ? '\n' : c;
      return out;
    }
    case REG_DWORD:
      if (size == 4) return std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
      break;
    case REG_QWORD:
      if (size == 8) return std::to_string(*reinterpret_cast<const ULONGLONG*>(data.data()));
      break;
  }
  return Hex(data.data(), size);
}

bool RegistryKeyExists(const std::string& key, std::string& why) {
  HKEY handle = nullptr;
  if (!OpenKey(key, handle, why)) return false;
  RegCloseKey(handle);
  return true;
}

bool WriteRegistryValue(const std::string& key, const std::string& value, bool dword,
                        const std::string& data, std::string& why) {
  HKEY handle = nullptr;
  if (!OpenKey(key, handle, why, true)) return false;
  std::wstring name = value == "@" ? std::wstring() : Wide(value);
  LONG rc;
  if (dword) {
    DWORD number = static_cast<DWORD>(std::stoul(data));
    rc = RegSetValueExW(handle, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                        sizeof(number));
  } else {
    std::wstring text = Wide(data);
    rc =
        RegSetValueExW(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(handle);
  if (rc == ERROR_SUCCESS) return true;
  why = "cannot write '" + value + "' in " + key + " (error " + std::to_string(rc) + ")";
  return false;
}

std::wstring ExpandPath(const std::string& path) {
  std::wstring wide = Wide(path);
  DWORD n = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
  if (!n) return wide;
  std::wstring out(n, L'\0');
  ExpandEnvironmentStringsW(wide.c_str(), out.data(), n);
  out.resize(n - 1);
  return out;
}

std::optional<std::string> ReadTextFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got) bytes.append(buffer, got);
  CloseHandle(file);
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    return Utf8(std::wstring_view(reinterpret_cast<const wchar_t*>(bytes.data() + 2),
                                  (bytes.size() - 2) / 2));
  }
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) return bytes.substr(3);
  if (bytes.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, 0)) {
    return bytes;
  }
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return Utf8(wide);
}

bool WriteScreenshot(const std::wstring& path, const RECT* area, std::string& why) {
  RECT rect{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  rect.right = rect.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  rect.bottom = rect.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (area && !IntersectRect(&rect, &rect, area)) {
    why = "the window is off the screen";
    return false;
  }
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as BMP files store rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = stride * static_cast<DWORD>(height);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  bool ok = false;
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    SelectObject(memory, old);
    if (!ok) why = "BitBlt failed: " + LastError();
  } else {
    why = "cannot make a bitmap: " + LastError();
  }
  if (ok) {
    BITMAPFILEHEADER file_header{};
    file_header.bfType = 0x4D42;  // "BM"
    file_header.bfOffBits = sizeof(file_header) + sizeof(header);
    file_header.bfSize = file_header.bfOffBits + header.biSizeImage;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    ok = file != INVALID_HANDLE_VALUE &&
         WriteFile(file, &file_header, sizeof(file_header), &done, nullptr) &&
         WriteFile(file, &header, sizeof(header), &done, nullptr) &&
         WriteFile(file, bits, header.biSizeImage, &done, nullptr);
    if (!ok) why = "cannot write " + Utf8(path) + ": " + LastError();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

std::string LastError() {
  DWORD code = GetLastError();
  wchar_t* text = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string out = "error " + std::to_string(code);
  if (text) {
    std::string message = Utf8(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
      message.pop_back();
    }
    out += " (" + message + ")";
    LocalFree(text);
  }
  return out;
}

}  // namespace vauto
