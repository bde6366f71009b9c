#include "ui/win32/win32_window_system.h"

#include "ui/win32/internal.h"
// The dialog headers need <windows.h> first.
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "ui/win32/input_box.h"

namespace ui {

namespace win32 {

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  WindowPeer* peer = nullptr;
  if (message == WM_NCCREATE) {
    peer = static_cast<WindowPeer*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(peer));
  } else {
    peer = reinterpret_cast<WindowPeer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!peer) return DefWindowProcW(hwnd, message, wparam, lparam);
  CallDepth depth(peer->GetState());
  try {
    if (message == WM_NCCREATE) peer->Attach(hwnd);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      peer->Destroyed();
      return DefWindowProcW(hwnd, message, wparam, lparam);
    }
    return peer->HandleMessage(message, wparam, lparam);
  } catch (...) {
    // Last guard: a failing handler must not unwind through the system.
    return 0;
  }
}

DWORD StyleFor(BorderStyle border) {
  switch (border) {
    case BorderStyle::kDialog:
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    case BorderStyle::kSingle:
      return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    case BorderStyle::kNone:
      return WS_POPUP;
    case BorderStyle::kSizeable:
      break;
  }
  return WS_OVERLAPPEDWINDOW;
}

}  // namespace

std::wstring FilterForDialog(std::string_view filter) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start <= filter.size()) {
    size_t bar = filter.find('|', start);
    if (bar == std::string_view::npos) bar = filter.size();
    parts.push_back(Widen(filter.substr(start, bar - start)));
    start = bar + 1;
  }
  std::wstring out;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    out += parts[i];
    out.push_back(L'\0');
    out += parts[i + 1];
    out.push_back(L'\0');
  }
  if (!out.empty()) out.push_back(L'\0');
  return out;
}

namespace {

// The answer that changes nothing, for a box that could not be shown.
Answer SafeAnswer(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return Answer::kOk;
    case Buttons::kYesNo:
      return Answer::kNo;
    case Buttons::kOkCancel:
    case Buttons::kYesNoCancel:
      break;
  }
  return Answer::kCancel;
}

}  // namespace

WindowPeer::WindowPeer(State& state, ui::Window& window) : state_(state), window_(window) {}

WindowPeer::~WindowPeer() {
  if (hwnd_) {
    HWND hwnd = hwnd_;
    DestroyWindow(hwnd);
  }
}

void WindowPeer::Realise() {
  DWORD style = StyleFor(window_.GetBorderStyle()) | WS_CLIPCHILDREN;
  DWORD ex_style = WS_EX_CONTROLPARENT;
  if (window_.GetBorderStyle() == BorderStyle::kDialog) ex_style |= WS_EX_DLGMODALFRAME;
  HWND owner = nullptr;
  if (ui::Window* o = window_.OwnerWindow()) {
    if (WindowPeer* peer = state_.PeerOf(*o)) owner = peer->Hwnd();
  }
  CreateWindowExW(ex_style, kWindowClass, Widen(window_.Caption()).c_str(), style, window_.Left(),
                  window_.Top(), window_.Width(), window_.Height(), owner, nullptr, state_.instance,
                  this);
  if (!hwnd_) return;
  SetName(hwnd_, window_.Name());
  for (Control* control : window_.Controls()) CreateControl(*control);
  // Pictures are backgrounds: everything else lies on them.
  for (const auto& peer : controls_) {
    if (peer->Hwnd() && peer->Model()->GetKind() == Kind::kPicture) {
      SetWindowPos(peer->Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  window_.SetPeer(this);
  window_.SetRealised(true);
}

void WindowPeer::CreateControl(Control& control) {
  if (PeerOf(&control)) return;
  HWND parent = hwnd_;
  if (Control* container = control.Parent()) {
    CreateControl(*container);
    ControlPeerBase* peer = PeerOf(container);
    if (peer && peer->Hwnd()) parent = peer->Hwnd();
  }
  int id = 1000 + static_cast<int>(controls_.size());
  controls_.push_back(MakePeer(*this, control));
  ControlPeerBase* peer = controls_.back().get();
  by_id_[id] = peer;
  by_control_[&control] = peer;
  peer->Realise(parent, id);
}

ControlPeerBase* WindowPeer::PeerOf(const Control* control) const {
  auto it = by_control_.find(control);
  return it == by_control_.end() ? nullptr : it->second;
}

void WindowPeer::Update(Prop prop) {
  if (!hwnd_ || updating_) return;
  ++updating_;
  switch (prop) {
    case Prop::kCaption:
      SetWindowTextW(hwnd_, Widen(window_.Caption()).c_str());
      break;
    case Prop::kBounds:
      if (IsIconic(hwnd_)) {
        // Minimised: the new size is the one it comes back with.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(hwnd_, &placement);
        placement.rcNormalPosition =
            RECT{window_.Left(), window_.Top(), window_.Left() + window_.Width(),
                 window_.Top() + window_.Height()};
        placement.showCmd = IsWindowVisible(hwnd_) ? SW_SHOWMINNOACTIVE : SW_HIDE;
        SetWindowPlacement(hwnd_, &placement);
      } else {
        SetWindowPos(hwnd_, nullptr, window_.Left(), window_.Top(), window_.Width(),
                     window_.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
      }
      break;
    case Prop::kColor:
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    default:
      break;
  }
  --updating_;
}

HWND WindowPeer::Tooltip() {
  if (!tooltip_ && hwnd_) {
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, state_.instance, nullptr);
    if (tooltip_) SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
  }
  return tooltip_;
}

COLORREF WindowPeer::Background() const {
  Color c = window_.GetColor();
  return c != kDefaultColor ? c : GetSysColor(COLOR_BTNFACE);
}

void WindowPeer::FocusFirst() {
  if (!hwnd_) return;
  HWND focus = GetFocus();
  if (focus && IsChild(hwnd_, focus)) return;
  if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
}

void WindowPeer::Destroyed() {
  if (!hwnd_) return;
  RemoveName(hwnd_);
  hwnd_ = nullptr;
  tooltip_ = nullptr;
}

ControlPeerBase* WindowPeer::ButtonWithResult(int result) const {
  for (const auto& peer : controls_) {
    const Control* c = peer->Model();
    if (c && c->GetKind() == Kind::kButton &&
        static_cast<const Button*>(c)->ModalResult() == result && peer->Hwnd() &&
        IsWindowVisible(peer->Hwnd()) && IsWindowEnabled(peer->Hwnd())) {
      return peer.get();
    }
  }
  return nullptr;
}

bool WindowPeer::OnCommand(WPARAM wparam, LPARAM lparam) {
  LRESULT result = 0;
  if (lparam) return state_.RouteFromChild(WM_COMMAND, wparam, lparam, &result);
  // Enter and Escape from the dialog manager, or a control in a container
  // named by its id.
  int id = LOWORD(wparam);
  ControlPeerBase* peer = nullptr;
  if (auto it = by_id_.find(id); it != by_id_.end()) {
    peer = it->second;
  } else if (id == IDOK) {
    peer = ButtonWithResult(1);
  } else if (id == IDCANCEL) {
    peer = ButtonWithResult(2);
  }
  if (peer && peer->Model()) peer->Model()->Click();
  return peer != nullptr;
}

void WindowPeer::OnSize(WPARAM kind) {
  if (updating_ || !hwnd_) return;
  if (kind == SIZE_MINIMIZED) {
    // Keep the size it will come back with, for the size memory.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    GetWindowPlacement(hwnd_, &placement);
    const RECT& r = placement.rcNormalPosition;
    int w = r.right - r.left;
    int h = r.bottom - r.top;
    if (window_.State() == WindowState::kNormal && w > 0 && h > 0 &&
        (w != window_.RestoredWidth() || h != window_.RestoredHeight())) {
      window_.SizeChangedByUser(w, h);
    }
    window_.SetState(WindowState::kMinimised);
    return;
  }
  window_.SetState(WindowState::kNormal);
  RECT r{};
  GetWindowRect(hwnd_, &r);
  int w = r.right - r.left;
  int h = r.bottom - r.top;
  if (w != window_.Width() || h != window_.Height()) window_.SizeChangedByUser(w, h);
}

void WindowPeer::OnMove() {
  if (updating_ || !hwnd_ || IsIconic(hwnd_)) return;
  RECT r{};
  GetWindowRect(hwnd_, &r);
  if (r.left == window_.Left() && r.top == window_.Top()) return;
  ++updating_;
  window_.SetPosition(r.left, r.top);
  --updating_;
}

LRESULT WindowPeer::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_;
  LRESULT result = 0;
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wparam, lparam)) return 0;
      break;
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_DRAWITEM:
      if (state_.RouteFromChild(message, wparam, lparam, &result)) return result;
      break;
    case WM_TIMER:
      if (auto it = by_id_.find(static_cast<int>(wparam)); it != by_id_.end()) {
        it->second->OnTimer();
        return 0;
      }
      break;
    case WM_ERASEBKGND: {
      RECT rc{};
      GetClientRect(hwnd, &rc);
      FillRect(reinterpret_cast<HDC>(wparam), &rc, state_.resources.Brush(Background()));
      return 1;
    }
    case WM_SIZE:
      OnSize(wparam);
      return 0;
    case WM_MOVE:
      OnMove();
      return 0;
    case WM_CLOSE:
      window_.Close();
      return 0;
    // Log-off and shut-down send these instead of a close, to every
    // top-level window, and end the process after WM_ENDSESSION. The
    // program never refuses the end.
    case WM_QUERYENDSESSION:
      window_.SessionEnding(true);
      return TRUE;
    case WM_ENDSESSION:
      window_.SessionEnding(wparam != FALSE);
      return 0;
    case WM_ACTIVATE:
      // Keyboard focus goes back where it was when the window comes back.
      if (LOWORD(wparam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) saved_focus_ = focus;
      } else if (!HIWORD(wparam)) {
        if (saved_focus_ && IsWindow(saved_focus_) && IsChild(hwnd, saved_focus_) &&
            IsWindowVisible(saved_focus_) && IsWindowEnabled(saved_focus_)) {
          SetFocus(saved_focus_);
        } else {
          FocusFirst();
        }
        return 0;
      }
      break;
    case DM_GETDEFID:
      if (ControlPeerBase* ok = ButtonWithResult(1)) return MAKELRESULT(ok->Id(), DC_HASDEFID);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

ControlPeerBase* State::PeerOf(HWND hwnd) const {
  auto it = controls.find(hwnd);
  return it == controls.end() ? nullptr : it->second;
}

WindowPeer* State::PeerOf(const ui::Window& window) const {
  for (const auto& peer : windows) {
    if (&peer->Model() == &window) return peer.get();
  }
  return nullptr;
}

bool State::IsOurWindow(HWND hwnd) const {
  if (!hwnd) return false;
  for (const auto& peer : windows) {
    if (peer->Hwnd() == hwnd) return true;
  }
  return false;
}

void State::MarkDirty(ControlPeerBase* peer) {
  if (peer->dirty_) return;
  peer->dirty_ = true;
  dirty.push_back(peer);
}

void State::Forget(ControlPeerBase* peer) {
  if (!peer->dirty_) return;
  peer->dirty_ = false;
  dirty.erase(std::remove(dirty.begin(), dirty.end(), peer), dirty.end());
}

void State::FlushOne(ControlPeerBase* peer) {
  Forget(peer);
  bool outer = flushing;
  flushing = true;
  peer->Flush();
  flushing = outer;
}

void State::Flush() {
  if (flushing) return;
  flushing = true;
  while (!dirty.empty()) {
    ControlPeerBase* peer = dirty.front();
    dirty.erase(dirty.begin());
    peer->Flush();
  }
  flushing = false;
  if (depth == 0) graveyard.clear();
}

bool State::RouteFromChild(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_COMMAND: {
      ControlPeerBase* peer = lparam ? PeerOf(reinterpret_cast<HWND>(lparam)) : nullptr;
      if (!peer || !peer->Model()) return false;
      if (!peer->Updating()) peer->OnCommand(HIWORD(wparam));
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      ControlPeerBase* peer = header ? PeerOf(header->hwndFrom) : nullptr;
      if (!peer || !peer->Model() || peer->Updating()) return false;
      return peer->OnNotify(*header, result);
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      ControlPeerBase* peer = lparam ? PeerOf(reinterpret_cast<HWND>(lparam)) : nullptr;
      if (!peer || !peer->Model()) return false;
      if (!peer->Updating()) peer->OnScroll(LOWORD(wparam));
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: {
      ControlPeerBase* peer = PeerOf(reinterpret_cast<HWND>(lparam));
      if (!peer || !peer->Model()) return false;
      HBRUSH brush = peer->OnCtlColor(reinterpret_cast<HDC>(wparam), message);
      if (!brush) return false;
      *result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      ControlPeerBase* peer = item ? PeerOf(item->hwndItem) : nullptr;
      if (!peer || !peer->Model() || !peer->OnDrawItem(*item)) return false;
      *result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

void State::Dispatch(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  // The dialog manager gives Tab, arrow keys, Enter and Escape their
  // usual meaning in our windows.
  if (!(IsOurWindow(root) && IsDialogMessageW(root, &msg))) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Flush();
}

void State::Reenable(ModalFrame& frame) {
  for (HWND hwnd : frame.disabled) {
    if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
  }
  frame.disabled.clear();
}

}  // namespace win32

using win32::State;
using win32::Widen;
using win32::WindowPeer;

Win32WindowSystem::Win32WindowSystem(void* hinstance) : state_(std::make_unique<State>()) {
  HINSTANCE instance = static_cast<HINSTANCE>(hinstance);
  state_->instance = instance ? instance : GetModuleHandleW(nullptr);
  state_->system = this;

  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES;
  InitCommonControlsEx(&controls);
  // The folder picker needs COM on this thread.
  com_initialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));

  // The program's icon 1 in both sizes the shell asks for: the large one for
  // Alt+Tab and the taskbar, the small one for captions (shared: never freed).
  auto program_icon = [&](int metric_x, int metric_y) {
    HANDLE icon = LoadImageW(state_->instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                             GetSystemMetrics(metric_x), GetSystemMetrics(metric_y), LR_SHARED);
    if (!icon) icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    return static_cast<HICON>(icon);
  };
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = win32::WindowProc;
  window_class.hInstance = state_->instance;
  window_class.hIcon = program_icon(SM_CXICON, SM_CYICON);
  window_class.hIconSm = program_icon(SM_CXSMICON, SM_CYSMICON);
  window_class.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = win32::kWindowClass;
  RegisterClassExW(&window_class);

  WNDCLASSEXW panel_class = window_class;
  panel_class.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  panel_class.lpfnWndProc = DefWindowProcW;
  panel_class.hIcon = nullptr;
  panel_class.hIconSm = nullptr;
  panel_class.hbrBackground = nullptr;
  panel_class.lpszClassName = win32::kPanelClass;
  RegisterClassExW(&panel_class);
}

Win32WindowSystem::~Win32WindowSystem() {
  while (!state_->windows.empty()) Unrealise(state_->windows.back()->Model());
  state_->graveyard.clear();
  UnregisterClassW(win32::kPanelClass, state_->instance);
  UnregisterClassW(win32::kWindowClass, state_->instance);
  if (com_initialised_) CoUninitialize();
}

void Win32WindowSystem::Realise(Window& window) {
  if (state_->PeerOf(window)) return;
  state_->windows.push_back(std::make_unique<WindowPeer>(*state_, window));
  WindowPeer* peer = state_->windows.back().get();
  peer->Realise();
  // Without a display nothing can be created; the window then lives on
  // as state only.
  if (!peer->Hwnd()) state_->windows.pop_back();
}

void Win32WindowSystem::Unrealise(Window& window) {
  auto it = std::find_if(state_->windows.begin(), state_->windows.end(),
                         [&](const auto& p) { return &p->Model() == &window; });
  if (it == state_->windows.end()) {
    window.SetRealised(false);
    return;
  }
  for (State::ModalFrame* frame : state_->modal) {
    if (frame->window == &window) State::Reenable(*frame);
  }
  if (state_->main == &window) PostQuitMessage(0);
  std::unique_ptr<WindowPeer> peer = std::move(*it);
  state_->windows.erase(it);
  if (HWND hwnd = peer->Hwnd()) DestroyWindow(hwnd);
  for (const auto& control : peer->Controls()) {
    if (Control* c = control->Model()) c->SetPeer(nullptr);
  }
  window.SetPeer(nullptr);
  window.SetRealised(false);
  // The peer may be on the call stack (a handler that ends its own
  // window); it is freed once the outermost procedure has returned.
  state_->graveyard.push_back(std::move(peer));
  if (state_->depth == 0) state_->graveyard.clear();
}

void Win32WindowSystem::ShowWindow(Window& window, bool visible) {
  state_->Flush();
  WindowPeer* peer = state_->PeerOf(window);
  if (!peer || !peer->Hwnd()) return;
  HWND hwnd = peer->Hwnd();
  if (visible) {
    bool minimised = window.State() == WindowState::kMinimised;
    ::ShowWindow(hwnd, minimised ? SW_SHOWMINIMIZED : SW_SHOWNORMAL);
    if (!minimised) {
      SetForegroundWindow(hwnd);
      peer->FocusFirst();
    }
    UpdateWindow(hwnd);
    return;
  }
  // The windows a modal showing disabled come back first, so that the
  // owner (not some other program) becomes active.
  for (State::ModalFrame* frame : state_->modal) {
    if (frame->window != &window) continue;
    State::Reenable(*frame);
    // Its loop may sit in GetMessageW, which handles a message sent from
    // another thread (a click by UI automation) without returning; a posted
    // message makes it look at the window again.
    PostMessageW(nullptr, WM_NULL, 0, 0);
  }
  ::ShowWindow(hwnd, SW_HIDE);
  if (state_->main == &window) PostQuitMessage(0);
}

void Win32WindowSystem::RunModal(Window& window) {
  WindowPeer* peer = state_->PeerOf(window);
  if (!peer || !peer->Hwnd()) return;
  state_->Flush();
  State::ModalFrame frame{&window, {}};
  for (const auto& other : state_->windows) {
    HWND hwnd = other->Hwnd();
    if (other.get() != peer && hwnd && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
      EnableWindow(hwnd, FALSE);
      frame.disabled.push_back(hwnd);
    }
  }
  state_->modal.push_back(&frame);
  MSG msg;
  while (window.Visible() && window.Realised()) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The program is quitting: leave the quit for the outer loop.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    state_->Dispatch(msg);
  }
  state_->modal.erase(std::remove(state_->modal.begin(), state_->modal.end(), &frame),
                      state_->modal.end());
  State::Reenable(frame);
}

void Win32WindowSystem::RunMainLoop(Window& main) {
  if (!main.Visible() || !state_->PeerOf(main)) return;
  Window* outer = state_->main;
  state_->main = &main;
  state_->Flush();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) state_->Dispatch(msg);
  state_->main = outer;
}

platform::WindowHandle Win32WindowSystem::ApplicationWindow() {
  WindowPeer* peer = state_->main ? state_->PeerOf(*state_->main) : nullptr;
  return peer ? reinterpret_cast<platform::WindowHandle>(peer->Hwnd()) : 0;
}

void Win32WindowSystem::ProcessMessages() {
  state_->Flush();
  // Bounded, so that a handler that keeps posting cannot hold us here.
  MSG msg;
  for (int budget = 10000; budget > 0 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); --budget) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    state_->Dispatch(msg);
  }
}

void Win32WindowSystem::Minimise(Window& window) {
  WindowPeer* peer = state_->PeerOf(window);
  if (peer && peer->Hwnd() && IsWindowVisible(peer->Hwnd())) {
    ::ShowWindow(peer->Hwnd(), SW_MINIMIZE);
  }
}

void Win32WindowSystem::UpdateTimer(Timer& timer) {
  if (ControlPeer* peer = timer.Peer()) peer->Update(Prop::kTimer);
}

int Win32WindowSystem::SystemMetric(Metric metric) {
  switch (metric) {
    case Metric::kFrameWidth:
      return GetSystemMetrics(SM_CXFRAME);
    case Metric::kFrameHeight:
      return GetSystemMetrics(SM_CYFRAME);
    case Metric::kCaptionHeight:
      return GetSystemMetrics(SM_CYCAPTION);
    case Metric::kVScrollWidth:
      return GetSystemMetrics(SM_CXVSCROLL);
    case Metric::kScreenWidth:
      return GetSystemMetrics(SM_CXSCREEN);
    case Metric::kScreenHeight:
      return GetSystemMetrics(SM_CYSCREEN);
  }
  return 0;
}

int Win32WindowSystem::TextWidth(const Font& font, std::string_view text) {
  if (text.empty()) return 0;
  HDC dc = GetDC(nullptr);
  if (!dc) return 0;
  HGDIOBJ old = SelectObject(dc, state_->resources.Font(font));
  std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

int Win32WindowSystem::LineHeight(const Font& font) {
  return win32::LineHeightOf(state_->resources.Font(font));
}

void* Win32WindowSystem::BoxOwner() const {
  HWND active = GetActiveWindow();
  if (state_->IsOurWindow(active)) return active;
  if (!state_->modal.empty()) {
    if (WindowPeer* peer = state_->PeerOf(*state_->modal.back()->window)) return peer->Hwnd();
  }
  return nullptr;
}

Answer Win32WindowSystem::MessageBox(BoxKind kind, Buttons buttons, std::string_view text,
                                     std::string_view title) {
  state_->Flush();
  static constexpr UINT kIcons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION,
                                    MB_ICONQUESTION, 0};
  static constexpr UINT kButtons[] = {MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL};
  HWND owner = static_cast<HWND>(BoxOwner());
  UINT flags = kIcons[static_cast<int>(kind)] | kButtons[static_cast<int>(buttons)];
  if (!owner) flags |= MB_TASKMODAL;
  std::wstring caption = Widen(title.empty() ? std::string_view(Title()) : title);
  int result = MessageBoxW(owner, Widen(text).c_str(), caption.c_str(), flags);
  switch (result) {
    case IDOK:
      return Answer::kOk;
    case IDCANCEL:
      return Answer::kCancel;
    case IDYES:
      return Answer::kYes;
    case IDNO:
      return Answer::kNo;
    default:
      return win32::SafeAnswer(buttons);
  }
}

std::optional<std::string> Win32WindowSystem::InputBox(std::string_view title,
                                                       std::string_view prompt,
                                                       std::string_view initial) {
  state_->Flush();
  win32::InputBoxWindow box(*this, title.empty() ? std::string_view(Title()) : title, prompt,
                            initial);
  for (const auto& peer : state_->windows) {
    if (peer->Hwnd() == static_cast<HWND>(BoxOwner())) box.SetOwnerWindow(&peer->Model());
  }
  return box.Run();
}

std::optional<std::string> Win32WindowSystem::BrowseForFolder(std::string_view title) {
  state_->Flush();
  std::wstring caption = Widen(title);
  wchar_t display[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = static_cast<HWND>(BoxOwner());
  info.pszDisplayName = display;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  PIDLIST_ABSOLUTE list = SHBrowseForFolderW(&info);
  if (!list) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  BOOL ok = SHGetPathFromIDListW(list, path);
  CoTaskMemFree(list);
  if (!ok || !path[0]) return std::nullopt;
  return win32::Narrow(path);
}

std::optional<std::string> Win32WindowSystem::OpenFileDialog(std::string_view title,
                                                             std::string_view filter) {
  state_->Flush();
  std::wstring caption = Widen(title);
  std::wstring filters = win32::FilterForDialog(filter);
  std::vector<wchar_t> file(32768, L'\0');
  OPENFILENAMEW info{};
  info.lStructSize = sizeof(info);
  info.hwndOwner = static_cast<HWND>(BoxOwner());
  info.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
  info.nFilterIndex = 1;
  info.lpstrFile = file.data();
  info.nMaxFile = static_cast<DWORD>(file.size());
  info.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
  // The program's current folder stays where it was.
  info.Flags =
      OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&info) || !file[0]) return std::nullopt;
  return win32::Narrow(file.data());
}

}  // namespace ui
