// What the main window (and a command-line run) needs of a page of the page area or a panel of the
// lower frame: show and hide it, relay messages to its window, and tell whether its state changed.
// The page classes live in their subsystems and know nothing of this; `PageHolder` adapts them.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "platform/IEventLoop.h"

namespace nxui::shell {

class IPage {
 public:
  virtual ~IPage() = default;

  // The page became visible (its timers run) or was hidden.
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // The page's window for relayed messages; 0 when it has none.
  virtual HWND Window() const = 0;
  // Changes whenever the state the page's view draws changes, and only then.
  virtual std::uint64_t Revision() const = 0;
};

// A page of a known class; views and commands reach the class through it.
template <class Page>
class TypedPage : public IPage {
 public:
  virtual Page& Get() = 0;
  virtual const Page& Get() const = 0;
};

// Owns a page object. `snapshot` returns what the page's view draws, by value or as a reference
// to state the page keeps; the revision moves on when a later snapshot differs, so no page has to
// count its own changes.
template <class Page, class Snapshot>
class PageHolder final : public TypedPage<Page> {
 public:
  PageHolder(std::unique_ptr<Page> page, Snapshot snapshot) : page_(std::move(page)), snapshot_(std::move(snapshot)) {}

  Page& Get() override { return *page_; }
  const Page& Get() const override { return *page_; }

  void Show() override {
    if constexpr (requires(Page & p) { p.OnShow(); }) page_->OnShow();
  }
  void Hide() override {
    if constexpr (requires(Page & p) { p.OnHide(); }) page_->OnHide();
  }
  HWND Window() const override {
    if constexpr (requires(const Page& p) { p.Window(); }) {
      return page_->Window();
    } else {
      return 0;
    }
  }
  std::uint64_t Revision() const override {
    // A snapshot that is a reference to the page's state is compared in place: a view asks after
    // every event, and copying the state each time was most of an idle window's work.
    decltype(auto) now = snapshot_(*page_);
    if (!seen_ || !(*seen_ == now)) {
      seen_.emplace(std::forward<decltype(now)>(now));
      ++revision_;
    }
    return revision_;
  }

 private:
  using Seen = std::decay_t<decltype(std::declval<Snapshot&>()(std::declval<const Page&>()))>;

  std::unique_ptr<Page> page_;
  Snapshot snapshot_;
  mutable std::optional<Seen> seen_;
  mutable std::uint64_t revision_ = 0;
};

// A holder whose view draws the page's State().
template <class Page>
std::unique_ptr<IPage> HoldPage(std::unique_ptr<Page> page) {
  auto snapshot = [](const Page& p) -> decltype(auto) { return p.State(); };
  return std::make_unique<PageHolder<Page, decltype(snapshot)>>(std::move(page), snapshot);
}

// A holder whose view draws more than State(): `snapshot` returns it all by value.
template <class Page, class Snapshot>
std::unique_ptr<IPage> HoldPage(std::unique_ptr<Page> page, Snapshot snapshot) {
  return std::make_unique<PageHolder<Page, Snapshot>>(std::move(page), std::move(snapshot));
}

}  // namespace nxui::shell
