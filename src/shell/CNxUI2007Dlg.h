// The main window as a model: the page-button strip with its conditions and layout, the page
// area's selected page, the eleven lower panels, More/Less and the caption. It exists only while
// open; closing destroys its window and the hidden window forgets it on its next tick. Pages that
// have windows register them here so that the hidden window can relay messages to them.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "display/PanelIds.h"
#include "platform/IEventLoop.h"
#include "shell/ShellStrings.h"
#include "shell/StripLayout.h"

namespace nxui::shell {

enum class PageId { Profile, Network, Statistics, Wps, Sso, Dot11n, About };
inline constexpr std::size_t kPageCount = 7;

struct PanelInfo {
  const char* className;
  int dialog;
};
inline constexpr std::size_t kPanelCount = 11;
extern const std::array<PanelInfo, kPanelCount> kPanels;

// What decides the strip, read when the window is built.
struct StripConditions {
  bool isAdmin = false;
  bool ssoInstalled = false;   // "SSOInstall" = "1" under the Winlogon single sign-on key
  bool show11nButton = false;  // [Page] "11n Setting" = "1"
  bool is11n = false;
  bool legacyG = false;
};

// Process-wide values the hidden window keeps and the main window shows.
struct ShellState {
  bool radioOn = true;
  bool expanded = false;
  bool icvError = false;
  // "WPS credentials are being tried" is the WPS engine's wscConnect (CHideDlg::Wps()).
};

struct PageButtonState {
  int controlId = 0;
  std::string caption;
  int bitmap = 0;
  std::optional<PageId> page;  // none for the radio button
  int pageDialog = 0;
  bool visible = true;
  bool enabled = true;
  StripSlot slot;
  bool operator==(const PageButtonState&) const = default;
};

// Everything a view needs to draw the window.
struct MainWindowState {
  std::string caption;
  int icon = 0;
  std::string buttonFont;
  int buttonFontHeight = 0;
  std::vector<PageButtonState> buttons;  // the eight strip buttons in strip order
  bool arrowsShown = false;
  StripSlot leftArrow, rightArrow, leftFiller, rightFiller;
  std::size_t stripShift = 0;
  std::optional<PageId> selectedPage;
  int visiblePanel = kPanelLinkStatus;
  bool expanded = false;
  std::string moreLessCaption;
  int moreLessBitmap = 0;
  bool operator==(const MainWindowState&) const = default;
};

// What the window asks of its owner.
struct MainWindowActions {
  std::function<void()> toggleRadio;
  std::function<void()> openHelp;
};

class CNxUI2007Dlg final : public IMessageTarget {
 public:
  CNxUI2007Dlg(IEventLoop& loop, StringLookup strings, ShellState& shellState, const StripConditions& conditions,
               MainWindowActions actions);
  ~CNxUI2007Dlg() override;
  CNxUI2007Dlg(const CNxUI2007Dlg&) = delete;
  CNxUI2007Dlg& operator=(const CNxUI2007Dlg&) = delete;

  HWND Window() const { return window_; }
  bool IsOpen() const;
  // The user closed the window: it is destroyed at once.
  void Close();

  const MainWindowState& State() const { return state_; }

  // Commands.
  void OnPageButton(PageId page);
  void OnLeftArrow();
  void OnRightArrow();
  void OnRadioButton();
  void OnHelpButton();
  void OnMoreLess();

  // Hides every panel and shows panel n; other n do nothing.
  void ShowPanel(int n);
  // Redraws the radio button from the shared state.
  void RefreshRadioButton();
  // Timer 11's work: the More/Less button from the shared state.
  void RefreshMoreLess();
  // Each tick: the WPS button is enabled unless the adapter is a legacy-G part.
  void RefreshWpsButton(bool legacyG);

  // Pages register their windows; 0 means absent.
  void SetPageWindow(PageId page, HWND window);
  HWND PageWindow(PageId page) const;

  void OnTimer(UINT_PTR) override {}
  LRESULT OnMessage(UINT, WPARAM, LPARAM) override { return 0; }

 private:
  PageButtonState* Button(int controlId);
  void Layout();

  IEventLoop& loop_;
  StringLookup strings_;
  ShellState& shared_;
  MainWindowActions actions_;
  HWND window_ = 0;
  MainWindowState state_;
  std::array<HWND, kPageCount> pageWindows_{};
};

}  // namespace nxui::shell
