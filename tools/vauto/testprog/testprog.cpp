// A tiny Win32 program for vauto's own self-test: one window with a control of
// each kind vauto drives, named through the "VostrelName" property the way our
// window system names its controls. Every input is echoed into a label so a
// script can see that the program received it.
//
//   vauto_testprog.exe [exit-code]   exits with that code when closed
#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <cstdlib>
#include <string>

namespace {

constexpr wchar_t kCaption[] = L"vauto self-test";

enum Id : int {
  kCmdAsk = 100,
  kLblAnswer,
  kChkOption,
  kLblOption,
  kListItems,
  kCboKind,
  kTxtName,
  kTabPages,
  kLblPicked,
  kCmdDisabled,
  kLblHidden,
  kCmdSave,
  kOptRed,
  kOptBlue,
  kScrLevel,
};

struct ControlRow {
  const wchar_t* name;
  const wchar_t* window_class;
  const wchar_t* text;
  DWORD style;
  int id;
  int x, y, width, height;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

constexpr ControlRow kControls[] = {
    {L"CmdAsk", L"BUTTON", L"&Ask", kChild | BS_PUSHBUTTON, kCmdAsk, 10, 10, 90, 26},
    {L"LblAnswer", L"STATIC", L"", WS_CHILD | WS_VISIBLE, kLblAnswer, 110, 15, 250, 20},
    {L"ChkOption", L"BUTTON", L"&Option", kChild | BS_AUTOCHECKBOX, kChkOption, 10, 45, 90, 20},
    {L"LblOption", L"STATIC", L"off", WS_CHILD | WS_VISIBLE, kLblOption, 110, 47, 100, 20},
    {L"OptRed", L"BUTTON", L"Red", kChild | BS_AUTORADIOBUTTON | WS_GROUP, kOptRed, 220, 45, 60,
     20},
    {L"OptBlue", L"BUTTON", L"Blue", kChild | BS_AUTORADIOBUTTON, kOptBlue, 290, 45, 60, 20},
    {L"ListItems", L"LISTBOX", L"", kChild | WS_BORDER | LBS_NOTIFY, kListItems, 10, 75, 120, 70},
    {L"CboKind", L"COMBOBOX", L"", kChild | CBS_DROPDOWNLIST, kCboKind, 140, 75, 120, 100},
    {L"TxtName", L"EDIT", L"", kChild | WS_BORDER | ES_AUTOHSCROLL, kTxtName, 140, 110, 120, 22},
    {L"TabPages", WC_TABCONTROLW, L"", kChild, kTabPages, 10, 155, 250, 30},
    {L"LblPicked", L"STATIC", L"", WS_CHILD | WS_VISIBLE, kLblPicked, 10, 195, 300, 20},
    {L"CmdDisabled", L"BUTTON", L"Disabled", kChild | WS_DISABLED, kCmdDisabled, 10, 220, 90, 26},
    {L"LblHidden", L"STATIC", L"hidden", WS_CHILD, kLblHidden, 110, 225, 90, 20},
    {L"CmdSave", L"BUTTON", L"&Save", kChild | BS_PUSHBUTTON, kCmdSave, 270, 220, 90, 26},
    {L"ScrLevel", L"SCROLLBAR", L"", kChild | SBS_HORZ, kScrLevel, 270, 110, 110, 17},
};

constexpr const wchar_t* kListItemsText[] = {L"alpha", L"beta", L"gamma"};
constexpr const wchar_t* kComboItemsText[] = {L"one", L"two"};
constexpr const wchar_t* kTabsText[] = {L"First", L"Second"};

void SetName(HWND hwnd, const wchar_t* name) {
  SetPropW(hwnd, L"VostrelName",
           reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GlobalAddAtomW(name))));
}

void SetItemText(HWND form, int id, const std::wstring& text) {
  SetWindowTextW(GetDlgItem(form, id), text.c_str());
}

std::wstring ItemText(HWND list, UINT length_message, UINT text_message, LRESULT index) {
  LRESULT length = SendMessageW(list, length_message, index, 0);
  if (index < 0 || length < 0) return L"";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(list, text_message, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void CreateControls(HWND form) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlRow& row : kControls) {
    HWND hwnd = CreateWindowExW(
        0, row.window_class, row.text, row.style, row.x, row.y, row.width, row.height, form,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetName(hwnd, row.name);
  }
  HWND list = GetDlgItem(form, kListItems);
  for (const wchar_t* text : kListItemsText) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  HWND combo = GetDlgItem(form, kCboKind);
  for (const wchar_t* text : kComboItemsText) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SCROLLINFO range{sizeof(range), SIF_RANGE | SIF_POS, 0, 10, 0, 5, 0};
  SetScrollInfo(GetDlgItem(form, kScrLevel), SB_CTL, &range, FALSE);
  HWND tabs = GetDlgItem(form, kTabPages);
  int index = 0;
  for (const wchar_t* text : kTabsText) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessageW(tabs, TCM_INSERTITEMW, index++, reinterpret_cast<LPARAM>(&item));
  }
}

// Called when CmdSave is pressed: leaves traces in the registry and a file.
void Save(HWND form) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\VautoSelfTest", 0, nullptr, 0, KEY_WRITE,
                      nullptr, &key, nullptr) == ERROR_SUCCESS) {
    const wchar_t saved[] = L"yes";
    RegSetValueExW(key, L"Saved", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved), sizeof(saved));
    DWORD count = 3;
    RegSetValueExW(key, L"Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                   sizeof(count));
    RegCloseKey(key);
  }
  wchar_t path[MAX_PATH + 32] = {};
  GetTempPathW(MAX_PATH, path);
  lstrcatW(path, L"vauto-selftest.txt");
  HANDLE file =
      CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    const char text[] = "saved by the test program\r\n";
    DWORD done = 0;
    WriteFile(file, text, sizeof(text) - 1, &done, nullptr);
    CloseHandle(file);
  }
  // An INI file beside it, written as programs write their own.
  wchar_t ini[MAX_PATH + 32] = {};
  GetTempPathW(MAX_PATH, ini);
  lstrcatW(ini, L"vauto-selftest.ini");
  WritePrivateProfileStringW(L"Saved", L"By", L"the test program", ini);
  WritePrivateProfileStringW(L"Saved", L"Count", L"3", ini);
  WritePrivateProfileStringW(L"Empty", L"Key", L"", ini);
  MessageBoxW(form, L"Saved.", kCaption, MB_OK | MB_ICONINFORMATION);
}

void OnCommand(HWND form, int id, int code, HWND control) {
  switch (id) {
    case kCmdAsk: {
      int answer =
          MessageBoxW(form, L"Do you like this window?", kCaption, MB_YESNO | MB_ICONQUESTION);
      SetItemText(form, kLblAnswer, answer == IDYES ? L"You answered Yes." : L"You answered No.");
      break;
    }
    case kChkOption:
      if (code == BN_CLICKED) {
        bool on = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        SetItemText(form, kLblOption, on ? L"on" : L"off");
      }
      break;
    case kOptRed:
    case kOptBlue:
      if (code == BN_CLICKED) SetItemText(form, kLblPicked, id == kOptRed ? L"red" : L"blue");
      break;
    case kListItems:
      if (code == LBN_SELCHANGE) {
        LRESULT index = SendMessageW(control, LB_GETCURSEL, 0, 0);
        SetItemText(form, kLblPicked,
                    L"list " + ItemText(control, LB_GETTEXTLEN, LB_GETTEXT, index));
      }
      break;
    case kCboKind:
      if (code == CBN_SELCHANGE) {
        LRESULT index = SendMessageW(control, CB_GETCURSEL, 0, 0);
        SetItemText(form, kLblPicked,
                    L"combo " + ItemText(control, CB_GETLBTEXTLEN, CB_GETLBTEXT, index));
      }
      break;
    case kTxtName:
      if (code == EN_CHANGE) {
        wchar_t text[256] = {};
        GetWindowTextW(control, text, 256);
        SetItemText(form, kLblPicked, std::wstring(L"name ") + text);
      }
      break;
    case kCmdSave:
      Save(form);
      break;
  }
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateControls(hwnd);
      return 0;
    case WM_COMMAND:
      OnCommand(hwnd, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_HSCROLL: {
      // Arrow clicks move the level by one; the label shows it.
      auto bar = reinterpret_cast<HWND>(lparam);
      int position = GetScrollPos(bar, SB_CTL);
      if (LOWORD(wparam) == SB_LINERIGHT && position < 10) ++position;
      if (LOWORD(wparam) == SB_LINELEFT && position > 0) --position;
      SetScrollPos(bar, SB_CTL, position, TRUE);
      SetItemText(hwnd, kLblPicked, L"level " + std::to_wstring(position));
      return 0;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lparam);
      if (header->idFrom == kTabPages && header->code == TCN_SELCHANGE) {
        LRESULT index = SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0);
        SetItemText(hwnd, kLblPicked, L"tab " + std::to_wstring(index));
      }
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int show) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSW wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"VautoTestForm";
  RegisterClassW(&wc);
  HWND form = CreateWindowExW(0, wc.lpszClassName, kCaption, WS_OVERLAPPEDWINDOW, 40, 40, 400, 300,
                              nullptr, nullptr, instance, nullptr);
  if (!form) return 10;
  SetName(form, L"Frmtest");
  ShowWindow(form, show);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(form, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  return std::wcstol(command_line, nullptr, 10);
}
