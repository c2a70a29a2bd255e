// The front end's half of the page table: for each page or panel that has a view, how the view is
// built over the page object and how it renders. A page whose row in the core builds a
// placeholder gets the placeholder view. Adding a page: one row here beside its row in the core.
#pragma once

#include <QWidget>

#include <functional>
#include <vector>

#include "shell/IPage.h"
#include "shell/PageSet.h"

namespace nxui {

struct PageViewRow {
  shell::PageKey key;
  // Null when the page is not of the class the view draws.
  std::function<QWidget*(shell::IPage& page, QWidget* parent)> build;
  std::function<void(QWidget& view, shell::IPage& page)> render;
  // A page's view is built when the page is first shown, but the page area is as large as its
  // largest page: the view that sets that size is measured when the window is built (and dropped
  // until shown), so that the window has its size from the start and keeps it as pages are built.
  bool sizesPageArea = false;
};

const std::vector<PageViewRow>& PageViewTable();

// Whether the view of the page or panel is measured with the main window (see above).
bool SizesPageArea(shell::PageKey key);

// A view for the page: its row's view, the placeholder view for a placeholder, else a note that
// the page has no view. `render` is what renders it (empty for views that never change).
QWidget* BuildPageView(shell::PageKey key, shell::IPage& page, QWidget* parent,
                       std::function<void(QWidget&, shell::IPage&)>& render);

// A view row for a view class constructed from the page class and rendering with Render().
template <class Page, class View>
PageViewRow ViewOf(shell::PageKey key, bool sizesPageArea = false) {
  return {key,
          [](shell::IPage& page, QWidget* parent) -> QWidget* {
            auto* typed = dynamic_cast<shell::TypedPage<Page>*>(&page);
            return typed != nullptr ? new View(typed->Get(), parent) : nullptr;
          },
          [](QWidget& view, shell::IPage&) { static_cast<View&>(view).Render(); }, sizesPageArea};
}

}  // namespace nxui
