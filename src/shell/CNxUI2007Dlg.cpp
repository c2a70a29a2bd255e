#include "shell/CNxUI2007Dlg.h"

#include "display/StringTable.h"
#include "shell/ShellIds.h"

namespace nxui::shell {

const std::array<PanelInfo, kPanelCount> kPanels = {{
    {"CLinkStatusDlg", 170},
    {"CHiddenSsidDlg", 180},
    {"CProfileEditorDlg", 179},
    {"CSecurityEditorDlg", 181},
    {"CAPDetailInfoDlg", 257},
    {"CAuthenStatusDlg", 2244},
    {"CPageWPSProfile", 247},
    {"CInvalidIDPW", 2242},
    {"CPeapSettingDlg", 165},
    {"CAddBlockAckDlg", 3242},
    {"CDeleteBlockAckDlg", 3245},
}};

CNxUI2007Dlg::CNxUI2007Dlg(IEventLoop& loop, StringLookup strings, ShellState& shellState,
                           const StripConditions& conditions, MainWindowActions actions)
    : loop_(loop), strings_(std::move(strings)), shared_(shellState), actions_(std::move(actions)) {
  window_ = loop_.CreateWindow(*this);
  auto text = [this](std::uint32_t id) { return strings_ ? strings_(id) : std::string(); };
  state_.caption = text(string_id::kCaption);
  state_.icon = kIconMainWindow;
  state_.buttonFont = "Trebuchet MS";
  state_.buttonFontHeight = 20;

  auto add = [this](int controlId, std::string caption, int bitmap, std::optional<PageId> page, int dialog) {
    PageButtonState b;
    b.controlId = controlId;
    b.caption = std::move(caption);
    b.bitmap = bitmap;
    b.page = page;
    b.pageDialog = dialog;
    state_.buttons.push_back(std::move(b));
  };
  add(kCtlPageProfile, text(string_id::kPageProfile), 137, PageId::Profile, 143);
  add(kCtlPageNetwork, text(string_id::kPageNetwork), 282, PageId::Network, 144);
  add(kCtlPageStatistics, text(string_id::kPageStatistics), 141, PageId::Statistics, 146);
  add(kCtlPageWps, text(string_id::kPageWps), 274, PageId::Wps, 263);
  add(kCtlPageSso, text(string_id::kPageSso), 305, PageId::Sso, 2300);
  add(kCtlPage80211n, text(string_id::kPage80211n), 281, PageId::Dot11n, 3243);
  add(kCtlRadio, text(string_id::kRadioOnOff), shared_.radioOn ? kBmpRadioOn : kBmpRadioOff, std::nullopt, 0);
  add(kCtlPageAbout, text(string_id::kPageAbout), 289, PageId::About, 136);

  Button(kCtlPageProfile)->enabled = conditions.isAdmin;
  Button(kCtlPageWps)->enabled = !conditions.legacyG;
  Button(kCtlPageSso)->visible = conditions.isAdmin && conditions.ssoInstalled;
  Button(kCtlPage80211n)->visible = conditions.show11nButton;
  Button(kCtlPage80211n)->enabled = conditions.is11n;
  Layout();

  // The page area opens on the first page the user can use.
  for (const PageButtonState& b : state_.buttons) {
    if (b.page && b.visible && b.enabled) {
      state_.selectedPage = b.page;
      break;
    }
  }
  state_.expanded = shared_.expanded;
  RefreshMoreLess();
  ShowPanel(kPanelLinkStatus);
}

CNxUI2007Dlg::~CNxUI2007Dlg() {
  if (loop_.IsWindow(window_)) loop_.DestroyWindow(window_);
}

bool CNxUI2007Dlg::IsOpen() const { return loop_.IsWindow(window_); }

void CNxUI2007Dlg::Close() {
  if (loop_.IsWindow(window_)) loop_.DestroyWindow(window_);
}

PageButtonState* CNxUI2007Dlg::Button(int controlId) {
  for (PageButtonState& b : state_.buttons) {
    if (b.controlId == controlId) return &b;
  }
  return nullptr;
}

void CNxUI2007Dlg::Layout() {
  std::size_t visibleCount = 0;
  for (const PageButtonState& b : state_.buttons) visibleCount += b.visible ? 1 : 0;
  const StripLayout layout = ComputeStripLayout(visibleCount, state_.stripShift);
  state_.stripShift = layout.shift;
  state_.arrowsShown = layout.arrowsShown;
  state_.leftArrow = layout.leftArrow;
  state_.rightArrow = layout.rightArrow;
  state_.leftFiller = layout.leftFiller;
  state_.rightFiller = layout.rightFiller;
  std::size_t next = 0;
  for (PageButtonState& b : state_.buttons) b.slot = b.visible ? layout.buttons[next++] : StripSlot{};
}

void CNxUI2007Dlg::OnPageButton(PageId page) {
  for (const PageButtonState& b : state_.buttons) {
    if (b.page == page && b.visible && b.enabled) {
      state_.selectedPage = page;
      return;
    }
  }
}

void CNxUI2007Dlg::OnLeftArrow() {
  if (!state_.arrowsShown || state_.stripShift == 0) return;
  --state_.stripShift;
  Layout();
}

void CNxUI2007Dlg::OnRightArrow() {
  if (!state_.arrowsShown) return;
  ++state_.stripShift;
  Layout();
}

void CNxUI2007Dlg::OnRadioButton() {
  if (actions_.toggleRadio) actions_.toggleRadio();
  RefreshRadioButton();
}

void CNxUI2007Dlg::OnHelpButton() {
  if (actions_.openHelp) actions_.openHelp();
}

void CNxUI2007Dlg::OnMoreLess() {
  shared_.expanded = !shared_.expanded;
  RefreshMoreLess();
}

void CNxUI2007Dlg::ShowPanel(int n) {
  if (n < 0 || n >= static_cast<int>(kPanelCount)) return;
  state_.visiblePanel = n;
}

void CNxUI2007Dlg::RefreshRadioButton() {
  if (PageButtonState* radio = Button(kCtlRadio)) radio->bitmap = shared_.radioOn ? kBmpRadioOn : kBmpRadioOff;
}

void CNxUI2007Dlg::RefreshMoreLess() {
  state_.expanded = shared_.expanded;
  const std::uint32_t id = shared_.expanded ? string_id::kLess : string_id::kMore;
  state_.moreLessCaption = strings_ ? strings_(id) : std::string();
  state_.moreLessBitmap = shared_.expanded ? kBmpLess : kBmpMore;
}

void CNxUI2007Dlg::RefreshWpsButton(bool legacyG) {
  if (PageButtonState* wps = Button(kCtlPageWps)) wps->enabled = !legacyG;
}

void CNxUI2007Dlg::SetPageWindow(PageId page, HWND window) { pageWindows_[static_cast<std::size_t>(page)] = window; }

HWND CNxUI2007Dlg::PageWindow(PageId page) const {
  const HWND window = pageWindows_[static_cast<std::size_t>(page)];
  return loop_.IsWindow(window) ? window : 0;
}

}  // namespace nxui::shell
