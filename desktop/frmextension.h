// The mask window of the own cleanup list, TFrmExtension ("Vostrel -
// Customize your cleanup list"): asks which files of a chosen folder to
// clean, by a typed wildcard or one of twelve common extensions. Made for
// one folder addition and released afterwards; the caller reads the mask
// box however the window was closed.
#pragma once

#include "core/uglobalvars.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace desktop {

class TFrmExtension : public ui::Window {
 public:
  explicit TFrmExtension(core::Uglobalvars& g);

  ui::Label LblInfo{*this, "LblInfo", nullptr, {8, 8, 440, 56}};
  ui::Label LblMask{*this, "LblMask", nullptr, {8, 72, 150, 15}, "Type any file wildcard:"};
  ui::Edit Text1{*this, "Text1", nullptr, {160, 68, 160, 21}};
  ui::GroupBox GrpExt{*this,
                      "GrpExt",
                      nullptr,
                      {8, 98, 440, 108},
                      "Choose a common file extension or simply type any filter yourself into "
                      "the box above"};
  ui::RadioButton OptHtml{*this, "OptHtml", &GrpExt, Cell(0), "Html files"};
  ui::RadioButton OptMpg{*this, "OptMpg", &GrpExt, Cell(1), "Mpg files"};
  ui::RadioButton OptAll{*this, "OptAll", &GrpExt, Cell(2), "*.* (All files)"};
  ui::RadioButton OptWmv{*this, "OptWmv", &GrpExt, Cell(3), "Wmv files"};
  ui::RadioButton OptJpg{*this, "OptJpg", &GrpExt, Cell(4), "Jpg files"};
  ui::RadioButton OptExe{*this, "OptExe", &GrpExt, Cell(5), "Exe files"};
  ui::RadioButton OptTxt{*this, "OptTxt", &GrpExt, Cell(6), "Txt files"};
  ui::RadioButton OptAvi{*this, "OptAvi", &GrpExt, Cell(7), "Avi files"};
  ui::RadioButton OptDoc{*this, "OptDoc", &GrpExt, Cell(8), "Doc files"};
  ui::RadioButton OptGif{*this, "OptGif", &GrpExt, Cell(9), "Gif files"};
  ui::RadioButton OptBmp{*this, "OptBmp", &GrpExt, Cell(10), "Bmp files"};
  ui::RadioButton OptZip{*this, "OptZip", &GrpExt, Cell(11), "Zip files"};
  ui::Label LblExample1{*this,
                        "LblExample1",
                        nullptr,
                        {8, 214, 440, 15},
                        "Examples:  test.txt -> Deletes 1 file named \"test.txt\" in \"mydir\"."};
  ui::Label LblExample2{*this,
                        "LblExample2",
                        nullptr,
                        {8, 230, 440, 15},
                        "*.*      -> Deletes ALL files in the \"mydir\" directory."};
  ui::Label LblExample3{*this,
                        "LblExample3",
                        nullptr,
                        {8, 246, 440, 28},
                        "f*.txt   -> Deletes ALL files in the \"mydir\" directory that begin with "
                        "an \"f\" and have a txt file extension."};
  ui::Button CmdReturn{*this, "CmdReturn", nullptr, {373, 280, 75, 25}, "Return"};

  // "Return": the mask without surrounding blanks, then an OK result.
  void CmdReturnClick();

 private:
  static constexpr ui::Rect Cell(int i) { return {8 + 144 * (i % 3), 20 + 21 * (i / 3), 136, 17}; }
  void Choose(const char* mask, bool warn);
};

}  // namespace desktop
