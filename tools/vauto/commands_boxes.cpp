// Commands on the program's message boxes: answering one, expecting one,
// expecting none.
#include <algorithm>
#include <iterator>

#include "tools/vauto/commands.h"
#include "tools/vauto/session.h"
#include "tools/vauto/win32.h"

namespace vauto {

namespace {

struct Box {
  HWND hwnd = nullptr;
  std::string title;
  std::string text;
};

// The message boxes of the program, the most recent (topmost) first.
std::vector<Box> Boxes(const Session& s) {
  std::vector<Box> boxes;
  for (HWND hwnd : TopWindows()) {
    if (!IsWindowVisible(hwnd) || !IsMessageBoxClass(hwnd) || !s.OfProgram(hwnd) ||
        !NameOf(hwnd).empty()) {
      continue;
    }
    Box box{hwnd, CaptionOf(hwnd), {}};
    if (HWND text = GetDlgItem(hwnd, 0xFFFF)) {
      box.text = TextOf(text).value_or("");
    } else {
      for (HWND child : Descendants(hwnd)) {
        if (KindOf(child) != ControlKind::kStatic) continue;
        std::string part = TextOf(child).value_or("");
        if (part.empty()) continue;
        box.text += (box.text.empty() ? "" : "\n") + part;
      }
    }
    boxes.push_back(std::move(box));
  }
  // A box that is disabled has a newer box on top of it.
  std::stable_partition(boxes.begin(), boxes.end(),
                        [](const Box& box) { return IsWindowEnabled(box.hwnd) != FALSE; });
  return boxes;
}

std::optional<Box> WaitForBox(const Session& s, DWORD ms, std::string& why) {
  std::vector<Box> boxes;
  if (PollUntil(ms, [&] { return !(boxes = Boxes(s)).empty(); })) return boxes.front();
  why = "no message box after " + std::to_string(ms) + " ms" + s.ProgramState();
  return std::nullopt;
}

std::string Describe(const Box& box) { return "box " + Quote(box.title) + ": " + Quote(box.text); }

bool Answer(Session& s, std::string& why) {
  std::string mode;
  std::string text;
  size_t at = 1;
  if (s.ArgCount() > 2 && !s.ArgToken(1).quoted &&
      (s.Arg(1) == "expect" || s.Arg(1) == "contains")) {
    mode = s.Arg(1);
    text = s.Arg(2);
    at = 3;
  }
  std::optional<Box> box = WaitForBox(s, s.Count(at, kDefaultBoxMs), why);
  if (!box) return false;
  Info(Describe(*box));
  if ((mode == "expect" && box->text != text) ||
      (mode == "contains" && box->text.find(text) == std::string::npos)) {
    why = "the box says " + Quote(box->text) + ", not " + Quote(text);
    return false;
  }
  std::string wanted = WithoutMnemonics(s.Arg(0));
  HWND button = nullptr;
  std::string offered;
  for (HWND child : Descendants(box->hwnd)) {
    if (KindOf(child) != ControlKind::kButton || !IsWindowVisible(child)) continue;
    std::string caption = WithoutMnemonics(CaptionOf(child));
    offered += (offered.empty() ? "" : ", ") + Quote(caption);
    if (caption == wanted && !button) button = child;
  }
  if (!button) {
    why = "the box has no button " + Quote(wanted) + " (it has " + offered + ")";
    return false;
  }
  if (!IsWindowEnabled(button)) {
    why = "the button " + Quote(wanted) + " is disabled";
    return false;
  }
  // What the dialog gets when the button is pressed.
  PostMessageW(box->hwnd, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
  HWND hwnd = box->hwnd;
  if (PollUntil(kDefaultBoxMs, [&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); })) {
    Info("pressed " + Quote(wanted));
    return true;
  }
  why = "the box is still shown after pressing " + Quote(wanted);
  return false;
}

bool ExpectBox(Session& s, std::string& why) {
  std::optional<Box> box = WaitForBox(s, s.Count(1, kDefaultBoxMs), why);
  if (!box) return false;
  Info(Describe(*box));
  if (box->text == s.Arg(0)) return true;
  why = "the box says " + Quote(box->text) + ", not " + Quote(s.Arg(0));
  return false;
}

bool NoBox(Session& s, std::string& why) {
  std::vector<Box> boxes;
  if (PollUntil(s.Count(0, kDefaultAbsenceMs), [&] { return !(boxes = Boxes(s)).empty(); })) {
    why = "a message box is shown: " + Describe(boxes.front());
    return false;
  }
  return true;
}

constexpr CommandRow kBoxCommands[] = {
    {"answer", "tttn", 1, "answer <button> [expect|contains <text>] [ms]", CheckAnswerArguments,
     Answer},
    {"expect-box", "tn", 1, "expect-box <text> [ms]", nullptr, ExpectBox},
    {"no-box", "n", 0, "no-box [ms]", nullptr, NoBox},
};
static_assert(std::size(kBoxCommands) == 3);

}  // namespace

std::span<const CommandRow> BoxCommands() { return kBoxCommands; }

}  // namespace vauto
