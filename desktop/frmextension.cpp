#include "desktop/frmextension.h"

#include <array>
#include <string_view>

#include "platform/text.h"

namespace desktop {

namespace {

constexpr std::string_view kInfo =
    "You have now chosen a folder, you can now either select a file extension that you wish to "
    "have cleaned from this folder, or type any combination of wildcard into the box below. "
    "Click \"Ok\" and you will see this folder and filter added to your cleanup list.";
constexpr std::string_view kAllWarning =
    "WARNING: *.* means remove all files in your selected folder";

// Each radio button and the mask it puts into the box.
struct MaskRow {
  ui::RadioButton TFrmExtension::*option;
  const char* mask;
};
constexpr std::array<MaskRow, 12> kMasks{{
    {&TFrmExtension::OptHtml, "*.html"},
    {&TFrmExtension::OptMpg, "*.mpg"},
    {&TFrmExtension::OptAll, "*.*"},
    {&TFrmExtension::OptWmv, "*.wmv"},
    {&TFrmExtension::OptJpg, "*.jpg"},
    {&TFrmExtension::OptExe, "*.exe"},
    {&TFrmExtension::OptTxt, "*.txt"},
    {&TFrmExtension::OptAvi, "*.avi"},
    {&TFrmExtension::OptDoc, "*.doc"},
    {&TFrmExtension::OptGif, "*.gif"},
    {&TFrmExtension::OptBmp, "*.bmp"},
    {&TFrmExtension::OptZip, "*.zip"},
}};

}  // namespace

TFrmExtension::TFrmExtension(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmExtension", "Vostrel - Customize your cleanup list", 456, 313) {
  SetClientSize(456, 313);
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetPositionRule(ui::Position::kScreenCenter);
  LblInfo.SetCaption(std::string(kInfo));
  LblInfo.SetWordWrap(true);
  LblExample3.SetWordWrap(true);
  for (const MaskRow& row : kMasks) {
    const bool warn = std::string_view(row.mask) == "*.*";
    (this->*row.option).OnClick = [this, mask = row.mask, warn] { Choose(mask, warn); };
  }
  CmdReturn.SetModalResult(1);
  CmdReturn.OnClick = [this] { CmdReturnClick(); };
}

void TFrmExtension::Choose(const char* mask, bool warn) {
  Text1.SetCaption(mask);
  if (warn) System().ShowMessage(kAllWarning);
}

void TFrmExtension::CmdReturnClick() { Text1.SetCaption(text::Trim(Text1.Caption())); }

}  // namespace desktop
