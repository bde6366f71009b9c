#include "desktop/frmurls.h"

#include <algorithm>
#include <string_view>

#include "desktop/urlstores.h"
#include "platform/text.h"

namespace desktop {

namespace {

constexpr std::string_view kInfo =
    "Listed below is your URL's which you have visited.  These are visible at the top of your "
    "web browser as you type in web addresses.  Note that the Firefox URL cleanups are removed "
    "automatically in the cache cleanups, so below is only the IE URL addresses you have "
    "visited.";
constexpr std::string_view kNoneFound = "None Found";
constexpr std::string_view kNoFirefox = "No Firefox browser URL\"s were found";
constexpr std::string_view kDeleteFailed =
    "A delete failed.  Please make sure that all applications are closed so the registry is not "
    "locked.";
constexpr std::string_view kUrlNotFound = "URL not found, line not removed";
constexpr std::string_view kRenameFailed =
    "An i/o error occurred during file renaming. Please make sure all other applications are "
    "closed. Then run this program again.";
constexpr std::string_view kIoFailed =
    "An i/o error occurred.  Please make sure your browser is closed!. Then close this program "
    "and try again. ";
constexpr std::string_view kMaxAttemptsReached =
    "Maximum attempts reached. Some URLs may already be cleaned as they could not be found";
constexpr std::string_view kFirefoxNotDeleted =
    "Note: The Firefox browser URL\"s cound not be deleted. Please make sure your browser is "
    "closed when deleting the files.";

constexpr std::string_view kProfilesKey = "SOFTWARE\\Netscape\\Netscape Navigator\\Users";
constexpr int kListMargin = 50;

}  // namespace

TFrmurls::TFrmurls(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "Frmurls", "Web Browser Locations URL's ", 480, 312), g_(g) {
  SetClientSize(480, 312);
  SetPositionRule(ui::Position::kScreenCenter);
  LblInfo.SetCaption(std::string(kInfo));
  LblInfo.SetWordWrap(true);
  for (ui::Control* hidden : std::initializer_list<ui::Control*>{&CmdIEDel, &ListNet, &CmdNetAll,
                                                                 &ListNet6, &Cmd_Net6_Remall}) {
    hidden->SetVisible(false);
  }
  CmdOk.SetModalResult(1);

  OnCreate = [this] { FormCreate(); };
  CmdIEDel.OnClick = [this] { CmdIEDelClick(); };
  CmdIEAll.OnClick = [this] { CmdIEAllClick(); };
  CmdNetAll.OnClick = [this] { CmdNetAllClick(); };
  Cmd_Net6_Remall.OnClick = [this] { Cmd_Net6_RemallClick(); };
  CmdFirefox.OnClick = [this] { CmdFirefoxClick(); };
}

void TFrmurls::RemoveAll(core::Uglobalvars& g, ui::Window& owner) {
  TFrmurls urls(g);
  urls.SetOwnerWindow(&owner);
  urls.Create();
  urls.CmdIEAllClick();
  urls.CmdNetAllClick();
  urls.Cmd_Net6_RemallClick();
  urls.CmdFirefoxClick();
}

// ---- Loading ----------------------------------------------------------

void TFrmurls::FormCreate() {
  if (!g_.Platform().fs.Exists(g_.FFPlacesFile) || g_.FFPlacesFile.empty()) {
    LblFirefox.SetCaption(std::string(kNoFirefox));
    CmdFirefox.SetEnabled(false);
  }
  LoadRegistry(ie_, ListIE);
  ShowListState(ListIE, {&CmdIEAll, &CmdIEDel}, ie_.count);

  LoadRegistry(net_, ListNet);
  LoadProfiles();
  std::vector<std::string> prefs_urls;
  for (const std::string& file : PrefsCandidates(true)) CollectPrefsUrls(file, prefs_urls);
  // A prefs.js reached through a profile is not read a second time.
  for (const std::string& profile : profiles_) {
    const std::string upper = text::Upper(profile + "\\prefs.js");
    for (int i = 1; i <= g_.NetPrefsFiles.kSize; ++i) {
      if (text::Upper(g_.NetPrefsFiles[i]) == upper) g_.NetPrefsFiles.Set(i, "");
    }
  }
  for (const std::string& file : PrefsCandidates(false)) CollectPrefsUrls(file, prefs_urls);
  for (const std::string& url : prefs_urls) ListNet.Add(url);
  net_count_ = net_.count + static_cast<int>(prefs_urls.size());
  ShowListState(ListNet, {&CmdNetAll}, net_count_);

  LoadLocalStores();
  for (ui::ListBox* box : {&ListIE, &ListNet, &ListNet6}) SetExtent(*box);
}

// "url" + n for n = 1, 2, ...: the first missing or empty value ends it.
void TFrmurls::LoadRegistry(RegistryUrls& list, ui::ListBox& box) {
  list.urls.fill({});
  list.count = 0;
  box.Clear();
  auto key = g_.Platform().registry.Open(platform::Hive::kCurrentUser, list.key, false,
                                         platform::Access::kRead);
  if (!key) return;
  for (int n = 1; n <= kMaxUrls; ++n) {
    std::string url = key->ReadString(list.prefix + std::to_string(n)).value_or("");
    if (url.empty()) break;
    list.urls[static_cast<size_t>(n)] = url;
    list.count = n;
    box.Add(std::move(url));
  }
}

// The Netscape 4 profile folders; a subkey that does not open keeps its
// name, which then holds no prefs.js.
void TFrmurls::LoadProfiles() {
  profiles_.clear();
  auto& registry = g_.Platform().registry;
  auto users =
      registry.Open(platform::Hive::kLocalMachine, kProfilesKey, false, platform::Access::kRead);
  if (!users) return;
  for (const std::string& name : users->SubkeyNames()) {
    if (static_cast<int>(profiles_.size()) == kMaxProfiles) break;
    auto user =
        registry.Open(platform::Hive::kLocalMachine, std::string(kProfilesKey) + "\\" + name, false,
                      platform::Access::kRead);
    profiles_.push_back(user ? user->ReadString("DirRoot").value_or("") : name);
  }
}

// The prefs.js files to read or search: the profiles' or the drive scan's.
std::vector<std::string> TFrmurls::PrefsCandidates(bool profiles) const {
  std::vector<std::string> files;
  if (profiles) {
    for (const std::string& p : profiles_) files.push_back(p + "\\prefs.js");
    return files;
  }
  for (int i = 1; i <= g_.NetPrefsFiles.kSize; ++i) {
    const std::string file = text::Trim(g_.NetPrefsFiles[i]);
    if (!file.empty() && text::Upper(text::FileName(file)) == "PREFS.JS") files.push_back(file);
  }
  return files;
}

void TFrmurls::CollectPrefsUrls(const std::string& path, std::vector<std::string>& out) const {
  auto bytes = g_.Platform().fs.ReadBytes(path);
  if (!bytes) return;
  for (const TextLine& line : SplitLines(*bytes)) {
    if (static_cast<int>(out.size()) == kMaxUrls) return;
    if (auto url = PrefsUrlOfLine(line.text)) out.push_back(*url);
  }
}

void TFrmurls::LoadLocalStores() {
  ListNet6.Clear();
  auto& fs = g_.Platform().fs;
  for (int i = 1; i <= g_.FFLocalStoreFiles.kSize; ++i) {
    if (g_.FFLocalStoreFiles[i].empty()) continue;
    auto bytes = fs.ReadBytes(g_.FFLocalStoreFiles[i]);
    if (!bytes) continue;
    std::vector<TextLine> lines = SplitLines(*bytes);
    if (lines.empty()) continue;
    for (std::string& item : LocalStoreItems(lines.front().text)) ListNet6.Add(std::move(item));
  }
  ShowListState(ListNet6, {&Cmd_Net6_Remall}, ListNet6.Count());
}

void TFrmurls::ShowListState(ui::ListBox& box, std::initializer_list<ui::Button*> buttons,
                             int count) {
  const bool any = count > 0;
  if (!any) {
    box.Clear();
    box.Add(std::string(kNoneFound));
  }
  box.SetEnabled(any);
  for (ui::Button* b : buttons) b->SetEnabled(any);
  if (any) box.SetItemIndex(0);
}

void TFrmurls::SetExtent(ui::ListBox& box) {
  int widest = 0;
  for (const std::string& item : box.Items())
    widest = std::max(widest, System().TextWidth(box.GetFont(), item));
  box.SetHorizontalExtent(widest + System().SystemMetric(ui::Metric::kFrameWidth) + kListMargin);
}

// ---- Registry lists ---------------------------------------------------

// The values after the removed one move down a number, then the last is
// deleted; a failed delete leaves the renumbered values and the line.
bool TFrmurls::RemoveRegistryUrl(RegistryUrls& list, ui::ListBox& box, int position) {
  const int c = list.count;
  if (position < 1 || position > c) return false;
  auto key = g_.Platform().registry.Open(platform::Hive::kCurrentUser, list.key, false,
                                         platform::Access::kFull);
  auto name = [&list](int n) { return list.prefix + std::to_string(n); };
  if (key) {
    for (int n = position; n < c; ++n) {
      key->WriteString(name(n), list.urls[static_cast<size_t>(n + 1)]);
      list.urls[static_cast<size_t>(n)] = list.urls[static_cast<size_t>(n + 1)];
    }
  }
  if (!key || !key->DeleteValue(name(c))) {
    System().Error(kDeleteFailed);
    return false;
  }
  list.urls[static_cast<size_t>(c)].clear();
  --list.count;
  box.Delete(position - 1);
  return true;
}

void TFrmurls::CmdIEDelClick() {
  if (ie_.count < 1) return;
  RemoveRegistryUrl(ie_, ListIE, std::max(ListIE.ItemIndex(), 0) + 1);
  ShowListState(ListIE, {&CmdIEAll, &CmdIEDel}, ie_.count);
}

void TFrmurls::CmdIEAllClick() {
  if (!CmdIEAll.Enabled()) return;
  const int lines = ListIE.Count();
  for (int i = 0; i < lines && ie_.count > 0; ++i) {
    ListIE.SetItemIndex(0);
    CmdIEDelClick();
  }
}

// ---- Netscape lists ---------------------------------------------------

void TFrmurls::RemoveNetUrl(int position) {
  if (position < 1 || position > net_count_) return;
  if (position <= net_.count) {
    if (RemoveRegistryUrl(net_, ListNet, position)) --net_count_;
  } else {
    const std::string url = ListNet.Item(position - 1);
    std::optional<bool> removed;
    if (!profiles_.empty()) removed = RemovePrefsUrl(url, PrefsCandidates(true));
    if (!removed) removed = RemovePrefsUrl(url, PrefsCandidates(false));
    if (!removed) {
      System().Information(kUrlNotFound);
    } else if (*removed) {
      ListNet.Delete(position - 1);
      --net_count_;
    }
  }
  ShowListState(ListNet, {&CmdNetAll}, net_count_);
}

void TFrmurls::CmdNetAllClick() {
  if (!CmdNetAll.Enabled()) return;
  const int lines = ListNet.Count();
  for (int i = 0; i < lines && net_count_ > 0; ++i) RemoveNetUrl(1);
}

std::optional<bool> TFrmurls::RemovePrefsUrl(const std::string& url,
                                             const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    auto bytes = g_.Platform().fs.ReadBytes(file);
    if (!bytes) continue;
    std::vector<TextLine> lines = SplitLines(*bytes);
    for (size_t i = 0; i < lines.size(); ++i) {
      if (PrefsLineHoldsUrl(lines[i].text, url)) return RewritePrefs(file, lines, i);
    }
  }
  return std::nullopt;
}

// The file without line `target`; the URL lines after it move down a
// number.
bool TFrmurls::RewritePrefs(const std::string& path, std::vector<TextLine> lines, size_t target) {
  for (size_t i = target + 1; i < lines.size(); ++i)
    lines[i].text = RenumberPrefsLine(lines[i].text);
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(target));
  switch (ReplaceContents(path, "tempfile.del", JoinLines(lines))) {
    case Replaced::kDone:
      return true;
    case Replaced::kWriteFailed:
      System().Error(kIoFailed);
      return false;
    case Replaced::kReplaceFailed:
      System().Error(kRenameFailed);
      return false;
  }
  return false;
}

TFrmurls::Replaced TFrmurls::ReplaceContents(const std::string& path, const std::string& temp_name,
                                             const std::string& bytes) {
  auto& fs = g_.Platform().fs;
  const std::string temp = text::ExtractFilePath(path) + temp_name;
  if (!fs.WriteBytes(temp, bytes)) {
    fs.DeleteFile(temp);
    return Replaced::kWriteFailed;
  }
  if (!fs.ReplaceFile(temp, path)) {
    fs.DeleteFile(temp);
    return Replaced::kReplaceFailed;
  }
  return Replaced::kDone;
}

// ---- Netscape 6 list --------------------------------------------------

// The first localstore.rdf whose first line holds the text loses its first
// occurrence there (the tags stay); every other line is kept as it was.
bool TFrmurls::RemoveNet6Url() {
  const int index = std::max(ListNet6.ItemIndex(), 0);
  if (index >= ListNet6.Count()) return true;
  const std::string item = ListNet6.Item(index);
  for (int i = 1; i <= g_.FFLocalStoreFiles.kSize; ++i) {
    const std::string& file = g_.FFLocalStoreFiles[i];
    if (file.empty()) continue;
    auto bytes = g_.Platform().fs.ReadBytes(file);
    if (!bytes) continue;
    std::vector<TextLine> lines = SplitLines(*bytes);
    if (lines.empty()) continue;
    const size_t at = lines.front().text.find(item);
    if (at == std::string::npos) continue;
    lines.front().text.erase(at, item.size());
    if (ReplaceContents(file, "tempfile.xml", JoinLines(lines)) != Replaced::kDone) {
      System().Error(kIoFailed);
      return false;
    }
    ListNet6.Delete(index);
    if (ListNet6.Count() > 0) ListNet6.SetItemIndex(0);
    break;
  }
  if (ListNet6.Count() == 0) ShowListState(ListNet6, {&Cmd_Net6_Remall}, 0);
  return true;
}

// Removes the first line until none is left; a line that is found in no
// file stays, so the attempts are bounded. A file that cannot be rewritten
// ends it at once.
void TFrmurls::Cmd_Net6_RemallClick() {
  if (!Cmd_Net6_Remall.Enabled()) return;
  int attempts = 0;
  while (ListNet6.Count() > 0 && ListNet6.Item(0) != kNoneFound) {
    if (++attempts == kMaxAttempts) {
      System().ShowMessage(kMaxAttemptsReached);
      return;
    }
    ListNet6.SetItemIndex(0);
    if (!RemoveNet6Url()) return;
  }
}

// ---- Firefox ----------------------------------------------------------

void TFrmurls::CmdFirefoxClick() {
  auto& fs = g_.Platform().fs;
  if (g_.FFPlacesFile.empty() || !fs.Exists(g_.FFPlacesFile)) return;
  if (!fs.DeleteFile(g_.FFPlacesFile)) System().Error(kFirefoxNotDeleted);
}

}  // namespace desktop
