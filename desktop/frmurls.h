// The URL history window, TFrmurls ("Web Browser Locations URL's "): lists
// and removes the addresses typed into browsers, from four stores:
// Internet Explorer's TypedURLs and Netscape 4's URL History in the
// registry, the URL lines of Netscape 4 prefs.js files, the <RDF:li> items
// of localstore.rdf files, and the Firefox history database (deleted
// whole). Everything is read when the window is created; each removal
// writes through at once. The Netscape lists are never shown but are
// filled and cleaned all the same. Files are rewritten through a
// temporary file in their own folder that replaces them only once it is
// complete, so a failed step never loses the original.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "core/uglobalvars.h"
#include "desktop/urlstores.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace desktop {

class TFrmurls : public ui::Window {
 public:
  explicit TFrmurls(core::Uglobalvars& g);

  // Cleanup All's URL step: a fresh window, never shown, whose four
  // "Remove All" actions run in order before it is released.
  static void RemoveAll(core::Uglobalvars& g, ui::Window& owner);

  // Registry URLs and prefs.js URLs read at most; profiles kept.
  static constexpr int kMaxUrls = 100;
  static constexpr int kMaxProfiles = 101;
  // "Remove All" of the Netscape 6 list gives up after this many attempts.
  static constexpr int kMaxAttempts = 2501;

  // ---- Controls, in layout order ----

  ui::Label LblInfo{*this, "LblInfo", nullptr, {8, 8, 464, 56}};
  ui::Label LblWeb{*this, "LblWeb", nullptr, {8, 70, 200, 15}, "Web Address URLs"};
  ui::ListBox ListIE{*this, "ListIE", nullptr, {8, 88, 370, 150}};
  ui::Button CmdIEAll{*this, "CmdIEAll", nullptr, {386, 88, 86, 25}, "Remove All"};
  ui::Button CmdIEDel{*this, "CmdIEDel", nullptr, {386, 118, 86, 25}, "Remove"};
  ui::ListBox ListNet{*this, "ListNet", nullptr, {8, 88, 370, 150}};
  ui::Button CmdNetAll{*this, "CmdNetAll", nullptr, {386, 148, 86, 25}, "Remove All"};
  ui::ListBox ListNet6{*this, "ListNet6", nullptr, {8, 88, 370, 150}};
  ui::Button Cmd_Net6_Remall{*this, "Cmd_Net6_Remall", nullptr, {386, 178, 86, 25}, "Remove All"};
  ui::Label LblFirefox{*this,
                       "LblFirefox",
                       nullptr,
                       {8, 250, 370, 15},
                       "Firefox browser URL's were also found on your system:"};
  ui::Button CmdFirefox{*this, "CmdFirefox", nullptr, {386, 245, 86, 25}, "Remove All"};
  ui::Button CmdOk{*this, "CmdOk", nullptr, {397, 280, 75, 25}, "Ok"};

  // ---- Handlers ----

  void FormCreate();
  // Removes the highlighted line of the IE list.
  void CmdIEDelClick();
  void CmdIEAllClick();
  void CmdNetAllClick();
  void Cmd_Net6_RemallClick();
  void CmdFirefoxClick();

  // Removes line `position` (from 1) of the Netscape list.
  void RemoveNetUrl(int position);
  // Removes the highlighted line of the Netscape 6 list; false when a file
  // could not be rewritten (the user has been told).
  bool RemoveNet6Url();

  int IECount() const { return ie_.count; }
  int NetCount() const { return net_count_; }
  int NetRegistryCount() const { return net_.count; }
  const std::vector<std::string>& Profiles() const { return profiles_; }

 private:
  // One registry list of numbered values ("url1", "URL_1", ...) and the
  // URLs read from it, indexed from 1.
  struct RegistryUrls {
    const char* key;
    const char* prefix;
    std::array<std::string, kMaxUrls + 1> urls;
    int count = 0;
  };

  void LoadRegistry(RegistryUrls& list, ui::ListBox& box);
  void LoadProfiles();
  std::vector<std::string> PrefsCandidates(bool profiles) const;
  void CollectPrefsUrls(const std::string& path, std::vector<std::string>& out) const;
  void LoadLocalStores();
  // Removes URL `position` of a registry list and its line; false when the
  // value could not be deleted (the user has been told).
  bool RemoveRegistryUrl(RegistryUrls& list, ui::ListBox& box, int position);
  // Finds the prefs.js line of `url` in the candidate files and rewrites
  // that file without it. nullopt: not found; else whether it was removed.
  std::optional<bool> RemovePrefsUrl(const std::string& url, const std::vector<std::string>& files);
  bool RewritePrefs(const std::string& path, std::vector<TextLine> lines, size_t target);
  // Writes `bytes` to a temporary file beside `path` and puts it in its
  // place; on failure the original stays and the temporary file goes.
  enum class Replaced { kDone, kWriteFailed, kReplaceFailed };
  Replaced ReplaceContents(const std::string& path, const std::string& temp_name,
                           const std::string& bytes);
  // "None Found" and disabled controls for an empty list, else the first
  // line highlighted.
  void ShowListState(ui::ListBox& box, std::initializer_list<ui::Button*> buttons, int count);
  void SetExtent(ui::ListBox& box);

  core::Uglobalvars& g_;
  RegistryUrls ie_{"Software\\Microsoft\\Internet Explorer\\TypedURLs", "url", {}, 0};
  RegistryUrls net_{"Software\\Netscape\\Netscape Navigator\\URL History", "URL_", {}, 0};
  int net_count_ = 0;
  std::vector<std::string> profiles_;
};

}  // namespace desktop
