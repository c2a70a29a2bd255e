#include "shell/PageSet.h"

#include <algorithm>

#include "shell/CHideDlg.h"

namespace nxui::shell {

PageSet::PageSet(PageEnvironment environment, const std::vector<PageRow>& table)
    : environment_(std::move(environment)), table_(table), driver_(environment_.hidden.Driver()) {}

PageSet::~PageSet() {
  for (Built& built : built_) SetShown(built, false);
  if (CNxUI2007Dlg* window = environment_.hidden.MainWindow()) {
    for (const Built& built : built_) {
      if (!built.key.IsPanel() && built.page->Window() != 0) window->SetPageWindow(built.key.Id(), 0);
    }
  }
  while (!built_.empty()) built_.pop_back();
}

PageSet::Built* PageSet::Find(PageKey key) {
  for (Built& built : built_) {
    if (built.key == key) return &built;
  }
  return nullptr;
}

const PageSet::Built* PageSet::Find(PageKey key) const {
  for (const Built& built : built_) {
    if (built.key == key) return &built;
  }
  return nullptr;
}

IPage* PageSet::IfBuilt(PageKey key) const {
  const Built* built = Find(key);
  return built != nullptr ? built->page.get() : nullptr;
}

IPage* PageSet::Get(PageKey key) {
  if (Built* built = Find(key)) return built->page.get();
  const auto row = std::find_if(table_.begin(), table_.end(), [key](const PageRow& r) { return r.key == key; });
  // A row that asks for itself, directly or through another, gets nothing instead of recursing.
  if (row == table_.end() || !row->build || std::find(building_.begin(), building_.end(), key) != building_.end()) {
    return nullptr;
  }
  building_.push_back(key);
  std::unique_ptr<IPage> page = row->build(*this);
  building_.pop_back();
  if (!page) return nullptr;
  IPage* raw = page.get();
  built_.push_back(Built{key, std::move(page), false});
  return raw;
}

void PageSet::BuildAll() {
  for (const PageRow& row : table_) Get(row.key);
}

void PageSet::SetShown(Built& built, bool shown) {
  if (built.shown == shown) return;
  built.shown = shown;
  if (shown) {
    built.page->Show();
  } else {
    built.page->Hide();
  }
}

void PageSet::Sync() {
  CNxUI2007Dlg* window = environment_.hidden.MainWindow();
  if (window == nullptr) return;
  const MainWindowState& state = window->State();
  for (Built& built : built_) {
    if (!built.key.IsPanel() && built.page->Window() != 0 && window->PageWindow(built.key.Id()) == 0) {
      window->SetPageWindow(built.key.Id(), built.page->Window());
    }
  }
  // The pages that go are hidden before the ones that come are shown.
  for (Built& built : built_) {
    const bool shown =
        built.key.IsPanel() ? state.visiblePanel == built.key.PanelNumber() : state.selectedPage == built.key.Id();
    if (!shown) SetShown(built, false);
  }
  for (Built& built : built_) {
    const bool shown =
        built.key.IsPanel() ? state.visiblePanel == built.key.PanelNumber() : state.selectedPage == built.key.Id();
    if (shown) SetShown(built, true);
  }
}

bool PageSet::Shown(PageKey key) const {
  const Built* built = Find(key);
  return built != nullptr && built->shown;
}

}  // namespace nxui::shell
