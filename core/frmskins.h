// The skins window, TFrmSkins ("FrmSkins"): six radio buttons naming the
// background pictures installed beside the program (or none), a stretched
// preview of the one selected and "Apply". Made for one showing by the
// settings window's "Skins" button through TFrmSkins::Choose, which also
// stores the choice as `Skin` and shows it on the main window at once.
//
// Skin pictures are decoded by one routine, ShowSkin, for the preview, the
// main window's start-up and the change made here: a picture that is
// missing or does not decode is left out alike.
#pragma once

#include <string>
#include <string_view>

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

// The skin name that means no background picture; also the text the skin
// image path holds while "No Skin" is selected.
inline constexpr std::string_view kNoSkin = "skinnone";

// Program folder + "\" + name + ".jpg" (the folder ends in a backslash
// already; the doubled one resolves to the same file).
std::string SkinPicturePath(const Uglobalvars& g, std::string_view name);

// Shows the picture at the skin image path in `picture`: "skinnone"
// clears it; a file that is missing or does not decode leaves the picture
// as it is and gives false.
bool ShowSkin(Uglobalvars& g, ui::Picture& picture);

class TFrmSkins : public ui::Window {
 public:
  explicit TFrmSkins(Uglobalvars& g);

  // The skins action: shows the window (owned by `owner`) with the current
  // skin selected, stores the selection as `Skin` (the Settings key is not
  // created; when it does not open the user is told and the skin name in
  // memory stays) and then shows the selected picture in `background`,
  // whether or not it was stored.
  static void Choose(Uglobalvars& g, ui::Window& owner, ui::Picture& background);

  // Selects the radio button of a skin name (an unknown name selects
  // "No Skin") and runs the selection rule.
  void SelectSkin(std::string_view name);
  // The skin name of the selected radio button.
  std::string_view SelectedSkin() const;

  // ---- Controls, in layout order ----

  ui::Label Label1{*this, "Label1", nullptr, {8, 8, 454, 26}};
  ui::GroupBox GrpSkins{*this, "GrpSkins", nullptr, {8, 42, 240, 164}, "Skin Choices "};
  ui::RadioButton RadNone{*this, "RadNone", &GrpSkins, Choice(0), "No Skin  (Default)"};
  ui::RadioButton RadShark{*this, "RadShark", &GrpSkins, Choice(1), "Shark"};
  ui::RadioButton RadSunset{*this, "RadSunset", &GrpSkins, Choice(2), "Sunset"};
  ui::RadioButton RadWildlife{*this, "RadWildlife", &GrpSkins, Choice(3), "Wildlife "};
  ui::RadioButton RadNYC{*this, "RadNYC", &GrpSkins, Choice(4), "New York City "};
  ui::RadioButton RadOcean{*this, "RadOcean", &GrpSkins, Choice(5), "Ocean / Beach"};
  ui::Picture Image1{*this, "Image1", nullptr, {276, 48, 166, 130}};
  ui::Button CmdApply{*this, "CmdApply", nullptr, {313, 190, 91, 25}, "Apply"};

  // A radio button was clicked: the skin image path and the preview follow
  // the selection.
  void SkinClick();

 private:
  static constexpr ui::Rect Choice(int i) { return {12, 20 + 23 * i, 220, 19}; }

  Uglobalvars& g_;
};

}  // namespace core
