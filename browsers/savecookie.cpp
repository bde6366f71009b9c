#include "browsers/savecookie.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "browsers/scandrv.h"
#include "core/sweep/walk.h"
#include "platform/text.h"

namespace browsers {

namespace {

constexpr std::string_view kCaption = "Cookie Saver and Viewer";
constexpr std::string_view kIntro =
    "This option will allow you to save chosen cookies, so that the cookie cleanup will remove "
    "all cookies EXCEPT for what you save below. (This area is only needed if you wish to keep "
    "specific cookies). ";
constexpr std::string_view kViewerNote =
    "Much of the viewed cookie data (bottom left box) may not mean anything to you or may not be "
    "readable, as this is used by the websites you visit.  Currently, this is for IE and AOL only "
    "(not Netscape/Mozilla).";
constexpr std::string_view kSaveNote =
    "Click the save button to save any cookie (that you highlighted), and it will appear in the "
    "saved box on the right. ";

constexpr std::string_view kNoCookies =
    "There are no cookies listed in the box. When non-indexed file cookies are found on your "
    "system, they will appear in the box above. (Note that some cookies are indexed files, which "
    "cannot be added or saved, and are not necessary. Your cookie totals on the main screen may "
    "not add up to the same total number listed in the box above).";
constexpr std::string_view kListFull =
    "You have reached the maximum saved cookies. Please remove some from the list before adding "
    "any new cookies to save.";
constexpr std::string_view kNoneSaved =
    "There are no cookies currently saved. If you wish to save some cookies, you can add them to "
    "this saved box by clicking the save button on your left. If there are no cookies showing, "
    "then there are none on your system to be added.";
constexpr std::string_view kNotStored =
    "The list of saved cookies could not be stored, so the cookie cleanup may not keep the "
    "cookies listed here.";

// The last line of the viewer when a file is longer than it loads.
std::string CutNote(uint64_t size) {
  return "(Only the first " + std::to_string(kViewerLimit / 1024) +
         " KB of this file are shown; it holds " + std::to_string(size) + " bytes.)";
}

// A code point as the viewer shows it.
char32_t Shown(char32_t c) {
  return c != U'\t' && (c < 0x20 || (c >= 0x7F && c < 0xA0)) ? U'.' : c;
}

// The first `limit` bytes of a file (one more tells that it goes on);
// nullopt when it cannot be opened or read.
std::optional<std::string> ReadHead(platform::FileSystem& fs, const std::string& path,
                                    size_t limit) {
  std::unique_ptr<platform::FileReader> reader = fs.OpenRead(path);
  if (!reader) return std::nullopt;
  std::string bytes(limit, '\0');
  size_t got = 0;
  while (got < limit) {
    std::optional<size_t> n = reader->ReadAt(got, bytes.data() + got, limit - got);
    if (!n) return std::nullopt;
    if (*n == 0) break;
    got += *n;
  }
  bytes.resize(got);
  return bytes;
}

}  // namespace

std::vector<std::string> ViewerLines(std::string_view bytes) {
  std::vector<std::string> lines;
  if (bytes.empty()) return lines;
  std::string line;
  for (size_t pos = 0; pos < bytes.size();) {
    const char b = bytes[pos];
    if (b == '\r' || b == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      pos += b == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? 2 : 1;
      continue;
    }
    text::AppendUtf8(line, Shown(text::DecodeUtf8(bytes, pos)));
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

TFrmsavecookie::TFrmsavecookie(core::Uglobalvars& g)
    : core::CookieSaver(g.Windows(), std::string(core::kCookieSaverWindow), std::string(kCaption),
                        600, 470),
      g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  for (auto [label, caption] : {std::pair{&Label1, kIntro}, std::pair{&Label2, kViewerNote},
                                std::pair{&Label3, kSaveNote}}) {
    label->SetWordWrap(true);
    label->SetCaption(std::string(caption));
  }
  Listbox_Paths.SetVisible(false);
  Memo1.SetReadOnly(true);

  Listbox_Cookie.OnClick = [this] { ShowCookieData(); };
  CmdSave.OnClick = [this] { CmdSaveClick(); };
  CmdRemove.OnClick = [this] { CmdRemoveClick(); };
  CmdReturn.OnClick = [this] { CmdReturnClick(); };
  g_.RememberSize(*this);
}

void TFrmsavecookie::OpenKeepList() {
  Listbox_Cookie.Clear();
  Listbox_Paths.Clear();
  Listbox_Saved_Cookies.Clear();
  Memo1.Clear();

  TFrmie* ie = IEModule ? IEModule() : nullptr;
  if (ie) ie->BuildCookieFileList();

  for (std::string& name : ReadKeptCookies(g_.Platform().ini, g_.ScanResultsFile))
    Listbox_Saved_Cookies.Add(std::move(name));
  if (Listbox_Saved_Cookies.Count() > 0) Listbox_Saved_Cookies.SetItemIndex(0);

  if (ie) {
    const auto& files = ie->CookieFileList();
    for (int n = 1; n <= kCookieFileListSize && !files[n].empty(); ++n) {
      Listbox_Cookie.Add(text::FileName(files[n]));
      Listbox_Paths.Add(text::ExtractFilePath(files[n]));
    }
  }
  if (Listbox_Cookie.Count() > 0) {
    Listbox_Cookie.SetItemIndex(0);
    ShowCookieData();
  }
  ShowModal();
}

void TFrmsavecookie::ShowCookieData() {
  Memo1.Clear();
  const int i = Listbox_Cookie.ItemIndex();
  if (i < 0 || i >= Listbox_Paths.Count()) return;
  const std::string& name = Listbox_Cookie.Item(i);
  if (sweep::IsDotEntry(name)) return;
  const std::string path = Listbox_Paths.Item(i) + name;
  auto& fs = g_.Platform().fs;
  std::optional<std::string> head = ReadHead(fs, path, kViewerLimit + 1);
  if (!head) return;
  const bool cut = head->size() > kViewerLimit;
  if (cut) head->resize(kViewerLimit);
  std::vector<std::string> lines = ViewerLines(*head);
  if (cut) {
    lines.emplace_back();
    lines.push_back(CutNote(fs.GetSize(path).value_or(kViewerLimit + 1)));
  }
  Memo1.SetLines(lines);
}

// "Save Highlighted Cookie": adds the highlighted file name to the list
// being edited; nothing is stored before "Return".
void TFrmsavecookie::CmdSaveClick() {
  if (Listbox_Cookie.Count() == 0) {
    System().Information(kNoCookies);
    return;
  }
  if (Listbox_Saved_Cookies.Count() >= kKeptCookiesSize) {
    System().Information(kListFull);
    return;
  }
  const int i = Listbox_Cookie.ItemIndex();
  if (i < 0) return;
  Listbox_Saved_Cookies.Add(Listbox_Cookie.Item(i));
  Listbox_Saved_Cookies.SetItemIndex(0);
}

// "Remove From Save List": drops the highlighted name of the list being
// edited.
void TFrmsavecookie::CmdRemoveClick() {
  if (Listbox_Saved_Cookies.Count() == 0) {
    System().Information(kNoneSaved);
    return;
  }
  const int i = Listbox_Saved_Cookies.ItemIndex();
  if (i >= 0) Listbox_Saved_Cookies.Delete(i);
  if (Listbox_Saved_Cookies.Count() > 0) Listbox_Saved_Cookies.SetItemIndex(0);
}

// "Return": the only way the keep list is stored.
void TFrmsavecookie::CmdReturnClick() {
  SaveKeptCookies();
  Close();
}

void TFrmsavecookie::SaveKeptCookies() {
  auto& ini = g_.Platform().ini;
  const std::string& file = g_.ScanResultsFile;
  bool stored = true;
  const int count = std::min(Listbox_Saved_Cookies.Count(), kKeptCookiesSize);
  for (int n = 1; n <= count; ++n) {
    stored = ini.WriteString(file, kKeepListSection, NumberedKey(kKeepListKey, n),
                             Listbox_Saved_Cookies.Item(n - 1)) &&
             stored;
  }
  // Keys after the list are blanked, never deleted; the first empty one
  // ends the old list, and the last key is blanked too.
  for (int n = count + 1; n <= kKeptCookiesSize; ++n) {
    const std::string key = NumberedKey(kKeepListKey, n);
    if (text::Trim(ini.ReadString(file, kKeepListSection, key, "")).empty()) break;
    stored = ini.WriteString(file, kKeepListSection, key, "") && stored;
  }
  if (!stored) System().Error(kNotStored);
}

}  // namespace browsers
