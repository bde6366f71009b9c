// Commands on the controls of the current window: input as a user gives it
// (click, select, check, set-text, scroll) and expectations on what the
// controls show.
#include <windows.h>
// After windows.h:
#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <set>

#include "tools/vauto/commands.h"
#include "tools/vauto/session.h"
#include "tools/vauto/win32.h"

namespace vauto {

namespace {

// How long an input (click, selection) may take the program to handle before
// vauto goes on anyway.
constexpr DWORD kInputMs = 10000;

// Inputs the program has handled; a callback can come after vauto stopped
// waiting for it.
std::set<ULONG_PTR> handled_inputs;
ULONG_PTR last_input = 0;

void CALLBACK InputHandled(HWND, UINT, ULONG_PTR id, LRESULT) { handled_inputs.insert(id); }

// Sends an input message and waits until the program has handled it, or
// until it shows a new window or message box meanwhile (a modal loop inside
// the handler: the message counts as handled only when that closes, so the
// next command, usually `answer`, deals with it), or kInputMs passed.
void Deliver(const Session& s, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ULONG_PTR id = ++last_input;
  std::vector<HWND> before = s.ProgramWindows();
  if (!SendMessageCallbackW(hwnd, message, wparam, lparam, InputHandled, id)) return;
  PollUntil(kInputMs, [&] {
    MSG msg;
    // The callback runs from here.
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (handled_inputs.erase(id)) return true;
    for (HWND shown : s.ProgramWindows()) {
      if (std::find(before.begin(), before.end(), shown) == before.end()) return true;
    }
    return false;
  });
}

// Sends a click the way the control gets one from the mouse.
void Press(const Session& s, HWND hwnd, ControlKind kind) {
  if (kind == ControlKind::kButton || kind == ControlKind::kCheck || kind == ControlKind::kRadio) {
    Deliver(s, hwnd, BM_CLICK, 0, 0);
    return;
  }
  RECT rect{};
  GetClientRect(hwnd, &rect);
  LPARAM at = MAKELPARAM(rect.right / 2, rect.bottom / 2);
  Send(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
  Deliver(s, hwnd, WM_LBUTTONUP, 0, at);
}

// Tells the parent about a change, as the control does after user input.
void Notify(const Session& s, HWND hwnd, WORD code) {
  WPARAM wparam = MAKEWPARAM(GetDlgCtrlID(hwnd), code);
  Deliver(s, GetParent(hwnd), WM_COMMAND, wparam, reinterpret_cast<LPARAM>(hwnd));
}

bool Usable(const Session& s, HWND hwnd, std::string& why) {
  if (!IsWindowVisible(hwnd)) {
    why = s.Label(0) + " is hidden";
    return false;
  }
  if (!IsWindowEnabled(hwnd)) {
    why = s.Label(0) + " is disabled";
    return false;
  }
  return true;
}

bool NeedKind(const Session& s, HWND hwnd, std::initializer_list<ControlKind> kinds,
              std::string& why) {
  ControlKind kind = KindOf(hwnd);
  if (std::find(kinds.begin(), kinds.end(), kind) != kinds.end()) return true;
  why =
      s.Label(0) + " is a " + std::string(KindName(kind)) + " (class " + Utf8(ClassOf(hwnd)) + ")";
  return false;
}

bool NeedItems(const Session& s, HWND hwnd, std::string& why) {
  return NeedKind(s, hwnd, {ControlKind::kList, ControlKind::kCombo, ControlKind::kTab}, why);
}

// The item index the argument gives: a number, or the item with that text.
std::optional<int> ItemIndex(HWND hwnd, ControlKind kind, const Token& arg, std::string& why) {
  if (!arg.quoted) {
    if (std::optional<std::int64_t> n = ParseInteger(arg.text)) return static_cast<int>(*n);
  }
  int count = ItemCount(hwnd, kind).value_or(0);
  for (int i = 0; i < count; ++i) {
    if (ItemText(hwnd, kind, i) == arg.text) return i;
  }
  why = "no item " + Quote(arg.text) + " among " + std::to_string(count);
  return std::nullopt;
}

std::optional<bool> Checked(HWND hwnd) {
  std::optional<LRESULT> state = Send(hwnd, BM_GETCHECK, 0, 0);
  if (!state || *state == BST_INDETERMINATE) return std::nullopt;
  return *state == BST_CHECKED;
}

// What a control shows: its text, or for lists and tabs the selected item.
std::optional<std::string> Shown(HWND hwnd) {
  ControlKind kind = KindOf(hwnd);
  if (kind == ControlKind::kList || kind == ControlKind::kTab) {
    std::optional<int> selected = Selection(hwnd, kind);
    if (!selected) return std::nullopt;
    if (*selected < 0) return std::string();
    return ItemText(hwnd, kind, *selected);
  }
  return TextOf(hwnd);
}

std::optional<int> Position(HWND hwnd) {
  std::optional<LRESULT> position = Send(hwnd, SBM_GETPOS, 0, 0);
  if (!position) return std::nullopt;
  return static_cast<int>(*position);
}

// ---- input

bool Click(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !Usable(s, hwnd, why)) return false;
  Press(s, hwnd, KindOf(hwnd));
  return true;
}

bool Select(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !NeedItems(s, hwnd, why) || !Usable(s, hwnd, why)) return false;
  ControlKind kind = KindOf(hwnd);
  std::optional<int> index = ItemIndex(hwnd, kind, s.ArgToken(1), why);
  if (!index) return false;
  int count = ItemCount(hwnd, kind).value_or(0);
  if (*index < 0 || *index >= count) {
    why =
        "item " + std::to_string(*index) + " does not exist (" + std::to_string(count) + " items)";
    return false;
  }
  if (kind == ControlKind::kTab) {
    // The tab control sends its own TCN_SELCHANGING/TCN_SELCHANGE.
    Deliver(s, hwnd, TCM_SETCURFOCUS, *index, 0);
  } else if (kind == ControlKind::kCombo) {
    Send(hwnd, CB_SETCURSEL, *index, 0);
    Notify(s, hwnd, CBN_SELCHANGE);
  } else {
    if (IsMultiSelect(hwnd)) {
      Send(hwnd, LB_SETSEL, FALSE, -1);
      Send(hwnd, LB_SETSEL, TRUE, *index);
      Send(hwnd, LB_SETCARETINDEX, *index, FALSE);
    } else {
      Send(hwnd, LB_SETCURSEL, *index, 0);
    }
    if (GetWindowLongW(hwnd, GWL_STYLE) & LBS_NOTIFY) Notify(s, hwnd, LBN_SELCHANGE);
  }
  return true;
}

bool Check(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !NeedKind(s, hwnd, {ControlKind::kCheck, ControlKind::kRadio}, why)) return false;
  bool wanted = *ParseOnOff(s.Arg(1));
  if (Checked(hwnd) == wanted) return true;
  if (!wanted && KindOf(hwnd) == ControlKind::kRadio) {
    why = "a radio button is switched off by choosing another one";
    return false;
  }
  if (!Usable(s, hwnd, why)) return false;
  Press(s, hwnd, KindOf(hwnd));
  if (PollUntil(s.ExpectMs(), [&] { return Checked(hwnd) == wanted; })) return true;
  why = "still " + std::string(wanted ? "off" : "on") + " after the click";
  return false;
}

bool SetText(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !NeedKind(s, hwnd, {ControlKind::kEdit, ControlKind::kCombo}, why) ||
      !Usable(s, hwnd, why)) {
    return false;
  }
  std::string text;
  for (char c : s.Arg(1)) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::wstring wide = Wide(text);
  Send(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  // A multi-line edit does not report WM_SETTEXT as a change; typing would.
  if (KindOf(hwnd) == ControlKind::kEdit && (GetWindowLongW(hwnd, GWL_STYLE) & ES_MULTILINE)) {
    Notify(s, hwnd, EN_CHANGE);
  }
  if (PollUntil(s.ExpectMs(), [&] { return TextOf(hwnd) == s.Arg(1); })) return true;
  why = "the text did not change";
  return false;
}

// Moves a scroll bar one line at a time, as clicks on its arrows do, so
// the program sees the same WM_HSCROLL/WM_VSCROLL a user causes.
bool Scroll(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !NeedKind(s, hwnd, {ControlKind::kScrollBar}, why) || !Usable(s, hwnd, why)) {
    return false;
  }
  int wanted = static_cast<int>(*ParseInteger(s.Arg(1)));
  int low = 0;
  int high = 0;
  Send(hwnd, SBM_GETRANGE, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  if (wanted < low || wanted > high) {
    why =
        "the range of " + s.Label(0) + " is " + std::to_string(low) + " to " + std::to_string(high);
    return false;
  }
  bool vertical = (GetWindowLongW(hwnd, GWL_STYLE) & SBS_VERT) != 0;
  UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
  HWND parent = GetParent(hwnd);
  auto control = reinterpret_cast<LPARAM>(hwnd);
  for (int steps = high - low + 1; steps > 0; --steps) {
    std::optional<int> now = Position(hwnd);
    if (!now || *now == wanted) break;
    Send(parent, message, *now < wanted ? SB_LINEDOWN : SB_LINEUP, control);
  }
  Send(parent, message, SB_ENDSCROLL, control);
  if (Position(hwnd) == wanted) return true;
  why = s.Label(0) + " stays at " + std::to_string(Position(hwnd).value_or(-1));
  return false;
}

// ---- expectations

bool ExpectText(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  return hwnd && s.Expect([&] { return Shown(hwnd); }, s.Arg(1), "the text of " + s.Label(0), why);
}

bool ExpectTextContains(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd) return false;
  std::optional<std::string> last;
  auto found = [&] {
    last = Shown(hwnd);
    return last && last->find(s.Arg(1)) != std::string::npos;
  };
  if (PollUntil(s.ExpectMs(), found)) return true;
  why = "the text of " + s.Label(0) + (last ? " is " + Quote(*last) : " cannot be read") +
        ", without " + Quote(s.Arg(1)) + " (waited " + std::to_string(s.ExpectMs()) + " ms)";
  return false;
}

bool ExpectChecked(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !NeedKind(s, hwnd, {ControlKind::kCheck, ControlKind::kRadio}, why)) return false;
  auto read = [&]() -> std::optional<std::string> {
    std::optional<LRESULT> state = Send(hwnd, BM_GETCHECK, 0, 0);
    if (!state) return std::nullopt;
    return *state == BST_CHECKED ? "on" : *state == BST_UNCHECKED ? "off" : "indeterminate";
  };
  return s.Expect(read, s.Arg(1), s.Label(0), why);
}

bool ExpectItems(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !NeedItems(s, hwnd, why)) return false;
  auto read = [&]() -> std::optional<std::string> {
    std::optional<int> n = ItemCount(hwnd, KindOf(hwnd));
    return n ? std::optional(std::to_string(*n)) : std::nullopt;
  };
  return s.Expect(read, s.Arg(1), "the item count of " + s.Label(0), why);
}

bool ExpectItem(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !NeedItems(s, hwnd, why)) return false;
  int index = static_cast<int>(s.Count(1));
  return s.Expect([&] { return ItemText(hwnd, KindOf(hwnd), index); }, s.Arg(2),
                  "item " + s.Arg(1) + " of " + s.Label(0), why);
}

// Single selection: the selected index (-1: none). Multiple selection: that
// item is among the selected ones (-1: nothing is selected).
bool ExpectSelected(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !NeedItems(s, hwnd, why)) return false;
  ControlKind kind = KindOf(hwnd);
  int wanted = static_cast<int>(*ParseInteger(s.Arg(1)));
  if (kind == ControlKind::kList && IsMultiSelect(hwnd)) {
    auto read = [&]() -> std::optional<std::string> {
      std::optional<LRESULT> r =
          wanted < 0 ? Send(hwnd, LB_GETSELCOUNT, 0, 0) : Send(hwnd, LB_GETSEL, wanted, 0);
      if (!r) return std::nullopt;
      return wanted < 0 ? (*r == 0 ? "nothing" : std::to_string(*r) + " items")
                        : (*r > 0 ? "selected" : "not selected");
    };
    return s.Expect(read, wanted < 0 ? "nothing" : "selected",
                    wanted < 0 ? "the selection of " + s.Label(0) : "item " + s.Arg(1), why);
  }
  auto read = [&]() -> std::optional<std::string> {
    std::optional<int> n = Selection(hwnd, kind);
    return n ? std::optional(std::to_string(*n)) : std::nullopt;
  };
  return s.Expect(read, std::to_string(wanted), "the selected index of " + s.Label(0), why);
}

bool ExpectPosition(Session& s, std::string& why) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd || !NeedKind(s, hwnd, {ControlKind::kScrollBar}, why)) return false;
  auto read = [&]() -> std::optional<std::string> {
    std::optional<int> position = Position(hwnd);
    return position ? std::optional(std::to_string(*position)) : std::nullopt;
  };
  return s.Expect(read, s.Arg(1), "the position of " + s.Label(0), why);
}

bool ExpectState(Session& s, std::string& why, const char* what, BOOL(WINAPI* test)(HWND),
                 bool wanted) {
  HWND hwnd = s.Control(0, why);
  if (!hwnd) return false;
  if (PollUntil(s.ExpectMs(), [&] { return (test(hwnd) != FALSE) == wanted; })) return true;
  why = s.Label(0) + " is not " + what;
  return false;
}

constexpr CommandRow kControlCommands[] = {
    {"click", "t", 1, "click <control>", nullptr, Click},
    {"select", "tt", 2, "select <control> <index|\"text\">", nullptr, Select},
    {"check", "tb", 2, "check <control> on|off", nullptr, Check},
    {"set-text", "tt", 2, "set-text <control> <text>", nullptr, SetText},
    {"expect-text", "tt", 2, "expect-text <control> <text>", nullptr, ExpectText},
    {"expect-text-contains", "tt", 2, "expect-text-contains <control> <text>", nullptr,
     ExpectTextContains},
    {"expect-checked", "tb", 2, "expect-checked <control> on|off", nullptr, ExpectChecked},
    {"expect-items", "tn", 2, "expect-items <control> <count>", nullptr, ExpectItems},
    {"expect-item", "tnt", 3, "expect-item <control> <index> <text>", nullptr, ExpectItem},
    {"expect-selected", "ti", 2, "expect-selected <control> <index|-1>", nullptr, ExpectSelected},
    {"scroll", "ti", 2, "scroll <control> <position>", nullptr, Scroll},
    {"expect-position", "ti", 2, "expect-position <control> <position>", nullptr, ExpectPosition},
    {"expect-enabled", "t", 1, "expect-enabled <control>", nullptr,
     [](Session& s, std::string& why) {
       return ExpectState(s, why, "enabled", IsWindowEnabled, true);
     }},
    {"expect-disabled", "t", 1, "expect-disabled <control>", nullptr,
     [](Session& s, std::string& why) {
       return ExpectState(s, why, "disabled", IsWindowEnabled, false);
     }},
    {"expect-visible", "t", 1, "expect-visible <control>", nullptr,
     [](Session& s, std::string& why) {
       return ExpectState(s, why, "visible", IsWindowVisible, true);
     }},
    {"expect-hidden", "t", 1, "expect-hidden <control>", nullptr,
     [](Session& s, std::string& why) {
       return ExpectState(s, why, "hidden", IsWindowVisible, false);
     }},
};
static_assert(std::size(kControlCommands) == 16);

}  // namespace

std::span<const CommandRow> ControlCommands() { return kControlCommands; }

}  // namespace vauto
