#include "wps/CPageWPSDlg.h"

#include <algorithm>

#include "display/StringTable.h"
#include "wlan/WlanMessages.h"
#include "wlan/WlanSession.h"
#include "wps/CPageWPSProfile.h"
#include "wps/IWpsPageHost.h"
#include "wps/WpsPin.h"
#include "wps/WpsRecords.h"

namespace nxui {

namespace {

// The three-stop gradient's end colours, given as 0x00BBGGRR.
constexpr DisplayColour FromBgr(std::uint32_t bgr) {
  return DisplayColour{static_cast<std::uint8_t>(bgr & 0xFF), static_cast<std::uint8_t>((bgr >> 8) & 0xFF),
                       static_cast<std::uint8_t>((bgr >> 16) & 0xFF)};
}
constexpr DisplayColour kProgressLow = FromBgr(0x00FF00);
constexpr DisplayColour kProgressMiddle = FromBgr(0x32E6FA);
constexpr DisplayColour kProgressHigh = FromBgr(0xFB0606);
constexpr DisplayColour kProgressCentre = FromBgr(0xF0CAA6);

constexpr const char* kProgressFont = "Trebuchet MS";
constexpr int kProgressFontHeight = 16;
constexpr int kPinLength = 8;

// Captions the string table does not carry: the English texts of the page's template.
constexpr const char* kAssocIe = "WPS Associate IE";
constexpr const char* kProbeIe = "WPS Probe IE";
constexpr const char* kIdColumn = "ID";

}  // namespace

DisplayColour WpsProgressColour(int progress) {
  if (progress < 35) return kProgressLow;
  if (progress < 70) return kProgressMiddle;
  return kProgressHigh;
}

CPageWPSDlg::CPageWPSDlg(IEventLoop& loop, IRandom& random, WpsEngine& engine, WlanSession& session,
                         const StringTable& strings, IWpsPageHost& host, CPageWPSProfile* detail,
                         CProfileEditorDlg* editor)
    : loop_(loop),
      random_(random),
      engine_(engine),
      session_(session),
      strings_(strings),
      host_(host),
      detail_(detail),
      editor_(editor) {}

CPageWPSDlg::~CPageWPSDlg() {
  if (window_ == 0) return;
  // The engine stops the page's timers on this window before it goes.
  engine_.DetachPage();
  host_.SetPageWindow(0);
  loop_.DestroyWindow(window_);
}

void CPageWPSDlg::OnInitDialog() {
  using namespace string_id;
  WpsPageLabels& l = state_.labels;
  l.apList = strings_.LoadString(kWpsApList);
  l.profileList = strings_.LoadString(kWpsProfileList);
  l.rescan = strings_.LoadString(kRescan);
  l.information = strings_.LoadString(kInformation);
  l.pinCodeGroup = strings_.LoadString(kPinCode);
  l.renew = strings_.LoadString(kRenew);
  l.configModeGroup = strings_.LoadString(kConfigMode);
  l.configModes = {strings_.LoadString(kEnrollee), strings_.LoadString(kRegistrar)};
  l.detail = strings_.LoadString(kDetail);
  l.connect = strings_.LoadString(kConnect);
  l.rotate = strings_.LoadString(kRotate);
  l.disconnect = strings_.LoadString(kDisconnect);
  l.remove = strings_.LoadString(kDelete);
  l.exportProfile = strings_.LoadString(kExportProfile);
  l.pin = strings_.LoadString(kPin);
  l.pbc = strings_.LoadString(kPbc);
  l.assocIe = kAssocIe;
  l.probeIe = kProbeIe;
  l.autoSelectAp = strings_.LoadString(kAutoSelectAp);

  // The marker column of the original list is dropped: nothing ever drew in it.
  state_.apColumns = {{kIdColumn, 0.25},
                      {strings_.LoadString(kColumnSsid), 0.34},
                      {strings_.LoadString(string_id::kBssidColumn), 0.25},
                      {strings_.LoadString(kSortByChannel), 0.08},
                      {"", 0.03}};
  state_.credentialColumns = {{"", 0.04},
                              {strings_.LoadString(kColumnSsid), 0.52},
                              {strings_.LoadString(string_id::kBssidColumn), 0.25},
                              {"", 0.20}};

  state_.progress.SetCaption(strings_.LoadString(kWpsProgress));
  state_.progressFont = kProgressFont;
  state_.progressFontHeight = kProgressFontHeight;
  state_.statusText = strings_.LoadString(kWpsStatusNotUsed);

  window_ = loop_.CreateWindow(*this);
  host_.SetPageWindow(window_);
  engine_.AttachPage(*this);

  pagePin_ = NewPin();
  WpsEngineState& engineState = engine_.MutableState();
  state_.configMode = static_cast<int>(engineState.configMode);
  if (engineState.configMode == WpsConfigMode::Enrollee) engineState.pinCode = pagePin_;
  state_.pinText = FormatPin(engineState.pinCode);
  ApplyModeControls();

  // The list shows the adapter's last scan at once rather than staying empty until the next one.
  apList_.Build(host_.ScanBuffer());
  state_.apRows = apList_.Rows();
  state_.selectedAp = apList_.Size() > 0 ? 0 : -1;

  RebuildCredentialList();
  engine_.StartPageTimers();
  PaintProgress();
}

std::uint32_t CPageWPSDlg::NewPin() {
  // Without random bytes there is no new PIN: the one in force stays rather than a guessable one.
  return GeneratePin(random_).value_or(engine_.State().pinCode);
}

void CPageWPSDlg::ApplyModeControls() {
  const bool registrar = engine_.State().configMode == WpsConfigMode::Registrar;
  state_.pinReadOnly = !registrar;
  state_.deleteVisible = !registrar;
  state_.renewEnabled = !registrar;
}

void CPageWPSDlg::BeginAction() {
  state_.pinTip.clear();
  state_.pinFocused = false;
}

void CPageWPSDlg::PaintProgress() {
  const DisplayColour end = WpsProgressColour(state_.progress.position);
  state_.progress.hasGradient = true;
  state_.progress.startColour = end;
  state_.progress.middleColour = kProgressCentre;
  state_.progress.endColour = end;
}

void CPageWPSDlg::OnRescan() {
  BeginAction();
  state_.rescanEnabled = false;
  state_.informationEnabled = false;
  state_.pinEnabled = false;
  state_.pbcEnabled = false;
  state_.detailEnabled = false;
  state_.connectEnabled = false;
  state_.rotateEnabled = false;
  host_.QueueScan();
}

void CPageWPSDlg::OnScanCompleted() {
  state_.rescanEnabled = true;
  state_.pbcEnabled = true;
  session_.BuildScanList(host_.ScanBuffer());
  RefillApList();
}

void CPageWPSDlg::OnScanFailed() {
  state_.rescanEnabled = true;
  state_.pbcEnabled = true;
  RefreshButtons();
}

void CPageWPSDlg::RefillApList() {
  apList_.Build(host_.ScanBuffer());
  state_.apRows = apList_.Rows();
  state_.selectedAp = apList_.Size() > 0 ? 0 : -1;
  RefreshButtons();
}

std::span<const std::uint8_t> CPageWPSDlg::ApScanEntry(int row) const {
  if (row < 0) return {};
  return apList_.Entry(static_cast<std::size_t>(row));
}

void CPageWPSDlg::OnApRowClicked(int row) {
  BeginAction();
  state_.selectedAp = row >= 0 && row < ApRowCount() ? row : -1;
  RefreshButtons();
}

void CPageWPSDlg::OnCredentialRowClicked(int row) {
  BeginAction();
  const int rows = static_cast<int>(state_.credentialRows.size());
  state_.selectedCredential = row >= 0 && row < rows ? row : -1;
  RefreshButtons();
}

void CPageWPSDlg::OnInformation() {
  BeginAction();
  if (state_.selectedAp < 0) {
    host_.ShowMessage(strings_.LoadString(string_id::kNoSelectedItem));
    return;
  }
  host_.ShowApDetails(ApScanEntry(state_.selectedAp));
}

void CPageWPSDlg::OnPin() {
  BeginAction();
  engine_.StartPinRun();
  PaintProgress();
}

void CPageWPSDlg::OnPbc() {
  BeginAction();
  engine_.StartPbcRun();
  PaintProgress();
}

void CPageWPSDlg::OnRenew() {
  BeginAction();
  if (!state_.renewEnabled) return;
  pagePin_ = NewPin();
  engine_.Renew(pagePin_);
  state_.pinText = FormatPin(pagePin_);
}

void CPageWPSDlg::OnConfigModeChanged(int position) {
  BeginAction();
  if (position != 0 && position != 1) return;
  const auto mode = static_cast<WpsConfigMode>(position);
  if (mode == engine_.State().configMode) return;
  engine_.ChangeConfigMode(mode, pagePin_);
  state_.configMode = static_cast<int>(engine_.State().configMode);
  if (engine_.State().configMode == WpsConfigMode::Enrollee) state_.pinText = FormatPin(engine_.State().pinCode);
  ApplyModeControls();
  PaintProgress();
}

void CPageWPSDlg::OnConnect() {
  BeginAction();
  engine_.Connect(state_.selectedCredential);
}

void CPageWPSDlg::OnRotate() {
  BeginAction();
  engine_.Rotate();
}

void CPageWPSDlg::OnDisconnect() {
  BeginAction();
  engine_.Disconnect();
  PaintProgress();
}

void CPageWPSDlg::OnDelete() {
  BeginAction();
  if (!state_.deleteVisible) return;
  engine_.DeleteCredential(state_.selectedCredential);
  PaintProgress();
}

void CPageWPSDlg::OnDetail() {
  BeginAction();
  if (detail_ == nullptr || state_.selectedCredential < 0) return;
  const WpsEngineState& engineState = engine_.State();
  const bool registrar = engineState.configMode == WpsConfigMode::Registrar;
  const std::uint32_t row = registrar ? 0 : static_cast<std::uint32_t>(state_.selectedCredential);
  detail_->ShowCredential(engineState.table, row, registrar);
}

void CPageWPSDlg::OnExportProfile() {
  BeginAction();
  if (editor_ == nullptr || engine_.State().Count() == 0) return;
  engine_.ExportCredentials(*editor_);
}

bool CPageWPSDlg::Exporting() const { return engine_.Exporting(); }

void CPageWPSDlg::OnPinEdited(const std::string& text) {
  BeginAction();
  if (state_.pinReadOnly) return;
  state_.pinText = text.substr(0, kPinLength);
}

void CPageWPSDlg::OnAssocIeChanged(bool checked) {
  BeginAction();
  state_.assocIeChecked = checked;
}

void CPageWPSDlg::OnProbeIeChanged(bool checked) {
  BeginAction();
  state_.probeIeChecked = checked;
}

void CPageWPSDlg::OnAutoSelectChanged(bool checked) {
  BeginAction();
  state_.autoSelectChecked = checked;
  RefreshButtons();
}

void CPageWPSDlg::ClearCredentialList() {
  state_.credentialRows.clear();
  state_.selectedCredential = -1;
}

void CPageWPSDlg::RebuildCredentialList() {
  WpsEngineState& engineState = engine_.MutableState();
  engineState.currentCredential = 0;
  engineState.nextCredential = 0;
  state_.credentialRows.clear();
  const std::uint32_t count = std::min<std::uint32_t>(engineState.Count(), kWpsMaxCredentials);
  for (std::uint32_t i = 0; i < count; ++i) {
    const WpsCredential& credential = engineState.table.credentials[i];
    WpsCredentialRow row;
    row.ssid = std::string(CredentialSsid(credential));
    row.locked = !CredentialIsOpen(credential);
    state_.credentialRows.push_back(std::move(row));
  }
  state_.selectedCredential = state_.credentialRows.empty() ? -1 : 0;
  RefreshButtons();
}

void CPageWPSDlg::MarkCredential(int row, int mark) {
  for (WpsCredentialRow& r : state_.credentialRows) r.mark = kCredentialUnmarked;
  if (row >= 0 && static_cast<std::size_t>(row) < state_.credentialRows.size()) {
    state_.credentialRows[static_cast<std::size_t>(row)].mark = mark;
  }
}

void CPageWPSDlg::RefreshButtons() {
  const bool apSelected = state_.selectedAp >= 0;
  const bool credentialSelected = state_.selectedCredential >= 0;
  const bool haveCredentials = engine_.State().Count() != 0;
  state_.informationEnabled = apSelected;
  state_.pinEnabled = apSelected;
  state_.detailEnabled = credentialSelected;
  state_.connectEnabled = credentialSelected;
  state_.deleteEnabled = credentialSelected;
  state_.rotateEnabled = haveCredentials;
  state_.exportEnabled = haveCredentials;
}

void CPageWPSDlg::ShowPinTip(const std::string& text) {
  state_.pinTip = text;
  state_.pinFocused = true;
}

void CPageWPSDlg::ShowPinMessage(const std::string& text) {
  host_.ShowMessage(text);
  state_.pinFocused = true;
}

void CPageWPSDlg::OnTimer(UINT_PTR timerId) {
  engine_.OnPageTimer(timerId);
  const bool haveCredentials = engine_.State().Count() != 0;
  state_.rotateEnabled = haveCredentials;
  state_.exportEnabled = haveCredentials;
  PaintProgress();
}

LRESULT CPageWPSDlg::OnMessage(UINT message, WPARAM, LPARAM) {
  if (message == wlan_msg::kScanComplete) {
    OnScanCompleted();
  } else if (message == wlan_msg::kScanFailed) {
    OnScanFailed();
  }
  return 0;
}

}  // namespace nxui
