#include "browsers/autopwd.h"

#include <array>
#include <string_view>

#include "platform/registry.h"

namespace browsers {

namespace {

using platform::Access;
using platform::Hive;

constexpr std::string_view kCaption = "Search Engine and Auto Form Cleanup ";
constexpr std::string_view kText1 =
    "On Internet Explorer, you may have noticed that when you are typing into search engines, or "
    "typing into password boxes, your history of what you entered previously automatically "
    "displays. This option of Vostrel will allow you to remove";
constexpr std::string_view kText2 =
    "these entries so they will not display for you or anyone else to view. This will also clear "
    "the stored passwords and user ids from your pc so they cannot be found or seen in your web "
    "browser.";
constexpr std::string_view kQuestion =
    "This removes every search and form entry Internet Explorer remembers, and every user id and "
    "password it has saved for web sites. Saved passwords cannot be brought back. Do you want to "
    "clear them now?";
constexpr std::string_view kNothingCleared = "Nothing was removed.";

// The IntelliForms keys, what each holds.
enum class Holds { kFormEntries, kPasswords };
struct StoreKey {
  std::string_view path;
  Holds holds;
};
constexpr auto kStoreKeys = std::to_array<StoreKey>({
    {"Software\\Microsoft\\Internet Explorer\\IntelliForms\\Storage1", Holds::kFormEntries},
    {"Software\\Microsoft\\Internet Explorer\\IntelliForms\\Storage2", Holds::kPasswords},
    {"Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW", Holds::kPasswords},
});
static_assert(kStoreKeys.size() == 3);

// Internet Explorer's HTTP-authentication log-ins in Credential Manager.
constexpr std::string_view kWinInetCredentials = "Microsoft_WinInet_*";

std::string Plural(int n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

FormsCleared ClearFormsAndPasswords(platform::Platform& p) {
  FormsCleared cleared;
  for (const StoreKey& store : kStoreKeys) {
    auto key = p.registry.Open(Hive::kCurrentUser, store.path, false, Access::kRead);
    if (!key) continue;
    const int entries = static_cast<int>(key->ValueNames().size());
    key.reset();
    if (p.registry.DeleteTree(Hive::kCurrentUser, store.path)) {
      (store.holds == Holds::kFormEntries ? cleared.form_entries : cleared.passwords) += entries;
    } else {
      cleared.left += entries;
    }
  }
  if (p.credentials) {
    for (const std::string& target :
         p.credentials->List(kWinInetCredentials).value_or(std::vector<std::string>{})) {
      if (p.credentials->DeleteGeneric(target)) {
        ++cleared.logins;
      } else {
        ++cleared.left;
      }
    }
  }
  return cleared;
}

std::string FormsClearedText(const FormsCleared& c) {
  if (c.Nothing()) {
    return "Internet Explorer has no remembered search or form entries and no saved passwords "
           "on your pc. Nothing needed to be removed.";
  }
  std::string text;
  if (c.form_entries + c.passwords + c.logins == 0) {
    text = std::string(kNothingCleared);
  } else {
    text = "Removed: " +
           Plural(c.form_entries, "remembered search or form entry",
                  "remembered search or form entries") +
           ", " + Plural(c.passwords, "saved form password", "saved form passwords") + ", " +
           Plural(c.logins, "saved web site log-in", "saved web site log-ins") + ".";
  }
  if (c.left > 0) {
    text += " " + Plural(c.left, "entry", "entries") +
            " could not be removed. Close Internet Explorer and try again, or if you are using "
            "Vista, right click the icon and choose the option to run your program as admin.";
  }
  return text;
}

TFrmAutoPwd::TFrmAutoPwd(core::Uglobalvars& g)
    : ui::Window(g.Windows(), "FrmAutoPwd", std::string(kCaption), 450, 180), g_(g) {
  SetPositionRule(ui::Position::kScreenCenter);
  SetBorderStyle(ui::BorderStyle::kDialog);
  Label1.SetCaption(std::string(kText1) + " " + std::string(kText2));
  Label1.SetWordWrap(true);
  CmdReturn.SetModalResult(1);
  CmdClear.OnClick = [this] { CmdClearClick(); };
}

void TFrmAutoPwd::CmdClearClick() {
  if (!System().Confirm(kQuestion)) return;
  const FormsCleared cleared = ClearFormsAndPasswords(g_.Platform());
  if (cleared.left > 0) {
    System().Warning(FormsClearedText(cleared));
  } else {
    System().Information(FormsClearedText(cleared));
  }
}

}  // namespace browsers
