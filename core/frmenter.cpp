#include "core/frmenter.h"

#include <string_view>

namespace core {

namespace {

// The letters of the two rows.
constexpr std::string_view kUpperText = "VOSTREL!";
constexpr std::string_view kLowerText = "CLEANER";
static_assert(kUpperText.size() == TFrmenter::kUpperCells);
static_assert(kLowerText.size() == TFrmenter::kLowerCells);

// Which cells each tick reveals (0: none): ticks 1 to 7.
struct Reveal {
  int upper_a;
  int upper_b;
  int lower;
};
constexpr auto kReveals = std::to_array<Reveal>({
    {1, 0, 1},
    {4, 0, 4},
    {3, 0, 3},
    {2, 0, 2},
    {5, 0, 5},
    {6, 0, 6},
    {7, 8, 7},
});
static_assert(kReveals.size() == 7);
constexpr int kClosingTick = 10;

constexpr ui::Color kNavy = ui::Rgb(0, 0, 128);
constexpr ui::Color kLetterColor = ui::Rgb(255, 255, 255);

}  // namespace

TFrmenter::TFrmenter(Uglobalvars& g) : ui::Window(g.Windows(), "Frmenter", "", 428, 193) {
  SetBorderStyle(ui::BorderStyle::kNone);
  SetClientSize(428, 193);
  SetPositionRule(ui::Position::kScreenCenter);
  SetColor(kNavy);

  ui::Font font{"Arial", 36, true};
  for (int n = 1; n <= kUpperCells + kLowerCells; ++n) {
    bool upper = n <= kUpperCells;
    ui::Label& cell = upper ? UpperCellLabel(n) : LowerCellLabel(n - kUpperCells);
    size_t index = static_cast<size_t>(upper ? n - 1 : n - 1 - kUpperCells);
    cell.SetCaption(std::string(1, upper ? kUpperText[index] : kLowerText[index]));
    cell.SetFont(font);
    cell.SetFontColor(kLetterColor);
    cell.SetColor(kNavy);
    cell.SetAlignment(ui::Align::kCenter);
    cell.SetVisible(false);
  }

  OnShow = [this] { FormShow(); };
  OnCloseQuery = [this](bool& can_close) { FormCloseQuery(can_close); };
  Timer1.OnTimer = [this] { Timer1Timer(); };
}

ui::Label& TFrmenter::UpperCellLabel(int n) {
  std::array<ui::Label*, kUpperCells> cells{&Upper1, &Upper2, &Upper3, &Upper4,
                                            &Upper5, &Upper6, &Upper7, &Upper8};
  return *cells.at(static_cast<size_t>(n - 1));
}

ui::Label& TFrmenter::LowerCellLabel(int n) {
  std::array<ui::Label*, kLowerCells> cells{&Lower1, &Lower2, &Lower3, &Lower4,
                                            &Lower5, &Lower6, &Lower7};
  return *cells.at(static_cast<size_t>(n - 1));
}

void TFrmenter::FormShow() {
  ticks_ = 0;
  done_ = false;
  Timer1.SetTimerEnabled(true);
}

void TFrmenter::Timer1Timer() {
  if (done_) return;
  ++ticks_;
  if (ticks_ <= static_cast<int>(kReveals.size())) {
    const Reveal& r = kReveals[static_cast<size_t>(ticks_ - 1)];
    UpperCellLabel(r.upper_a).SetVisible(true);
    if (r.upper_b) UpperCellLabel(r.upper_b).SetVisible(true);
    LowerCellLabel(r.lower).SetVisible(true);
  }
  if (ticks_ == kClosingTick) {
    done_ = true;
    Timer1.SetTimerEnabled(false);
    if (Modal()) {
      SetModalResult(1);
    } else {
      Close();
    }
  }
}

void TFrmenter::FormCloseQuery(bool& can_close) { can_close = done_; }

}  // namespace core
