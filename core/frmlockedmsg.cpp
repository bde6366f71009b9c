#include "core/frmlockedmsg.h"

#include <array>
#include <string_view>

namespace core {

namespace {

constexpr std::array<std::string_view, 8> kNotice{{
    "Some systems may get 1 or more locked files which is normal. This means that the files are "
    "in use by your system and cannot be cleaned, however Vostrel has a locked file cleanup "
    "option to completely clean all files, even if they are locked.",
    "If Internet Explorer is OPEN, close the browser and then rerun Vostrel to see if the locked "
    "index files are freed and can be cleaned up.",
    "If Internet Explorer IS ALREADY CLOSED, then these files are locked and cannot be accessed, "
    "but you can select the \"locked file cleanup\" option to clean these locked files when you "
    "reboot",
    "before Windows has a chance to lock them!  Simply click \"OK\", then click the \"Locked "
    "Files\" button on the main window to turn on this feature. You can also use the \"Auto "
    "Forms\" button, which allows you to clean these same locked files without rebooting.",
    "It is important to note that most browser cleaning programs simply ignore these files "
    "because they are often locked. These files can contain viewable information which "
    "identifies the websites you have been browsing! Vostrel gives you the option ",
    "of doing a total file cleanup. Although these files may still be present, after the locked "
    "file cleanup they will NOT contain any of your previous web browsing traces. These files can "
    "also continually grow and consume large amounts of disk space. You may ",
    "not need to clean these locked files every time you run Vostrel, however it is a good idea "
    "to clean these regularly to help protect your privacy and reclaim lost disk space.",
    "(Note: Some systems may see a black window open when you reboot, this is simply part of the "
    "locked file cleanup and it can be ignored or closed, it does not need to be read.)",
}};

}  // namespace

TFrmlockedMsg::TFrmlockedMsg(Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmlockedMsg", "Removing Locked Files", 600, 333) {
  SetBorderStyle(ui::BorderStyle::kDialog);
  SetPositionRule(ui::Position::kScreenCenter);
  const std::array<ui::Label*, 8> paragraphs{&Label1, &Label2, &Label3, &Label4,
                                             &Label5, &Label6, &Label7, &Label8};
  for (size_t i = 0; i < paragraphs.size(); ++i) {
    paragraphs[i]->SetWordWrap(true);
    paragraphs[i]->SetCaption(std::string(kNotice[i]));
  }
  CmdReturn.SetModalResult(1);
}

}  // namespace core
