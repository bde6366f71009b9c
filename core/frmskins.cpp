#include "core/frmskins.h"

#include <array>
#include <optional>

#include "core/jpeg.h"
#include "ui/layout.h"

namespace core {

namespace {

constexpr std::string_view kIntro =
    "You can select a background skin for your Vostrel software. Simply select a skin option "
    "below, then click the \"Apply\" button.";
constexpr std::string_view kSkinNotSaved =
    "An error occurred while saving the skin settings. It appears to be a space error or "
    "registry error. You will not be able to use the skin settings while this error is "
    "happening.";

// The radio buttons in the order a stored name and the selection are
// tested; a name none of them has is "No Skin".
struct SkinRow {
  ui::RadioButton TFrmSkins::*radio;
  std::string_view name;
};
constexpr auto kSkins = std::to_array<SkinRow>({
    {&TFrmSkins::RadShark, "skinshark"},
    {&TFrmSkins::RadSunset, "skinsunset"},
    {&TFrmSkins::RadWildlife, "skinwildlife"},
    {&TFrmSkins::RadNYC, "skinnyc"},
    {&TFrmSkins::RadOcean, "skinocean"},
});
static_assert(kSkins.size() == 5);

}  // namespace

std::string SkinPicturePath(const Uglobalvars& g, std::string_view name) {
  return g.ProgramDir + "\\" + std::string(name) + ".jpg";
}

bool ShowSkin(Uglobalvars& g, ui::Picture& picture) {
  if (g.SkinImagePath == kNoSkin) {
    picture.ClearImage();
    return true;
  }
  platform::FileSystem& fs = g.Platform().fs;
  std::optional<ui::Image> image;
  if (fs.Exists(g.SkinImagePath)) image = DecodeJpegFile(fs, g.SkinImagePath);
  if (!image || image->Empty()) return false;
  picture.SetImage(std::move(*image));
  return true;
}

TFrmSkins::TFrmSkins(Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmSkins", "FrmSkins", 470, 248), g_(g) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetPositionRule(ui::Position::kScreenCenter);
  Label1.SetWordWrap(true);
  Label1.SetCaption(std::string(kIntro));
  Image1.SetStretch(true);
  CmdApply.SetModalResult(1);
  RadNone.OnClick = [this] { SkinClick(); };
  for (const SkinRow& row : kSkins) (this->*row.radio).OnClick = [this] { SkinClick(); };
  ui::StackTexts({&Label1}, {&GrpSkins, &Image1, &CmdApply}, 8);
}

void TFrmSkins::SelectSkin(std::string_view name) {
  ui::RadioButton* radio = &RadNone;
  for (const SkinRow& row : kSkins) {
    if (row.name == name) {
      radio = &(this->*row.radio);
      break;
    }
  }
  radio->SetChecked(true);
  SkinClick();
}

std::string_view TFrmSkins::SelectedSkin() const {
  for (const SkinRow& row : kSkins) {
    if ((this->*row.radio).Checked()) return row.name;
  }
  return kNoSkin;
}

void TFrmSkins::SkinClick() {
  const std::string_view name = SelectedSkin();
  g_.SkinImagePath = name == kNoSkin ? std::string(kNoSkin) : SkinPicturePath(g_, name);
  ShowSkin(g_, Image1);
}

void TFrmSkins::Choose(Uglobalvars& g, ui::Window& owner, ui::Picture& background) {
  {
    TFrmSkins skins(g);
    skins.SetOwnerWindow(&owner);
    skins.SelectSkin(g.settings.Skin);
    skins.ShowModal();
    if (auto key = g.OpenSettingsKey(false)) {
      g.settings.Skin = std::string(skins.SelectedSkin());
      key->WriteString("Skin", g.settings.Skin);
    } else {
      skins.System().Error(kSkinNotSaved);
    }
  }
  ShowSkin(g, background);
}

}  // namespace core
