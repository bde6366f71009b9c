// Small Win32 helpers for vauto: text conversion, reading windows and controls
// of another process, the registry, files and screenshots.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vauto {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
// Line breaks as "\n" (controls and boxes show "\r\n").
std::string UnixLines(std::string text);

// The control kinds vauto drives, by the window class (or the standard class
// a program's own class is built on).
enum class ControlKind {
  kButton,
  kCheck,
  kRadio,
  kGroup,
  kStatic,
  kEdit,
  kList,
  kCombo,
  kTab,
  kScrollBar,
  kOther
};
ControlKind KindOf(HWND hwnd);
std::string_view KindName(ControlKind kind);

// SendMessageTimeout with a few seconds' patience; nullopt when the window did
// not answer (hung, or busy in a modal loop started by this very message).
std::optional<LRESULT> Send(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                            UINT timeout_ms = 3000);

// The window's text read with WM_GETTEXT (works across processes).
std::optional<std::string> TextOf(HWND hwnd);
// The caption as the window manager keeps it (no message sent).
std::string CaptionOf(HWND hwnd);
// The name our window system gives each control and form: the global atom
// kept in the window property "VostrelName". Empty when there is none.
std::string NameOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);
DWORD ProcessOf(HWND hwnd);

// Items of list boxes, combo boxes and tab controls.
std::optional<int> ItemCount(HWND hwnd, ControlKind kind);
std::optional<std::string> ItemText(HWND hwnd, ControlKind kind, int index);
std::optional<int> Selection(HWND hwnd, ControlKind kind);
bool IsMultiSelect(HWND hwnd);

// "HKCU\Software\X" and a value name ("@" or "" for the default value): the
// value as text (see ReadRegistryValue in win32.cpp for the formats), or
// nullopt with `why` set.
std::optional<std::string> ReadRegistryValue(const std::string& key, const std::string& value,
                                             std::string& why);
bool RegistryKeyExists(const std::string& key, std::string& why);
// Writes a REG_SZ (`dword` false) or a REG_DWORD value, creating the key.
bool WriteRegistryValue(const std::string& key, const std::string& value, bool dword,
                        const std::string& data, std::string& why);

// %VAR% expanded.
std::wstring ExpandPath(const std::string& path);
// The file's text as UTF-8 (UTF-16 with a byte-order mark, UTF-8, or else the
// ANSI code page).
std::optional<std::string> ReadTextFile(const std::wstring& path);

// Writes the screen, or the given rectangle of it, to a 24-bit BMP file.
bool WriteScreenshot(const std::wstring& path, const RECT* area, std::string& why);

std::string LastError();

}  // namespace vauto
