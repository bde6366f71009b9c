// The splash window, TFrmenter: the product name in large capitals, one
// letter per cell in two rows (eight cells above, seven below), revealed
// cell by cell by a 50 ms timer; it closes itself on the tenth tick and
// cannot be dismissed before.
#pragma once

#include <array>

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace core {

class TFrmenter : public ui::Window {
 public:
  explicit TFrmenter(Uglobalvars& g);

  static constexpr int kUpperCells = 8;
  static constexpr int kLowerCells = 7;

  ui::Label Upper1{*this, "Upper1", nullptr, UpperCell(0)};
  ui::Label Upper2{*this, "Upper2", nullptr, UpperCell(1)};
  ui::Label Upper3{*this, "Upper3", nullptr, UpperCell(2)};
  ui::Label Upper4{*this, "Upper4", nullptr, UpperCell(3)};
  ui::Label Upper5{*this, "Upper5", nullptr, UpperCell(4)};
  ui::Label Upper6{*this, "Upper6", nullptr, UpperCell(5)};
  ui::Label Upper7{*this, "Upper7", nullptr, UpperCell(6)};
  ui::Label Upper8{*this, "Upper8", nullptr, UpperCell(7)};
  ui::Label Lower1{*this, "Lower1", nullptr, LowerCell(0)};
  ui::Label Lower2{*this, "Lower2", nullptr, LowerCell(1)};
  ui::Label Lower3{*this, "Lower3", nullptr, LowerCell(2)};
  ui::Label Lower4{*this, "Lower4", nullptr, LowerCell(3)};
  ui::Label Lower5{*this, "Lower5", nullptr, LowerCell(4)};
  ui::Label Lower6{*this, "Lower6", nullptr, LowerCell(5)};
  ui::Label Lower7{*this, "Lower7", nullptr, LowerCell(6)};
  ui::Timer Timer1{*this, "Timer1", 50};

  // Cell `n` (1-based) of the upper or lower row.
  ui::Label& UpperCellLabel(int n);
  ui::Label& LowerCellLabel(int n);
  int Ticks() const { return ticks_; }

  void FormShow();
  void Timer1Timer();
  void FormCloseQuery(bool& can_close);

 private:
  static constexpr int kCell = 48;
  static constexpr ui::Rect UpperCell(int i) { return {22 + kCell * i, 28, kCell - 4, 60}; }
  static constexpr ui::Rect LowerCell(int i) { return {46 + kCell * i, 104, kCell - 4, 60}; }

  int ticks_ = 0;
  bool done_ = false;
};

}  // namespace core
