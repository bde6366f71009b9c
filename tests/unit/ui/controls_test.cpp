#include <gtest/gtest.h>

#include "ui/controls.h"
#include "ui/headless/headless.h"
#include "ui/window.h"

namespace ui {
namespace {

class TwoRadios : public Window {
 public:
  explicit TwoRadios(WindowSystem& ws) : Window(ws, "Frmtest", "Test", 200, 100) {}
  GroupBox Group{*this, "Group", nullptr, {0, 0, 200, 100}, "Pick"};
  RadioButton OptA{*this, "OptA", &Group, {8, 16, 80, 17}, "A"};
  RadioButton OptB{*this, "OptB", &Group, {8, 36, 80, 17}, "B"};
  RadioButton Other{*this, "Other", nullptr, {8, 60, 80, 17}, "Other"};
  ListBox List{*this, "List", nullptr, {0, 0, 100, 100}, true};
  Button CmdOk{*this, "CmdOk", nullptr, {0, 0, 75, 25}, "OK"};
};

TEST(Controls, RadioButtonsClearOnlyTheirOwnGroup) {
  HeadlessWindowSystem ws;
  TwoRadios w(ws);
  w.Other.SetChecked(true);
  w.OptA.Click();
  w.OptB.Click();
  EXPECT_FALSE(w.OptA.Checked());
  EXPECT_TRUE(w.OptB.Checked());
  EXPECT_TRUE(w.Other.Checked());
}

TEST(Controls, ControlsAreFoundByNameInLayoutOrder) {
  HeadlessWindowSystem ws;
  TwoRadios w(ws);
  ASSERT_EQ(w.Controls().size(), 6u);
  EXPECT_EQ(w.Controls()[1]->Name(), "OptA");
  EXPECT_EQ(w.Find("CmdOk"), &w.CmdOk);
  EXPECT_EQ(w.Find("Nothing"), nullptr);
}

TEST(Controls, MultiSelectListTogglesAndDeletingShiftsSelection) {
  HeadlessWindowSystem ws;
  TwoRadios w(ws);
  w.List.SetItems({"a", "b", "c"});
  w.List.ClickItem(0);
  w.List.ClickItem(2);
  EXPECT_EQ(w.List.SelCount(), 2);
  w.List.Delete(1);
  EXPECT_TRUE(w.List.Selected(0));
  EXPECT_TRUE(w.List.Selected(1));
  EXPECT_EQ(w.List.Item(1), "c");
  EXPECT_EQ(w.List.ItemIndex(), 1);
}

TEST(Controls, DisabledOrHiddenControlsIgnoreClicks) {
  HeadlessWindowSystem ws;
  TwoRadios w(ws);
  int clicks = 0;
  w.CmdOk.OnClick = [&] { ++clicks; };
  w.CmdOk.SetEnabled(false);
  w.CmdOk.Click();
  w.CmdOk.SetEnabled(true);
  w.Group.SetVisible(false);
  w.OptA.Click();
  EXPECT_FALSE(w.OptA.Checked());
  w.CmdOk.Click();
  EXPECT_EQ(clicks, 1);
}

TEST(Window, ModalResultFromButtonEndsShowModalAndStoresSize) {
  struct Memory : SizeMemory {
    int ReadWidth(const std::string&) override { return 500; }
    int ReadHeight(const std::string&) override { return 0; }
    void Write(const std::string& s, int w, int h) override {
      written = s + " " + std::to_string(w) + "x" + std::to_string(h);
    }
    std::string written;
  } memory;
  HeadlessWindowSystem ws;
  TwoRadios w(ws);
  w.CmdOk.SetModalResult(1);
  w.UseSizeMemory(&memory);
  ws.WhileModal("Frmtest", [](Window& win) { static_cast<TwoRadios&>(win).CmdOk.Click(); });
  EXPECT_EQ(w.ShowModal(), 1);
  EXPECT_FALSE(w.Visible());
  // Width restored, height kept at the designed 100 + frame and caption.
  EXPECT_EQ(memory.written, "Frmtest 500x127");
}

TEST(Window, RefusedCloseQueryKeepsTheWindowOpen) {
  HeadlessWindowSystem ws;
  TwoRadios w(ws);
  bool allow = false;
  w.OnCloseQuery = [&](bool& can) { can = allow; };
  w.Show();
  EXPECT_FALSE(w.Close());
  EXPECT_TRUE(w.Visible());
  allow = true;
  EXPECT_TRUE(w.Close());
  EXPECT_FALSE(w.Visible());
}

TEST(Dialogs, UnscriptedConfirmationAnswersNoAndIsRecorded) {
  HeadlessWindowSystem ws;
  ws.SetTitle("Vostrel");
  ws.Answer(Answer::kYes);
  EXPECT_TRUE(ws.Confirm("First?"));
  EXPECT_FALSE(ws.Confirm("Second?"));
  ws.ShowMessage("Done");
  ASSERT_EQ(ws.Boxes().size(), 3u);
  EXPECT_TRUE(ws.Boxes()[0].scripted);
  EXPECT_FALSE(ws.Boxes()[1].scripted);
  EXPECT_EQ(ws.Boxes()[2].kind, BoxKind::kPlain);
  EXPECT_EQ(ws.Boxes()[2].title, "Vostrel");
}

}  // namespace
}  // namespace ui
