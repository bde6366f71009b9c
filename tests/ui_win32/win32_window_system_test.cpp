// The Win32 window system against real windows (under Wine in the tests):
// state copied both ways, the names automation finds controls by, modal
// showing, boxes and the message pump.
#include "ui/win32/win32_window_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/win32/internal.h"
#include "ui/window.h"
// After <windows.h> (from internal.h).
#include <shlobj.h>

namespace {

using ui::win32::Narrow;
using ui::win32::Widen;

std::string NameOf(HWND hwnd) {
  HANDLE value = GetPropW(hwnd, ui::win32::kNameProp);
  if (!value) return {};
  wchar_t buffer[256] = {};
  UINT n = GlobalGetAtomNameW(static_cast<ATOM>(reinterpret_cast<uintptr_t>(value)), buffer, 256);
  return Narrow(std::wstring_view(buffer, n));
}

HWND ChildNamed(HWND root, const std::string& name) {
  struct Search {
    const std::string* name;
    HWND found;
  } search{&name, nullptr};
  EnumChildWindows(
      root,
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (NameOf(hwnd) != *s->name) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Our thread's top-level windows, by automation name or by class.
HWND TopLevel(const std::function<bool(HWND)>& match) {
  struct Search {
    const std::function<bool(HWND)>* match;
    HWND found;
  } search{&match, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        if (!(*s->match)(hwnd)) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND TopLevelNamed(const std::string& name) {
  return TopLevel([&](HWND hwnd) { return NameOf(hwnd) == name; });
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) {
  return SendMessageW(hwnd, message, wparam, lparam);
}

// What a control tells its parent after user input.
void Notify(HWND hwnd, WORD code) {
  Send(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code),
       reinterpret_cast<LPARAM>(hwnd));
}

std::string ListLine(HWND list, int index) {
  LRESULT length = Send(list, LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length < 0) return "<none>";
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  Send(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return Narrow(text);
}

class Sample : public ui::Window {
 public:
  explicit Sample(ui::WindowSystem& ws, std::string name = "Frmsample")
      : Window(ws, std::move(name), "Sample", 420, 320) {}
  ui::Button CmdOk{*this, "CmdOk", nullptr, {8, 8, 75, 25}, "OK"};
  ui::CheckBox ChkA{*this, "ChkA", nullptr, {8, 40, 120, 17}, "A"};
  ui::GroupBox Grp{*this, "Grp", nullptr, {140, 8, 150, 90}, "Group"};
  ui::RadioButton Rad1{*this, "Rad1", &Grp, {8, 16, 100, 17}, "One"};
  ui::RadioButton Rad2{*this, "Rad2", &Grp, {8, 36, 100, 17}, "Two"};
  ui::Button CmdInGroup{*this, "CmdInGroup", &Grp, {8, 58, 75, 25}, "In"};
  ui::RadioButton RadOther{*this, "RadOther", nullptr, {8, 64, 100, 17}, "Other"};
  ui::ListBox List{*this, "List", nullptr, {8, 100, 120, 80}};
  ui::ListBox Multi{*this, "Multi", nullptr, {140, 100, 120, 80}, true};
  ui::Edit Edt{*this, "Edt", nullptr, {8, 190, 120, 21}};
  ui::Memo Mem{*this, "Mem", nullptr, {140, 190, 120, 60}};
  ui::ComboBox Cbo{*this, "Cbo", nullptr, {300, 8, 110, 21}, true};
  ui::ScrollBar Scr{*this, "Scr", nullptr, {300, 40, 110, 17}, false};
  ui::TabControl Tabs{*this, "Tabs", nullptr, {300, 100, 110, 100}};
  ui::Label LblOnTab{*this, "LblOnTab", &Tabs, {8, 30, 90, 13}, "On tab"};
  ui::Picture Img{*this, "Img", nullptr, {0, 260, 420, 60}};
  ui::Label LblOver{*this, "LblOver", nullptr, {10, 270, 100, 20}};
  ui::Label LblPlain{*this, "LblPlain", nullptr, {200, 270, 100, 20}};
  ui::Timer Tick{*this, "Tick", 10};
};

class Win32WindowSystemTest : public ::testing::Test {
 protected:
  // Pumps messages until `done` holds or two seconds pass.
  bool PumpUntil(const std::function<bool()>& done) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      ws.ProcessMessages();
      Sleep(5);
    }
    return true;
  }

  ui::Win32WindowSystem ws{GetModuleHandleW(nullptr)};
};

TEST_F(Win32WindowSystemTest, EveryControlAndTheWindowCarryTheirNames) {
  Sample w(ws);
  w.Show();
  HWND top = TopLevelNamed("Frmsample");
  ASSERT_NE(top, nullptr);
  for (const ui::Control* c : w.Controls()) {
    if (c->GetKind() == ui::Kind::kTimer) continue;
    EXPECT_NE(ChildNamed(top, c->Name()), nullptr) << c->Name();
  }
  EXPECT_EQ(ui::win32::WindowTextOf(ChildNamed(top, "CmdOk")), "OK");
  // Controls in a container are its child windows.
  EXPECT_EQ(GetParent(ChildNamed(top, "Rad1")), ChildNamed(top, "Grp"));
  EXPECT_EQ(GetParent(ChildNamed(top, "LblOnTab")), ChildNamed(top, "Tabs"));
}

TEST_F(Win32WindowSystemTest, DestroyedWindowTakesItsNamesAlong) {
  {
    Sample w(ws, "FrmGoneSoon7");
    w.Show();
    EXPECT_NE(GlobalFindAtomW(L"FrmGoneSoon7"), 0);
    EXPECT_TRUE(w.Realised());
  }
  EXPECT_EQ(GlobalFindAtomW(L"FrmGoneSoon7"), 0);
  EXPECT_EQ(TopLevelNamed("FrmGoneSoon7"), nullptr);
}

TEST_F(Win32WindowSystemTest, ModelChangesReachTheControlsWithoutFiringEvents) {
  Sample w(ws);
  int events = 0;
  w.Edt.OnChange = [&] { ++events; };
  w.ChkA.OnClick = [&] { ++events; };
  w.Show();
  HWND top = TopLevelNamed("Frmsample");
  HWND ok = ChildNamed(top, "CmdOk");

  w.CmdOk.SetCaption("Go");
  EXPECT_EQ(ui::win32::WindowTextOf(ok), "Go");
  w.CmdOk.SetBounds({20, 10, 90, 30});
  RECT r{};
  GetWindowRect(ok, &r);
  MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.right - r.left, 90);
  w.CmdOk.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(ok));
  w.CmdOk.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(ok));

  w.ChkA.SetChecked(true);
  EXPECT_EQ(Send(ChildNamed(top, "ChkA"), BM_GETCHECK), BST_CHECKED);
  w.Edt.SetText("h\xC3\xA9llo");
  EXPECT_EQ(ui::win32::WindowTextOf(ChildNamed(top, "Edt")), "h\xC3\xA9llo");
  w.Mem.SetLines({"one", "two"});
  EXPECT_EQ(ui::win32::WindowTextOf(ChildNamed(top, "Mem")), "one\r\ntwo");
  w.Scr.SetRange(0, 10);
  w.Scr.SetPosition(7);
  EXPECT_EQ(GetScrollPos(ChildNamed(top, "Scr"), SB_CTL), 7);
  w.Tabs.SetTabs({"First", "Second"});
  w.Tabs.SetTabIndex(1);
  HWND tabs = ChildNamed(top, "Tabs");
  EXPECT_EQ(Send(tabs, TCM_GETITEMCOUNT), 2);
  EXPECT_EQ(Send(tabs, TCM_GETCURSEL), 1);
  w.Cbo.SetItems({"a", "b", "c"});
  w.Cbo.SetItemIndex(2);
  HWND cbo = ChildNamed(top, "Cbo");
  EXPECT_EQ(Send(cbo, CB_GETCOUNT), 3);
  EXPECT_EQ(Send(cbo, CB_GETCURSEL), 2);
  EXPECT_EQ(events, 0);
}

TEST_F(Win32WindowSystemTest, ListLinesFollowEveryKindOfChange) {
  Sample w(ws);
  w.Show();
  HWND top = TopLevelNamed("Frmsample");
  HWND list = ChildNamed(top, "List");
  auto same = [&] {
    if (Send(list, LB_GETCOUNT) != w.List.Count()) return false;
    for (int i = 0; i < w.List.Count(); ++i) {
      if (ListLine(list, i) != w.List.Item(i)) return false;
    }
    return true;
  };
  w.List.Add("alpha");
  w.List.Add("beta");
  w.List.Add("gamma");
  EXPECT_TRUE(same());
  w.List.Insert(1, "inserted");
  w.List.Delete(0);
  EXPECT_TRUE(same());
  w.List.SetItems({"x", "beta"});
  EXPECT_TRUE(same());
  w.List.SetItemIndex(1);
  EXPECT_EQ(Send(list, LB_GETCURSEL), 1);
  w.List.Clear();
  EXPECT_EQ(Send(list, LB_GETCOUNT), 0);

  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 3000; ++i) w.List.Add("line " + std::to_string(i));
  ws.ProcessMessages();
  EXPECT_EQ(Send(list, LB_GETCOUNT), 3000);
  EXPECT_EQ(ListLine(list, 2999), "line 2999");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));

  w.Multi.SetItems({"a", "b", "c"});
  w.Multi.SetSelected(1, true);
  w.Multi.SetHorizontalExtent(640);
  HWND multi = ChildNamed(top, "Multi");
  EXPECT_GT(Send(multi, LB_GETSEL, 1), 0);
  EXPECT_EQ(Send(multi, LB_GETSEL, 0), 0);
  EXPECT_EQ(Send(multi, LB_GETHORIZONTALEXTENT), 640);
}

TEST_F(Win32WindowSystemTest, ClicksFromOutsideRunTheHandlers) {
  Sample w(ws);
  int ok = 0, in_group = 0, ticks = 0;
  w.CmdOk.OnClick = [&] { ++ok; };
  w.CmdInGroup.OnClick = [&] { ++in_group; };
  w.ChkA.OnClick = [&] { ++ticks; };
  w.Show();
  HWND top = TopLevelNamed("Frmsample");
  Send(ChildNamed(top, "CmdOk"), BM_CLICK);
  Send(ChildNamed(top, "CmdInGroup"), BM_CLICK);
  EXPECT_EQ(ok, 1);
  EXPECT_EQ(in_group, 1);  // reported through its group box

  HWND check = ChildNamed(top, "ChkA");
  Send(check, BM_CLICK);
  EXPECT_TRUE(w.ChkA.Checked());
  Send(check, BM_CLICK);
  EXPECT_FALSE(w.ChkA.Checked());
  EXPECT_EQ(Send(check, BM_GETCHECK), BST_UNCHECKED);
  EXPECT_EQ(ticks, 2);
}

TEST_F(Win32WindowSystemTest, RadioButtonsFormOneGroupPerContainer) {
  Sample w(ws);
  w.RadOther.SetChecked(true);
  w.Show();
  HWND top = TopLevelNamed("Frmsample");
  Send(ChildNamed(top, "Rad1"), BM_CLICK);
  Send(ChildNamed(top, "Rad2"), BM_CLICK);
  EXPECT_FALSE(w.Rad1.Checked());
  EXPECT_TRUE(w.Rad2.Checked());
  EXPECT_EQ(Send(ChildNamed(top, "Rad1"), BM_GETCHECK), BST_UNCHECKED);
  EXPECT_TRUE(w.RadOther.Checked());
  EXPECT_EQ(Send(ChildNamed(top, "RadOther"), BM_GETCHECK), BST_CHECKED);
}

TEST_F(Win32WindowSystemTest, ChoicesMadeFromOutsideReachTheModel) {
  Sample w(ws);
  int list_clicks = 0, double_clicks = 0, multi_clicks = 0, combo_changes = 0;
  w.List.OnClick = [&] { ++list_clicks; };
  w.List.OnDblClick = [&] { ++double_clicks; };
  w.Multi.OnClick = [&] { ++multi_clicks; };
  w.Cbo.OnChange = [&] { ++combo_changes; };
  w.List.SetItems({"a", "b", "c"});
  w.Multi.SetItems({"a", "b", "c"});
  w.Cbo.SetItems({"x", "y", "z"});
  w.Show();
  HWND top = TopLevelNamed("Frmsample");

  HWND list = ChildNamed(top, "List");
  Send(list, LB_SETCURSEL, 1);
  Notify(list, LBN_SELCHANGE);
  EXPECT_EQ(w.List.ItemIndex(), 1);
  Notify(list, LBN_DBLCLK);
  EXPECT_EQ(list_clicks, 1);
  EXPECT_EQ(double_clicks, 1);

  HWND multi = ChildNamed(top, "Multi");
  Send(multi, LB_SETSEL, TRUE, 0);
  Notify(multi, LBN_SELCHANGE);
  EXPECT_TRUE(w.Multi.Selected(0));
  // Several lines changed at once: taken over as one click.
  Send(multi, LB_SETSEL, FALSE, -1);
  Send(multi, LB_SETSEL, TRUE, 2);
  Send(multi, LB_SETCARETINDEX, 2, FALSE);
  Notify(multi, LBN_SELCHANGE);
  EXPECT_FALSE(w.Multi.Selected(0));
  EXPECT_TRUE(w.Multi.Selected(2));
  EXPECT_EQ(w.Multi.ItemIndex(), 2);
  EXPECT_EQ(multi_clicks, 2);

  HWND cbo = ChildNamed(top, "Cbo");
  Send(cbo, CB_SETCURSEL, 2);
  Notify(cbo, CBN_SELCHANGE);
  EXPECT_EQ(w.Cbo.ItemIndex(), 2);
  EXPECT_EQ(w.Cbo.Text(), "z");
  EXPECT_EQ(combo_changes, 1);
}

TEST_F(Win32WindowSystemTest, TypingScrollingAndTabsReachTheModel) {
  Sample w(ws);
  int edits = 0, scrolls = 0, tabs = 0;
  w.Edt.OnChange = [&] { ++edits; };
  w.Scr.OnChange = [&] { ++scrolls; };
  w.Tabs.OnChange = [&] { ++tabs; };
  w.Scr.SetRange(0, 20);
  w.Tabs.SetTabs({"First", "Second"});
  w.Show();
  HWND top = TopLevelNamed("Frmsample");

  Send(ChildNamed(top, "Edt"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
  EXPECT_EQ(w.Edt.Text(), "typed");
  EXPECT_EQ(edits, 1);
  HWND memo = ChildNamed(top, "Mem");
  Send(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"line 1\r\nline 2"));
  Notify(memo, EN_CHANGE);
  EXPECT_EQ(w.Mem.Lines(), (std::vector<std::string>{"line 1", "line 2"}));

  HWND scr = ChildNamed(top, "Scr");
  Send(top, WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), reinterpret_cast<LPARAM>(scr));
  EXPECT_EQ(w.Scr.Position(), 1);
  Send(top, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), reinterpret_cast<LPARAM>(scr));
  EXPECT_EQ(w.Scr.Position(), 20);
  EXPECT_EQ(GetScrollPos(scr, SB_CTL), 20);
  EXPECT_EQ(scrolls, 2);

  Send(ChildNamed(top, "Tabs"), TCM_SETCURFOCUS, 1);
  EXPECT_EQ(w.Tabs.TabIndex(), 1);
  EXPECT_EQ(tabs, 1);
}

TEST_F(Win32WindowSystemTest, CloseBoxGoesThroughTheCloseQuery) {
  Sample w(ws);
  bool allow = false;
  w.OnCloseQuery = [&](bool& can_close) { can_close = allow; };
  w.Show();
  HWND top = TopLevelNamed("Frmsample");
  Send(top, WM_CLOSE);
  EXPECT_TRUE(w.Visible());
  EXPECT_TRUE(IsWindowVisible(top));
  allow = true;
  Send(top, WM_CLOSE);
  EXPECT_FALSE(w.Visible());
  EXPECT_FALSE(IsWindowVisible(top));
}

TEST_F(Win32WindowSystemTest, ModalShowingDisablesTheOwnerUntilItsResultIsSet) {
  Sample owner(ws);
  owner.Show();
  HWND owner_hwnd = TopLevelNamed("Frmsample");
  Sample dialog(ws, "Frmdialog");
  dialog.SetOwnerWindow(&owner);
  dialog.CmdOk.SetModalResult(1);
  bool owner_enabled_meanwhile = true;
  dialog.Tick.OnTimer = [&] {
    dialog.Tick.SetTimerEnabled(false);
    owner_enabled_meanwhile = IsWindowEnabled(owner_hwnd) != FALSE;
    PostMessageW(ChildNamed(TopLevelNamed("Frmdialog"), "CmdOk"), BM_CLICK, 0, 0);
  };
  dialog.Tick.SetTimerEnabled(true);
  EXPECT_EQ(dialog.ShowModal(), 1);
  EXPECT_FALSE(owner_enabled_meanwhile);
  EXPECT_TRUE(IsWindowEnabled(owner_hwnd));
  EXPECT_FALSE(dialog.Visible());
}

// Scripted answers for the system's own boxes: a thread timer fires inside
// their modal loops, waits for the box to be up and acts on it.
std::function<HWND()> g_find_box;
std::function<void(HWND)> g_act_on_box;

void CALLBACK BoxTimer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = g_find_box ? g_find_box() : nullptr;
  if (!box) return;
  KillTimer(nullptr, id);
  g_act_on_box(box);
}

void WhileBoxIsUp(std::function<HWND()> find, std::function<void(HWND)> act) {
  g_find_box = std::move(find);
  g_act_on_box = std::move(act);
  SetTimer(nullptr, 0, 30, BoxTimer);
}

HWND InputBoxWindow() { return TopLevelNamed("InputBox"); }

HWND VisibleBox() {
  return TopLevel([](HWND hwnd) {
    wchar_t name[32] = {};
    GetClassNameW(hwnd, name, 32);
    return std::wstring(name) == L"#32770" && IsWindowVisible(hwnd);
  });
}

bool SamePath(const std::string& a, const char* b) {
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b, -1) == CSTR_EQUAL;
}

TEST_F(Win32WindowSystemTest, InputBoxGivesTheTypedTextOrNothingWhenCancelled) {
  std::string prompt_seen, initial_seen, caption_seen;
  WhileBoxIsUp(InputBoxWindow, [&](HWND box) {
    caption_seen = ui::win32::WindowTextOf(box);
    prompt_seen = ui::win32::WindowTextOf(ChildNamed(box, "LblPrompt"));
    HWND edit = ChildNamed(box, "EdtValue");
    initial_seen = ui::win32::WindowTextOf(edit);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\new\\*.tmp"));
    PostMessageW(ChildNamed(box, "CmdOk"), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(ws.InputBox("Add", "Folder mask:", "*.*"), "C:\\new\\*.tmp");
  EXPECT_EQ(caption_seen, "Add");
  EXPECT_EQ(prompt_seen, "Folder mask:");
  EXPECT_EQ(initial_seen, "*.*");

  WhileBoxIsUp(InputBoxWindow,
               [](HWND box) { PostMessageW(ChildNamed(box, "CmdCancel"), BM_CLICK, 0, 0); });
  EXPECT_EQ(ws.InputBox("Add", "Folder mask:", "*.*"), std::nullopt);
  EXPECT_EQ(InputBoxWindow(), nullptr);
}

TEST_F(Win32WindowSystemTest, MessageBoxGivesTheAnswerUnderTheApplicationTitle) {
  ws.SetTitle("Vostrel test");
  std::string caption_seen;
  WhileBoxIsUp(VisibleBox, [&](HWND box) {
    caption_seen = ui::win32::WindowTextOf(box);
    PostMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(ws.MessageBox(ui::BoxKind::kConfirmation, ui::Buttons::kYesNo, "Sure?", ""),
            ui::Answer::kYes);
  EXPECT_EQ(caption_seen, "Vostrel test");
}

TEST_F(Win32WindowSystemTest, FolderPickerGivesTheChosenFolderOrNothing) {
  WhileBoxIsUp(VisibleBox, [](HWND box) {
    SendMessageW(box, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(L"C:\\windows"));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  std::optional<std::string> chosen = ws.BrowseForFolder("Pick a folder");
  ASSERT_TRUE(chosen.has_value());
  EXPECT_TRUE(SamePath(*chosen, "C:\\windows")) << *chosen;
  WhileBoxIsUp(VisibleBox, [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(ws.BrowseForFolder("Pick a folder"), std::nullopt);
}

TEST_F(Win32WindowSystemTest, FileDialogGivesTheChosenFileOrNothing) {
  WhileBoxIsUp(VisibleBox, [](HWND box) {
    // The file name box: cmb13 in the explorer-style dialog, edt1 in the old one.
    for (int id : {0x47c, 0x480}) SetDlgItemTextW(box, id, L"C:\\windows\\win.ini");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  std::optional<std::string> chosen = ws.OpenFileDialog("Open", "INI files|*.ini|All files|*.*");
  ASSERT_TRUE(chosen.has_value());
  EXPECT_TRUE(SamePath(*chosen, "C:\\windows\\win.ini")) << *chosen;
  WhileBoxIsUp(VisibleBox, [](HWND box) { PostMessageW(box, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(ws.OpenFileDialog("Open", ""), std::nullopt);
}

TEST_F(Win32WindowSystemTest, TimerFiresWhileMessagesArePumpedAndStopsWhenDisabled) {
  Sample w(ws);
  int fired = 0;
  w.Tick.OnTimer = [&] { ++fired; };
  w.Show();
  w.Tick.SetTimerEnabled(true);
  EXPECT_TRUE(PumpUntil([&] { return fired >= 2; }));
  w.Tick.SetTimerEnabled(false);
  int stopped_at = fired;
  for (int i = 0; i < 10; ++i) {
    ws.ProcessMessages();
    Sleep(10);
  }
  EXPECT_EQ(fired, stopped_at);
}

TEST_F(Win32WindowSystemTest, UserResizeReachesTheModelOnce) {
  Sample w(ws);
  int resized = 0;
  w.OnResize = [&] { ++resized; };
  w.Show();
  HWND top = TopLevelNamed("Frmsample");
  SetWindowPos(top, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(w.Width(), 500);
  EXPECT_EQ(w.Height(), 400);
  EXPECT_EQ(resized, 1);
  w.SetSize(450, 350);  // the model's own change is not echoed back
  RECT r{};
  GetWindowRect(top, &r);
  EXPECT_EQ(r.right - r.left, 450);
  EXPECT_EQ(resized, 2);
}

TEST_F(Win32WindowSystemTest, MinimisingKeepsTheRestoredSizeForTheSizeMemory) {
  struct Memory : ui::SizeMemory {
    int ReadWidth(const std::string&) override { return 0; }
    int ReadHeight(const std::string&) override { return 0; }
    void Write(const std::string&, int w, int h) override { written = {w, h}; }
    std::pair<int, int> written;
  } memory;
  Sample w(ws);
  w.UseSizeMemory(&memory);
  w.Show();
  std::pair<int, int> normal{w.Width(), w.Height()};
  w.Minimise();
  ws.ProcessMessages();
  EXPECT_TRUE(IsIconic(TopLevelNamed("Frmsample")));
  EXPECT_EQ(w.State(), ui::WindowState::kMinimised);
  w.Close();
  EXPECT_EQ(memory.written, normal);
}

TEST_F(Win32WindowSystemTest, TransparentLabelShowsThePictureBeneath) {
  Sample w(ws);
  ui::Image red;
  red.width = 2;
  red.height = 2;
  red.rgb = {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0};
  w.Img.SetStretch(true);
  w.Img.SetImage(red);
  w.LblOver.SetTransparent(true);
  w.Show();
  ws.ProcessMessages();
  HWND top = TopLevelNamed("Frmsample");
  auto pixel = [&](const char* name) {
    HWND hwnd = ChildNamed(top, name);
    UpdateWindow(hwnd);
    HDC dc = GetDC(hwnd);
    COLORREF c = GetPixel(dc, 50, 10);
    ReleaseDC(hwnd, dc);
    return c;
  };
  EXPECT_EQ(pixel("LblOver"), RGB(255, 0, 0));
  EXPECT_EQ(pixel("LblPlain"), GetSysColor(COLOR_BTNFACE));
}

// Visual styles ask a group box for what lies behind a child it holds
// (WM_PRINTCLIENT clipped to the child) on every paint of the child: that is
// answered by the box's fill alone, while printing the whole box still
// draws its frame and caption.
TEST_F(Win32WindowSystemTest, GroupBoxPrintsItsFrameOnlyWhenItShows) {
  Sample w(ws);
  w.Show();
  ws.ProcessMessages();
  HWND grp = ChildNamed(TopLevelNamed("Frmsample"), "Grp");
  RECT rc{};
  GetClientRect(grp, &rc);
  HDC screen = GetDC(grp);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH paper = CreateSolidBrush(RGB(255, 0, 255));
  // The pixels the box drew over the paper when printed within `clip`.
  auto print = [&](const RECT* clip) {
    SelectClipRgn(dc, nullptr);
    FillRect(dc, &rc, paper);
    if (clip) IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
    Send(grp, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SelectClipRgn(dc, nullptr);
    int drawn = 0;
    for (int y = 0; y < rc.bottom; ++y) {
      for (int x = 0; x < rc.right; ++x) drawn += GetPixel(dc, x, y) != RGB(255, 0, 255);
    }
    return drawn;
  };
  ui::Rect b = w.CmdInGroup.Bounds();
  RECT button{b.left, b.top, b.left + b.width, b.top + b.height};
  EXPECT_EQ(print(&button), 0);
  EXPECT_GT(print(nullptr), 0);
  DeleteObject(paper);
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(grp, screen);
}

// The rightmost column of a label that holds text pixels, or -1.
int RightmostInk(HWND hwnd) {
  UpdateWindow(hwnd);
  RECT rc{};
  GetClientRect(hwnd, &rc);
  HDC dc = GetDC(hwnd);
  COLORREF paper = GetPixel(dc, rc.right - 1, rc.bottom - 1);
  int right = -1;
  for (int y = 0; y < rc.bottom; ++y) {
    for (int x = right + 1; x < rc.right; ++x) {
      if (GetPixel(dc, x, y) != paper) right = x;
    }
  }
  ReleaseDC(hwnd, dc);
  return right;
}

TEST_F(Win32WindowSystemTest, LongTextWrapsOrWidensItsLabel) {
  Sample w(ws);
  w.LblPlain.SetBounds({8, 8, 240, 80});
  w.LblPlain.SetWordWrap(true);
  w.LblPlain.SetCaption(
      "You will only need to do this once, but you can always access this feature again by "
      "clicking the button on the main window.");
  const char* kLine = "A single line much longer than its label";
  w.LblOver.SetBounds({8, 100, 40, 20});
  w.LblOver.SetCaption(kLine);
  w.Show();
  ws.ProcessMessages();
  HWND top = TopLevelNamed("Frmsample");
  HWND wrapped = ChildNamed(top, "LblPlain");
  EXPECT_GT(RightmostInk(wrapped), 150);
  RECT rc{};
  GetClientRect(wrapped, &rc);
  EXPECT_EQ(rc.right, 240);  // a wrapping label keeps its width
  // A single line widens its label to the text, and all of it is drawn.
  HWND single = ChildNamed(top, "LblOver");
  GetClientRect(single, &rc);
  EXPECT_EQ(rc.right, ws.TextWidth(ui::Font{}, kLine));
  EXPECT_GT(RightmostInk(single), rc.right - 8);
}

TEST_F(Win32WindowSystemTest, TextWidthGrowsWithTheTextAndTheFont) {
  ui::Font normal;
  ui::Font big;
  big.size = 14;
  big.bold = true;
  EXPECT_EQ(ws.TextWidth(normal, ""), 0);
  EXPECT_LT(ws.TextWidth(normal, "iiii"), ws.TextWidth(normal, "WWWW"));
  EXPECT_LT(ws.TextWidth(normal, "Hello"), ws.TextWidth(big, "Hello"));
  EXPECT_EQ(ws.SystemMetric(ui::Metric::kScreenWidth), GetSystemMetrics(SM_CXSCREEN));
}

TEST_F(Win32WindowSystemTest, MemoLinesAreAppendedWithoutALengthLimit) {
  Sample w(ws);
  w.Show();
  HWND memo = ChildNamed(TopLevelNamed("Frmsample"), "Mem");
  w.Mem.AddLine("first");
  w.Mem.AddLine("second");
  EXPECT_EQ(ui::win32::WindowTextOf(memo), "first\r\nsecond");
  w.Mem.SetLines({"replaced"});
  EXPECT_EQ(ui::win32::WindowTextOf(memo), "replaced");
  std::string line(99, 'x');
  for (int i = 0; i < 500; ++i) w.Mem.AddLine(line);  // far past the default 32K
  ws.ProcessMessages();
  EXPECT_EQ(GetWindowTextLengthW(memo), static_cast<int>(w.Mem.Caption().size()));
  EXPECT_EQ(ui::win32::WindowTextOf(memo), w.Mem.Caption());
}

TEST_F(Win32WindowSystemTest, FixedPitchFacesStayFixedPitch) {
  ui::Font courier;
  courier.name = "Courier New";
  EXPECT_EQ(ws.TextWidth(courier, "iiii"), ws.TextWidth(courier, "WWWW"));
  EXPECT_GT(ws.TextWidth(courier, "i"), 0);
}

TEST(FilterForDialog, PairsBecomeNulSeparatedWithADoubleNulAtTheEnd) {
  using namespace std::string_literals;
  EXPECT_EQ(ui::win32::FilterForDialog("Text files|*.txt|All files|*.*"),
            L"Text files\0*.txt\0All files\0*.*\0\0"s);
  EXPECT_EQ(ui::win32::FilterForDialog("A|*.a|Dangling"), L"A\0*.a\0\0"s);
  EXPECT_EQ(ui::win32::FilterForDialog(""), L""s);
  EXPECT_EQ(ui::win32::FilterForDialog("Only a description"), L""s);
}

}  // namespace
