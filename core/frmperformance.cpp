#include "core/frmperformance.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace core {

namespace {

constexpr std::string_view kCaption = "Your System Performance";
constexpr std::string_view kIntro =
    "Another nice advantage of this software is you can always view your current PC statistics "
    "below. Click the Defrag button to access the defrag utility. Click the Explain button for "
    "more information.";
constexpr std::string_view kOften =
    "You can always run defrag as often as you want, as this will never hurt anything. Running "
    "these utilities regularly will help keep your system at peak performance, and this will "
    "also increase your hard drive read/write speed.";
constexpr std::string_view kFirstTime =
    "(Note that the first time you run defrag, it may run for a long time if your system is "
    "badly defragmented (most likely it is). Regular use of this will eliminate the long running "
    "defrag as it will improve your system).";
constexpr std::string_view kExplain =
    "You should always run the Windows defrag at least every two weeks. The more you use your "
    "pc, the disk data becomes more fragmented, but defrag will help eliminate this and help your "
    "computer perform much better. (In other words, it simply makes your disk data much better "
    "organized so it has faster access). Always run the defrag every two weeks, or if you are a "
    "heavy computer user, run defrag every week as it never hurts to run it often, and this will "
    "greatly improve your pc data access. You may also want to reboot your computer occasionally "
    "if you always leave it on, you should see your available memory totals much higher and you "
    "should see a performance increase after rebooting.";
constexpr std::string_view kDefragButton =
    "A window will now open, click the defragment button on the next window to start. Please be "
    "patient as this takes some time to defragment, but this can greatly help your pc performance "
    "if done regularly.";
constexpr std::string_view kOkButton =
    "A window will now open, click the OK button on the next window to start. Please be patient "
    "as this takes some time to defragment, but this can greatly help your pc performance if "
    "done regularly.";

// Where the defragmenter may be, in the order looked at, and the message
// shown before it opens.
enum class Folder { kSystem, kWindows };
struct DefragRow {
  Folder folder;
  std::string_view file;
  std::string_view message;
};
constexpr auto kDefragmenters = std::to_array<DefragRow>({
    {Folder::kSystem, "dfrg.msc", kDefragButton},
    {Folder::kWindows, "dfrg.msc", kDefragButton},
    {Folder::kSystem, "dfrgui.exe", kDefragButton},
    {Folder::kWindows, "dfrgui.exe", kDefragButton},
    {Folder::kWindows, "defrag.exe", kOkButton},
    {Folder::kSystem, "defrag.exe", kOkButton},
});
static_assert(kDefragmenters.size() == 6);

uint64_t As32Bit(uint64_t bytes) { return std::min<uint64_t>(bytes, UINT32_MAX); }

std::string Percent(uint64_t available, uint64_t total) {
  return std::to_string(TruncatedPercent(available, total)) + "%";
}

}  // namespace

uint64_t TruncatedPercent(uint64_t available, uint64_t total) {
  const uint64_t hundredth = total / 100;
  return hundredth == 0 ? 0 : available / hundredth;
}

TFrmPerformance::TFrmPerformance(Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmPerformance", std::string(kCaption), 489, 376), g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  SetBorderStyle(ui::BorderStyle::kDialog);
  for (ui::Label* text : {&Label1, &Label2, &Label3}) text->SetWordWrap(true);
  Label1.SetCaption(std::string(kIntro));
  Label2.SetCaption(std::string(kOften));
  Label3.SetCaption(std::string(kFirstTime));
  CmdReturn.SetModalResult(1);

  OnCreate = [this] { FormCreate(); };
  CmdExplain.OnClick = [this] { CmdExplainClick(); };
  CmdDefrag.OnClick = [this] { CmdDefragClick(); };
}

void TFrmPerformance::FormCreate() {
  // The figures as the 32-bit status record holds them: a 64-bit build gets
  // wider fields, which a 32-bit program sees cut to 4 GB - 1.
  const platform::MemoryStatus m = g_.Platform().system.Memory();
  const uint64_t total_phys = As32Bit(m.total_phys);
  const uint64_t avail_phys = As32Bit(m.avail_phys);
  const uint64_t total_page = As32Bit(m.total_page_file);
  const uint64_t avail_page = As32Bit(m.avail_page_file);
  LblRamTotal.SetCaption("Total RAM memory on your system = " + std::to_string(total_phys));
  LblRamAvail.SetCaption("RAM memory currently available  = " + std::to_string(avail_phys));
  LblRamPercent.SetCaption("Percentage of RAM memory available = " +
                           Percent(avail_phys, total_phys));
  LblSwapTotal.SetCaption("Maximum storage in swap file = " + std::to_string(total_page));
  LblSwapAvail.SetCaption("Available swap file space = " + std::to_string(avail_page));
  LblSwapPercent.SetCaption("Percentage of swap file available  = " +
                            Percent(avail_page, total_page));
}

void TFrmPerformance::CmdExplainClick() { System().ShowMessage(kExplain); }

void TFrmPerformance::CmdDefragClick() {
  auto& fs = g_.Platform().fs;
  for (const DefragRow& row : kDefragmenters) {
    const std::string& folder = row.folder == Folder::kSystem ? g_.SystemDir : g_.WindowsDir;
    const std::string path = folder + "\\" + std::string(row.file);
    if (!fs.Exists(path)) continue;
    System().ShowMessage(row.message);
    g_.Platform().shell.Open(path, "", "", platform::ShowCommand::kNormal);
    return;
  }
}

}  // namespace core
