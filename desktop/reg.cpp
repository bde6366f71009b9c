#include "desktop/reg.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/text.h"

namespace desktop {

namespace {

using platform::Access;
using platform::Hive;

constexpr std::string_view kCaption = "Registry Entries";
constexpr std::string_view kIntro =
    "Listed below is your history of previous programs you have executed or searched for. For "
    "example, click your windows \"start\" button, then click \"Run\", then click the small "
    "arrow on the right, and you will see your";
constexpr std::string_view kIntro2 =
    "history listed.  You can also view your previous \"Finds\" using the same method. This "
    "option below gives you the option to clean these up. (Remember in some versions of Windows "
    "you may need to reboot after cleaning these before you will see any results.)";
constexpr std::string_view kRemoveHint = "Remove highlighted location above";

constexpr std::string_view kRunKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr std::string_view kFindKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU";
constexpr std::string_view kSearchAssistantKey = "SOFTWARE\\Microsoft\\Search Assistant\\ACMRu";

// The entries are the values "a" to "z" (slot 1 = "a").
constexpr int kSlots = 26;
// At most this many Search Assistant subkeys are read.
constexpr size_t kSearchSubkeys = 26;
// Added to a list's widest line for its horizontal extent.
constexpr int kExtentMargin = 50;

std::string Letter(int i) { return std::string(1, static_cast<char>('a' + i)); }

// The values "a" to "z" of a key, as read (not trimmed); a missing key or
// value, or one that is not text, reads as empty.
std::array<std::string, kSlots> ReadSlots(platform::Registry& registry, std::string_view path) {
  std::array<std::string, kSlots> slots;
  auto key = registry.Open(Hive::kCurrentUser, path, false, Access::kRead);
  if (!key) return slots;
  for (int i = 0; i < kSlots; ++i)
    slots[static_cast<size_t>(i)] = key->ReadString(Letter(i)).value_or("");
  return slots;
}

// The names of the Search Assistant's subkeys that are read.
std::vector<std::string> SearchSubkeys(platform::Registry& registry) {
  auto key = registry.Open(Hive::kCurrentUser, kSearchAssistantKey, false, Access::kRead);
  if (!key) return {};
  std::vector<std::string> names = key->SubkeyNames();
  if (names.size() > kSearchSubkeys) names.resize(kSearchSubkeys);
  return names;
}

std::string SearchSubkey(const std::string& name) {
  return std::string(kSearchAssistantKey) + "\\" + name;
}

}  // namespace

TFrmreg::TFrmreg(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "Frmreg", std::string(kCaption), 600, 451), g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  // The two texts read as one paragraph.
  Label1.SetCaption(std::string(kIntro) + " " + std::string(kIntro2));
  Label1.SetWordWrap(true);
  CmdRemoveRun.SetHint(std::string(kRemoveHint));
  CmdRemoveFind.SetHint(std::string(kRemoveHint));

  OnCreate = [this] { FormCreate(); };
  CmdRemoveRun.OnClick = [this] { CmdRemoveRunClick(); };
  CmdRemoveFind.OnClick = [this] { CmdRemoveFindClick(); };
  CmdReturn.OnClick = [this] { Close(); };
}

void TFrmreg::FormCreate() { LoadHistories(); }

void TFrmreg::LoadHistories() {
  auto& registry = g_.Platform().registry;
  const auto run = ReadSlots(registry, kRunKey);
  const auto find = ReadSlots(registry, kFindKey);

  std::vector<std::string> run_lines;
  std::vector<std::string> find_lines;
  if (g_.WindowsXP) {
    for (const std::string& name : SearchSubkeys(registry)) {
      auto key = registry.Open(Hive::kCurrentUser, SearchSubkey(name), false, Access::kRead);
      if (!key) continue;
      for (const std::string& value_name : key->ValueNames()) {
        std::string value = text::Trim(key->ReadString(value_name).value_or(""));
        if (!value.empty()) find_lines.push_back(std::move(value));
      }
    }
  }
  for (const std::string& slot : run)
    if (!slot.empty()) run_lines.push_back(slot);
  for (const std::string& slot : find)
    if (!slot.empty()) find_lines.push_back(slot);

  ListRun.SetItems(std::move(run_lines));
  ListFind.SetItems(std::move(find_lines));
  ShowList(ListRun, CmdRemoveRun);
  ShowList(ListFind, CmdRemoveFind);
  ListRun.FitHorizontalExtent(kExtentMargin);
  ListFind.FitHorizontalExtent(kExtentMargin);
}

// A list with lines is enabled with its first line highlighted; an empty
// one is disabled with its button.
void TFrmreg::ShowList(ui::ListBox& list, ui::Button& button) {
  const bool any = list.Count() > 0;
  if (any) list.SetItemIndex(0);
  list.SetEnabled(any);
  button.SetEnabled(any);
}

void TFrmreg::CmdRemoveRunClick() { RemoveHighlighted(ListRun, CmdRemoveRun, kRunKey, false); }

void TFrmreg::CmdRemoveFindClick() {
  RemoveHighlighted(ListFind, CmdRemoveFind, kFindKey, g_.WindowsXP);
}

void TFrmreg::RemoveHighlighted(ui::ListBox& list, ui::Button& button, std::string_view path,
                                bool search_assistant) {
  const int index = list.ItemIndex();
  if (index < 0) return;
  const std::string t = list.Item(index);

  bool deleted = false;
  if (auto key = g_.Platform().registry.Open(Hive::kCurrentUser, path, false, Access::kFull)) {
    for (int i = 0; i < kSlots; ++i) {
      if (key->ReadString(Letter(i)) != t) continue;
      deleted = static_cast<bool>(key->DeleteValue(Letter(i)));
      break;
    }
  }
  if (!deleted && search_assistant) DeleteSearchAssistantEntry(t);

  // The line goes whatever the registry said.
  list.Delete(index);
  ShowList(list, button);
}

// Deletes every value of the first Search Assistant subkey that holds the
// text (compared trimmed and without regard to case); true when one went.
bool TFrmreg::DeleteSearchAssistantEntry(const std::string& t) {
  auto& registry = g_.Platform().registry;
  const std::string wanted = text::Trim(t);
  for (const std::string& name : SearchSubkeys(registry)) {
    auto key = registry.Open(Hive::kCurrentUser, SearchSubkey(name), false, Access::kFull);
    if (!key) continue;
    bool deleted = false;
    for (const std::string& value_name : key->ValueNames()) {
      auto value = key->ReadString(value_name);
      if (value && text::EqualsNoCase(text::Trim(*value), wanted))
        deleted = static_cast<bool>(key->DeleteValue(value_name)) || deleted;
    }
    if (deleted) return true;
  }
  return false;
}

}  // namespace desktop
