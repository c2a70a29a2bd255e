// The pages of the main window's page area and the panels of its lower frame, built from one
// table (`PageTable`): the GUI builds them when the window opens, a command-line run when it
// needs them, the headless rendering for its pictures. A page is built and initialised on first
// use; `Sync` shows the page and the panel the open window selects and hides the others.
#pragma once

#include <compare>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "adapter/DriverChannelPort.h"
#include "shell/CNxUI2007Dlg.h"
#include "shell/CPageAboutDlg.h"
#include "shell/IPage.h"

namespace nxui {
struct Platform;
class StringTable;
class SurveyShared;
class ISurveyProfileTarget;
class ProfileStore;
class StationApplier;
class WpsEngine;
}  // namespace nxui

namespace nxui::shell {

class CHideDlg;
class ProfileEditorRouter;

// Where a page lives: a page of the page area (by `PageId`) or a panel of the lower frame (0..10).
class PageKey {
 public:
  static constexpr PageKey Page(PageId id) { return PageKey(static_cast<int>(id)); }
  static constexpr PageKey Panel(int n) { return PageKey(kPanelBase + n); }

  constexpr bool IsPanel() const { return value_ >= kPanelBase; }
  constexpr PageId Id() const { return static_cast<PageId>(value_); }
  constexpr int PanelNumber() const { return value_ - kPanelBase; }

  constexpr auto operator<=>(const PageKey&) const = default;

 private:
  static constexpr int kPanelBase = 1000;
  explicit constexpr PageKey(int value) : value_(value) {}
  int value_;
};

// What pages are built from. Everything outlives the page set.
struct PageEnvironment {
  Platform& platform;
  CHideDlg& hidden;
  const StringTable& strings;
  SurveyShared& survey;
  ISurveyProfileTarget& profileTarget;
  std::optional<ProgramVersionResource> program;
  std::size_t graphPixels = 0;  // samples the link-status graphs keep (the screen width); 0: default
  // The profile store with ApplyStation, and the editor's window; without them the profile page and
  // the editor panel stay placeholders.
  ProfileStore* profiles = nullptr;
  StationApplier* station = nullptr;
  ProfileEditorRouter* editorWindow = nullptr;
  // The WPS engine; without it the WPS page stays a placeholder.
  WpsEngine* wps = nullptr;
};

class PageSet;

// One page or panel: where it lives, a short name for files and messages, and how it is built.
// `build` may ask the set for the pages it depends on; they are built first.
struct PageRow {
  PageKey key;
  const char* name;
  std::function<std::unique_ptr<IPage>(PageSet& pages)> build;
};

// Every page of the page area and every panel of the lower frame.
const std::vector<PageRow>& PageTable();

class PageSet {
 public:
  explicit PageSet(PageEnvironment environment, const std::vector<PageRow>& table = PageTable());
  // Hides what is shown, withdraws the pages' windows from the main window, then destroys the
  // pages, last built first.
  virtual ~PageSet();
  PageSet(const PageSet&) = delete;
  PageSet& operator=(const PageSet&) = delete;

  const PageEnvironment& Environment() const { return environment_; }
  const std::vector<PageRow>& Table() const { return table_; }
  // One driver port for all pages.
  DriverChannelPort& Driver() { return driver_; }

  // The page at `key`, built and initialised on first use; null when the table has no such row.
  IPage* Get(PageKey key);
  // The page at `key` when it was built.
  IPage* IfBuilt(PageKey key) const;
  // The same as the page class its row builds; null for another class (a placeholder).
  template <class Page>
  Page* As(PageKey key) {
    auto* typed = dynamic_cast<TypedPage<Page>*>(Get(key));
    return typed != nullptr ? &typed->Get() : nullptr;
  }
  template <class Page>
  Page* AsIfBuilt(PageKey key) const {
    auto* typed = dynamic_cast<TypedPage<Page>*>(IfBuilt(key));
    return typed != nullptr ? &typed->Get() : nullptr;
  }

  // Builds every row in table order.
  void BuildAll();
  // Follows the open main window: its selected page and visible panel are shown, the other built
  // pages hidden, and the built pages' windows are registered for relayed messages. Without a
  // main window nothing changes.
  void Sync();
  bool Shown(PageKey key) const;

  // Something the pages use that must outlive them (a host over the hidden window).
  template <class T>
  T& Keep(std::unique_ptr<T> object) {
    T& kept = *object;
    kept_.push_back(std::shared_ptr<void>(std::move(object)));
    return kept;
  }

 private:
  struct Built {
    PageKey key;
    std::unique_ptr<IPage> page;
    bool shown = false;
  };
  Built* Find(PageKey key);
  const Built* Find(PageKey key) const;
  void SetShown(Built& built, bool shown);

  PageEnvironment environment_;
  std::vector<PageRow> table_;
  DriverChannelPort driver_;
  // Declared before the pages: what they use goes after them.
  std::vector<std::shared_ptr<void>> kept_;
  std::vector<Built> built_;  // in build order
  std::vector<PageKey> building_;
};

}  // namespace nxui::shell
