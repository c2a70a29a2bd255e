#include "wps/WpsEngine.h"

#include <algorithm>
#include <array>

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/Oids.h"
#include "base/ByteReader.h"
#include "platform/IWlanApi.h"
#include "scan/ScanEntryRecord.h"
#include "wlan/WlanProfileBuilder.h"
#include "wlan/WlanSession.h"

namespace nxui {

using namespace wps_timer;

WpsEngine::WpsEngine(WpsEngineState& state, IEventLoop& loop, DriverRequestPort& driver, WlanSession& session,
                     WpsStore& store, IWpsHost& host)
    : state_(state), loop_(loop), driver_(driver), session_(session), store_(store), host_(host) {}

// --- timers and the page's controls --------------------------------------------------------

void WpsEngine::SetPageTimer(UINT_PTR id, UINT periodMs) {
  if (page_ != nullptr) loop_.SetTimer(page_->Window(), id, periodMs);
}
void WpsEngine::KillPageTimer(UINT_PTR id) {
  if (page_ != nullptr) loop_.KillTimer(page_->Window(), id);
}
void WpsEngine::SetHiddenTimer(UINT_PTR id, UINT periodMs) { loop_.SetTimer(host_.HiddenWindow(), id, periodMs); }
void WpsEngine::KillHiddenTimer(UINT_PTR id) { loop_.KillTimer(host_.HiddenWindow(), id); }

void WpsEngine::SetStatus(const std::string& text) {
  if (page_ != nullptr) page_->SetStatusText(text);
}
void WpsEngine::SetProgress(int percent) {
  if (page_ != nullptr) page_->SetProgress(percent);
}
void WpsEngine::MarkCurrent(int mark) {
  if (page_ != nullptr) page_->MarkCredential(static_cast<int>(state_.currentCredential), mark);
}

void WpsEngine::WriteStore(int flag) {
  const StoreResult result = store_.WriteWpsStore(flag);
  if (!result.ok()) host_.ReportStoreFailure(result);
}
void WpsEngine::WriteWsc() {
  const StoreResult result = store_.WriteWscFlag();
  if (!result.ok()) host_.ReportStoreFailure(result);
}

namespace {

bool QueryWord(DriverRequestPort& driver, Oid oid, std::uint32_t& value) {
  std::array<std::uint8_t, 4> bytes{};
  if (!driver.Query(oid, bytes)) return false;
  value = LoadLe32(bytes.data());
  return true;
}

}  // namespace

// --- hand-over -----------------------------------------------------------------------------

void WpsEngine::AttachPage(IWpsPage& page) {
  page_ = &page;
  KillHiddenTimer(kHiddenCredential);
  KillHiddenTimer(kHiddenPbcPoll);
}

void WpsEngine::StartPageTimers() {
  pollCount_ = 1;
  if (state_.wscConnect && state_.table.count > 0) SetPageTimer(kPageMonitor, kPageMonitorMs);
  SetPageTimer(kPagePbcPoll, kPagePbcPollMs);
}

void WpsEngine::DetachPage() {
  if (page_ == nullptr) return;
  state_.autoApIndex = -1;
  state_.wpsMethod = WpsMethod::None;
  if (state_.wscConnect && state_.rotateMode) SetHiddenTimer(kHiddenCredential, kHiddenCredentialMs);
  for (UINT_PTR id : {UINT_PTR{1}, UINT_PTR{2}, UINT_PTR{3}, UINT_PTR{4}, UINT_PTR{6}}) KillPageTimer(id);
  page_ = nullptr;
  SetHiddenTimer(kHiddenPbcPoll, kHiddenPbcPollMs);
}

// --- runs ----------------------------------------------------------------------------------

bool WpsEngine::ValidatePin() {
  if (page_ == nullptr) return false;
  const PinCheckResult result = CheckPinText(page_->PinText());
  switch (result.check) {
    case PinCheck::WrongLength:
      page_->ShowPinTip(wps_text::kInvalidPinCode);
      return false;
    case PinCheck::WrongChecksum:
      page_->ShowPinMessage(wps_text::kPinWrong);
      return false;
    case PinCheck::Ok:
      break;
  }
  state_.pinCode = result.value;
  WriteStore(0);
  return true;
}

void WpsEngine::DropPlatformConnection() {
  session_.Disconnect();
  session_.Profiles().DeleteAllProfiles();
}

void WpsEngine::ClearForEnrolleeStart() {
  if (page_ != nullptr) page_->ClearCredentialList();
  state_.ClearCredentials();
  WriteStore(1);
  if (page_ != nullptr) page_->RebuildCredentialList();
}

void WpsEngine::SendStartRequest(const WpsStartRequest& request, bool pinRun) {
  if (pinRun) driver_.SetU32(OID_WLAN_WPS_AUTO_SELECT, 0);
  driver_.Set(OID_WLAN_WPS_START, EncodeWpsStartRequest(request));
  driver_.Set(OID_WLAN_WPS_SET_CREDENTIALS, EncodeWpsCredentialTable(state_.table));
  const bool assocIe = page_ != nullptr && page_->AssocIeChecked();
  const bool probeIe = page_ != nullptr && page_->ProbeIeChecked();
  driver_.SetU32(OID_WLAN_WPS_ASSOC_IE, assocIe ? 1 : 0);
  driver_.SetU32(OID_WLAN_WPS_PROBE_IE, probeIe ? 1 : 0);
}

void WpsEngine::BeginStatusPolling() {
  state_.rotateMode = true;
  pollCount_ = 1;
  if (page_ != nullptr) page_->EnableRescan(false);
  SetProgress(5);
  SetPageTimer(kPageStatusPoll, kPageStatusPollMs);
}

void WpsEngine::StartPinRun() { StartPinRunFromStep1(); }

bool WpsEngine::StartPinRunFromStep1() {
  if (page_ == nullptr || !ValidatePin()) return false;
  state_.wpsMethod = WpsMethod::Pin;
  state_.autoApIndex = page_->SelectedApRow();
  state_.wscConnect = true;
  StopPageTimers();
  DropPlatformConnection();
  if (state_.autoApIndex == -1) return false;

  if (state_.configMode == WpsConfigMode::Enrollee) ClearForEnrolleeStart();

  ScanEntryRecord entry;
  if (!ReadScanEntry(page_->ApScanEntry(state_.autoApIndex), entry)) return false;
  WpsStartRequest request{};
  request.method = kWpsMethodPin;
  const std::string digits = FormatPin(state_.pinCode);
  std::copy_n(digits.begin(), sizeof request.pin, request.pin);
  const std::span<const std::uint8_t> ssid = entry.SsidBytes();
  request.ssid.ssidLength = static_cast<std::uint32_t>(ssid.size());
  std::copy(ssid.begin(), ssid.end(), request.ssid.ssid);
  std::copy(entry.mac.begin(), entry.mac.end(), request.bssid);
  std::uint32_t channel = 0;
  request.channel =
      FrequencyToChannel(entry.dsConfig, channel) && channel <= 0xFF ? static_cast<std::uint8_t>(channel) : 0;
  request.role = state_.configMode == WpsConfigMode::Registrar ? kWpsRoleRegistrar : kWpsRoleEnrollee;

  SetStatus(std::string(wps_text::kStartPin) + entry.SsidText());

  WpsCredential& own = state_.table.credentials[0];
  if (state_.configMode == WpsConfigMode::Registrar && CredentialIsOpen(own)) own.keyLength = 0;

  SendStartRequest(request, true);
  BeginStatusPolling();
  return true;
}

void WpsEngine::StartPbcRun() {
  if (page_ == nullptr) return;
  state_.wpsMethod = WpsMethod::Pbc;
  state_.wscConnect = true;
  StopPageTimers();
  DropPlatformConnection();
  if (state_.configMode == WpsConfigMode::Enrollee) ClearForEnrolleeStart();
  SetStatus(wps_text::kStartPbc);
  WpsStartRequest request{};
  request.method = kWpsMethodPbc;
  request.role = state_.configMode == WpsConfigMode::Registrar ? kWpsRoleRegistrar : kWpsRoleEnrollee;
  SendStartRequest(request, false);
  BeginStatusPolling();
}

void WpsEngine::StopPageTimers() {
  if (page_ == nullptr) return;
  page_->EnableRescan(true);
  page_->EnablePbc(true);
  if (state_.wpsMethod != WpsMethod::Pin) page_->RefillApList();
  for (UINT_PTR id = 1; id <= 4; ++id) KillPageTimer(id);
}

void WpsEngine::ResetRun(bool zeroProgress) {
  if (page_ == nullptr) return;
  page_->EnableRescan(true);
  if (zeroProgress) SetProgress(0);
  StopPageTimers();
}

// --- page timers ---------------------------------------------------------------------------

void WpsEngine::OnPageTimer(UINT_PTR timerId) {
  if (page_ == nullptr) return;
  if (timerId == kPageStatusPoll) {
    OnStatusPoll();
  } else if (timerId == kPageMonitor) {
    OnPageMonitor();
  } else if (timerId == kPagePbcPoll) {
    OnPagePbcPoll();
  }
}

void WpsEngine::Forget() {
  if (state_.wpsMethod == WpsMethod::Pin) state_.autoApIndex = -1;
}

void WpsEngine::OnStatusPoll() {
  std::uint32_t word = 0;
  if (!QueryWord(driver_, OID_WLAN_WPS_STATUS, word)) return;
  const WpsStatusInfo info = LookupWpsStatus(word & kWpsStatusCodeMask);
  if (info.progress >= 0) SetProgress(info.progress);
  bool restarted = false;
  switch (info.action) {
    case WpsStatusAction::None:
      break;
    case WpsStatusAction::Forget:
      Forget();
      break;
    case WpsStatusAction::StopAndForget:
      KillPageTimer(kPageStatusPoll);
      ResetRun(true);
      Forget();
      break;
    case WpsStatusAction::ResetAndForget:
      ResetRun(true);
      Forget();
      break;
    case WpsStatusAction::ResetEndAndForget:
      ResetRun(true);
      EndWpsConnection();
      Forget();
      break;
    case WpsStatusAction::Retry:
      if (state_.wpsMethod == WpsMethod::Pin && state_.autoApIndex >= 0 && state_.autoApIndex < page_->ApRowCount()) {
        restarted = StartPinRunFromStep1();
      } else if (state_.wpsMethod == WpsMethod::Pin) {
        state_.autoApIndex = -1;
      }
      break;
    case WpsStatusAction::Success:
      Success();
      break;
  }
  if (!restarted && page_ != nullptr) page_->SetStatusText(WpsStatusLine(word));
}

void WpsEngine::FetchCredentials() {
  WpsCredentialTableBytes bytes{};
  if (!driver_.Query(OID_WLAN_WPS_CREDENTIAL, bytes)) return;
  WpsCredentialTable table{};
  if (DecodeWpsCredentialTable(bytes, table)) state_.table = table;
}

void WpsEngine::Success() {
  state_.autoApIndex = -1;
  state_.wpsMethod = WpsMethod::None;
  page_->RefillApList();
  SetStatus(wps_text::kConfigured);
  ResetRun(false);
  SetProgress(95);
  FetchCredentials();
  WriteStore(1);
  page_->RebuildCredentialList();
  MarkCurrent(kCredentialTrying);
  WriteWsc();
  if (state_.table.count > 0) {
    pollCount_ = 1;
    ConnectWithCredential();
    SetPageTimer(kPageMonitor, kPageMonitorMs);
  }
}

void WpsEngine::OnPageMonitor() {
  if (state_.table.count == 0) {
    pollCount_ = 1;
    KillPageTimer(kPageMonitor);
    return;
  }
  if (IsConnectedToCredential() && state_.wscConnect) {
    MarkCurrent(kCredentialConnected);
    const WpsCredential& credential = state_.table.credentials[std::min<std::size_t>(state_.currentCredential, 7)];
    SetStatus(std::string(wps_text::kConnected) + std::string(CredentialSsid(credential)));
    page_->EnableRescan(true);
    SetProgress(100);
    state_.rotateMode = false;
  } else {
    MarkCurrent(kCredentialTrying);
    SetStatus(wps_text::kNotConnected);
    SetProgress(0);
    if (state_.rotateMode && pollCount_ % 5 == 0) ConnectWithCredential();
  }
  ++pollCount_;
}

void WpsEngine::OnPagePbcPoll() {
  std::uint32_t started = 0;
  if (!QueryWord(driver_, OID_WLAN_WPS_PBC_STARTED, started) || started == 0) return;
  state_.wscConnect = true;
  StopPageTimers();
  page_->ClearCredentialList();
  state_.ClearCredentials();
  DropPlatformConnection();
  WriteStore(1);
  page_->RebuildCredentialList();
  SetStatus(wps_text::kDriverPbcStarted);
  page_->EnablePbc(true);
  BeginStatusPolling();
}

// --- hidden-window timers ------------------------------------------------------------------

bool WpsEngine::OnHiddenPbcPoll() {
  // Started at adapter-ready even when the page already exists; two pollers would both follow the
  // same run, so the page's poll wins.
  if (page_ != nullptr) {
    KillHiddenTimer(kHiddenPbcPoll);
    return false;
  }
  std::uint32_t started = 0;
  if (!QueryWord(driver_, OID_WLAN_WPS_PBC_STARTED, started) || started == 0) return false;
  state_.wscConnect = true;
  state_.rotateMode = true;
  KillHiddenTimer(kHiddenCredential);
  KillHiddenTimer(kHiddenStatusPoll);
  SetHiddenTimer(kHiddenStatusPoll, kHiddenStatusPollMs);
  return true;
}

void WpsEngine::OnHiddenStatusPoll() {
  std::uint32_t word = 0;
  if (!QueryWord(driver_, OID_WLAN_WPS_STATUS, word)) return;
  switch (word & kWpsStatusCodeMask) {
    case wps_status::kConfigured:
      KillHiddenTimer(kHiddenCredential);
      KillHiddenTimer(kHiddenStatusPoll);
      FetchCredentials();
      WriteStore(1);
      WriteWsc();
      if (state_.table.count > 0) {
        state_.currentCredential = 0;
        state_.nextCredential = 0;
        ConnectWithCredential();
        SetHiddenTimer(kHiddenCredential, kHiddenCredentialMs);
      }
      break;
    case wps_status::kNotUsed:
      KillHiddenTimer(kHiddenStatusPoll);
      break;
    case wps_status::kWrongNonce:
    case wps_status::kIncompleteEap:
    case wps_status::kWrongPin:
    case wps_status::kIllegalSsid:
    case wps_status::kWrongVendorId:
    case wps_status::kWrongVendorType:
    case wps_status::kProcessFailed:
      KillHiddenTimer(kHiddenCredential);
      KillHiddenTimer(kHiddenStatusPoll);
      break;
    default:
      break;
  }
}

void WpsEngine::OnHiddenCredentialStep() {
  if (state_.wscConnect && state_.rotateMode && state_.table.count > 0) {
    if (IsConnectedToCredential()) {
      KillHiddenTimer(kHiddenCredential);
    } else {
      ConnectWithCredential();
    }
  } else {
    KillHiddenTimer(kHiddenCredential);
  }
}

// --- connection ----------------------------------------------------------------------------

void WpsEngine::ConnectWithCredential() {
  state_.wscConnect = true;
  const std::uint32_t count = std::min<std::uint32_t>(state_.table.count, kWpsMaxCredentials);
  if (count == 0) return;
  if (state_.rotateMode) {
    state_.currentCredential = state_.nextCredential;
  } else {
    state_.nextCredential = state_.currentCredential;
  }
  // An index left from a longer table (a deletion, a new run) starts the turn again.
  if (state_.currentCredential >= count) state_.currentCredential = 0;
  const WpsCredential& credential = state_.table.credentials[state_.currentCredential];
  host_.QueueConnect(std::make_unique<ConnectionSettings>(CredentialToConnection(credential, session_)));
  if (state_.rotateMode) state_.nextCredential = (state_.currentCredential + 1) % count;
}

std::uint32_t WpsEngine::ExpectedAuthAlgorithm(std::uint32_t wpsAuthType) {
  switch (wpsAuthType) {
    case wps_auth::kWpaPsk:
    case wps_auth::kWpaPskWpa2Psk:
      return kDot11AuthWpaPsk;
    case wps_auth::kShared:
      return kDot11AuthSharedKey;
    case wps_auth::kWpa:
      return kDot11AuthWpa;
    case wps_auth::kWpa2:
      return kDot11AuthRsna;
    case wps_auth::kWpa2Psk:
      return kDot11AuthRsnaPsk;
    default:
      return kDot11AuthOpen;
  }
}

std::uint32_t WpsEngine::ExpectedCipherAlgorithm(std::uint32_t wpsEncrType) {
  switch (wpsEncrType) {
    case wps_encr::kWep:
      return kDot11CipherWep;
    case wps_encr::kTkip:
    case wps_encr::kTkipAes:
      return kDot11CipherTkip;
    case wps_encr::kAes:
      return kDot11CipherCcmp;
    default:
      return kDot11CipherNone;
  }
}

bool WpsEngine::IsConnectedToCredential() {
  if (state_.currentCredential >= kWpsMaxCredentials) return false;
  int connected = 0;
  if (session_.IsConnected(connected) != kErrorSuccess || connected == 0) return false;
  SsidRecord current{};
  if (session_.CurrentSsid(current) != kErrorSuccess) return false;
  const WpsCredential& credential = state_.table.credentials[state_.currentCredential];
  const std::string_view wanted = CredentialSsid(credential);
  // The whole name: a credential for "Home" is not the connection to "HomeNet".
  const std::uint32_t currentLength = std::min<std::uint32_t>(LoadLe32(current.data()), 32);
  if (currentLength != wanted.size() || !std::equal(wanted.begin(), wanted.end(), current.begin() + 4)) return false;
  DWORD auth = 0;
  DWORD cipher = 0;
  if (session_.CurrentAuthAlgorithm(auth) != kErrorSuccess ||
      session_.CurrentCipherAlgorithm(cipher) != kErrorSuccess) {
    return false;
  }
  return auth == ExpectedAuthAlgorithm(credential.authType) && cipher == ExpectedCipherAlgorithm(credential.encrType);
}

void WpsEngine::EndWpsConnection() {
  ResetRun(true);
  state_.rotateMode = false;
  state_.wscConnect = false;
  WriteWsc();
  session_.Disconnect();
  driver_.Set(OID_DOT11_DISCONNECT_REQUEST, {});
  SetStatus(wps_text::kNotConnected);
  MarkCurrent(kCredentialUnmarked);
}

// --- page buttons --------------------------------------------------------------------------

void WpsEngine::Renew(std::uint32_t pin) {
  state_.pinCode = pin;
  WriteStore(0);
}

void WpsEngine::Disconnect() {
  state_.wpsMethod = WpsMethod::None;
  state_.autoApIndex = -1;
  EndWpsConnection();
  session_.Profiles().DeleteAllProfiles();
}

void WpsEngine::ChangeConfigMode(WpsConfigMode mode, std::uint32_t pagePin) {
  if (mode == state_.configMode) return;
  Disconnect();
  state_.currentCredential = 0;
  state_.nextCredential = 0;
  state_.configMode = mode;
  if (page_ != nullptr) page_->ClearCredentialList();
  state_.ClearCredentials();
  if (mode == WpsConfigMode::Registrar) {
    MakeRegistrarCredential(state_, driver_);
  } else {
    state_.pinCode = pagePin;
  }
  WriteStore(0);
  if (page_ != nullptr) page_->RebuildCredentialList();
}

void WpsEngine::Connect(int row) {
  state_.rotateMode = false;
  pollCount_ = 1;
  StopPageTimers();
  if (row < 0 || static_cast<std::uint32_t>(row) >= state_.table.count) return;
  state_.currentCredential = static_cast<std::uint32_t>(row);
  state_.wscConnect = true;
  MarkCurrent(kCredentialTrying);
  WriteWsc();
  ConnectWithCredential();
  SetPageTimer(kPageMonitor, kPageMonitorMs);
}

void WpsEngine::Rotate() {
  state_.rotateMode = true;
  pollCount_ = 1;
  state_.wscConnect = true;
  MarkCurrent(kCredentialTrying);
  WriteWsc();
  if (state_.table.count > 0) {
    ConnectWithCredential();
    SetPageTimer(kPageMonitor, kPageMonitorMs);
  }
}

void WpsEngine::DeleteCredential(int row) {
  const std::uint32_t count = std::min<std::uint32_t>(state_.table.count, kWpsMaxCredentials);
  if (row < 0 || static_cast<std::uint32_t>(row) >= count) return;
  const auto index = static_cast<std::uint32_t>(row);
  if (!state_.rotateMode && state_.wscConnect && index == state_.currentCredential) {
    const std::string ssid(CredentialSsidToZero(state_.table.credentials[index]));
    EndWpsConnection();
    session_.Profiles().DeleteProfile(
        ProfileNameForSsid(std::span(reinterpret_cast<const std::uint8_t*>(ssid.data()), ssid.size())));
  }
  for (std::uint32_t i = index; i + 1 < count; ++i) state_.table.credentials[i] = state_.table.credentials[i + 1];
  state_.table.credentials[count - 1] = WpsCredential{};
  state_.table.count = count - 1;
  state_.wpsBssid.fill(0);
  WriteStore(0);
  if (page_ != nullptr) {
    page_->RebuildCredentialList();
    page_->RefreshButtons();
  }
}

void WpsEngine::RegistrarCredentialSaved() {
  state_.currentCredential = 0;
  state_.nextCredential = 0;
  if (page_ == nullptr) return;
  WriteWsc();
  WriteStore(0);
  page_->ClearCredentialList();
  page_->RebuildCredentialList();
}

void WpsEngine::ExportCredentials(CProfileEditorDlg& editor) {
  export_.emplace(editor);
  export_->Start(state_.table);
}

void WpsEngine::OnProfileEditorClosed() {
  if (export_ && !export_->OnEditorClosed()) export_.reset();
}

}  // namespace nxui
