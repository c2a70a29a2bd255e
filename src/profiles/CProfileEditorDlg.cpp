#include "profiles/CProfileEditorDlg.h"
#include "base/AsciiCase.h"

#include "adapter/ChannelFrequencyTable.h"
#include "display/StringTable.h"
#include "profiles/IProfileEditorEnvironment.h"
#include "profiles/ProfileStore.h"
#include "scan/BssidEx.h"
#include "scan/ScanEntryRecord.h"

namespace nxui {

namespace {

using namespace string_id;

std::string TrimBlanks(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool EqualNoCase(const std::string& a, const std::string& b) { return EqualsIgnoringAsciiCase(a, b); }

// A non-empty stored value replaces the default.
void Take(std::string& field, const std::string& stored) {
  if (!stored.empty()) field = stored;
}

// The security tab's choice for what the survey says about a network.
int AuthIndexFromSurveyCode(int authCode) {
  switch (authCode) {
    case 1:
      return kAuthWpa;
    case 2:
      return kAuthWpaPsk;
    case 3:
      return kAuthWpaNone;
    case 4:
      return kAuthWpa2;
    case 5:
      return kAuthWpa2Psk;
    default:
      return kAuthOpen;
  }
}

}  // namespace

void Dot1xDetails::Load(const ProfileRecord& record) {
  *this = Dot1xDetails{};
  Take(authenProtocol, record.authenProtocol);
  Take(authenProtocol == "2" ? ttlsTunnel : peapTunnel, record.tunnelProtocol);
  Take(provisioningTunnel, record.provisioningTunnel);
  Take(passwordMode, record.passwordMode);
  Take(provisionMode, record.provisionMode);
  Take(id, record.id);
  Take(password, record.password);
  Take(domainName, record.domainName);
  Take(tunnelId, record.tunnelID);
  Take(tunnelPassword, record.tunnelPassword);
  Take(sessionResumption, record.sessionResumption);
  Take(useClientCert, record.useClientCert);
  Take(clientCertLen, record.clientCertLen);
  Take(clientCertData, record.clientCertData);
  Take(useServerCert, record.useServerCert);
  Take(serverCertLen, record.serverCertLen);
  Take(serverCertData, record.serverCertData);
  Take(usePac, record.usePAC);
  Take(pacFilePath, record.pacFilePath);
  Take(serverName, record.serverName);
  Take(nameRule, record.nameRule);
  Take(intermediateCert, record.intermediateCert);
}

void Dot1xDetails::Store(ProfileRecord& record) const {
  record.authenProtocol = authenProtocol;
  record.tunnelProtocol = authenProtocol == "2" ? ttlsTunnel : peapTunnel;
  record.provisioningTunnel = provisioningTunnel;
  record.passwordMode = passwordMode;
  record.provisionMode = provisionMode;
  record.id = id;
  record.password = password;
  record.domainName = domainName;
  record.tunnelID = tunnelId;
  record.tunnelPassword = tunnelPassword;
  record.sessionResumption = sessionResumption;
  record.useClientCert = useClientCert;
  record.clientCertLen = clientCertLen;
  record.clientCertData = clientCertData;
  record.useServerCert = useServerCert;
  record.serverCertLen = serverCertLen;
  record.serverCertData = serverCertData;
  record.usePAC = usePac;
  record.pacFilePath = pacFilePath;
  record.serverName = serverName;
  record.nameRule = nameRule;
  record.intermediateCert = intermediateCert;
}

CProfileEditorDlg::CProfileEditorDlg(const StringTable& strings, ProfileStore& store,
                                     IProfileEditorEnvironment& environment, IProfileEditorWindow& window)
    : strings_(strings),
      store_(store),
      environment_(environment),
      window_(window),
      security_(strings, environment),
      system_(strings, [this](bool infrastructure) { security_.SetInfrastructure(infrastructure); }) {
  state_.systemTabCaption = Text(kSystemConfig);
  state_.securityTabCaption = Text(kAuthEncry);
  state_.okLabel = Text(kOk);
  state_.cancelLabel = Text(kCancel);
}

std::string CProfileEditorDlg::Text(std::uint32_t id) const { return strings_.LoadString(id); }

void CProfileEditorDlg::Begin(EditorMode mode) {
  state_.mode = mode;
  state_.tab = EditorTab::SystemConfig;
  originalName_.clear();
  details_ = Dot1xDetails{};
  ReadCcx2Control();
}

void CProfileEditorDlg::ReadCcx2Control() {
  std::uint32_t value = 0;
  if (!environment_.ReadCcx2Control(value)) value = 0;
  ccxFlag0_ = (value & 1u) != 0;
  ccxFlag1_ = (value & 2u) != 0;
}

void CProfileEditorDlg::OpenNew() {
  Begin(EditorMode::New);
  security_.LoadDefaults();
  system_.LoadDefaults(DefaultProfileName(store_.ListProfiles()));
  system_.FillSsidList(environment_.LastScan());
  system_.FillChannelList(environment_.WirelessMode());
  window_.ShowEditorPanel();
}

void CProfileEditorDlg::OpenExisting(const std::string& name) {
  Begin(EditorMode::Existing);
  originalName_ = name;
  ProfileRecord record = store_.LoadProfile(name);
  record.name = name;
  system_.Load(record);
  security_.Load(record);
  // Loaded 802.1X details survive to the save: they have no controls, and an Edit + OK must not
  // wipe them.
  details_.Load(record);
  system_.FillSsidList(environment_.LastScan());
  system_.FillChannelList(environment_.WirelessMode());
  window_.ShowEditorPanel();
}

void CProfileEditorDlg::OpenFromNetwork(const SurveySelection& selection) {
  Begin(EditorMode::FromSurvey);
  security_.LoadDefaults();
  system_.LoadDefaults(DefaultProfileName(store_.ListProfiles()));
  system_.FillSsidList(environment_.LastScan());

  ScanEntryRecord entry;
  ReadScanEntry(selection.entry, entry);
  system_.SetSsid(entry.SsidText());
  system_.OnNetworkTypeSelected(entry.infrastructureMode == bssid_ex::kModeIbss ? NetworkType::kAdhoc
                                                                                : NetworkType::kInfrastructure);
  std::uint32_t channel = 0;
  std::string channelText;
  if (FrequencyToChannel(entry.dsConfig, channel)) channelText = ChannelTextFromStored(std::to_string(channel));
  system_.FillChannelList(environment_.WirelessMode());
  system_.OnChannelSelected(channelText);

  const int auth = AuthIndexFromSurveyCode(selection.authCode);
  int enc = kEncNone;
  if (auth == kAuthOpen) {
    enc = selection.secured ? kEncWep : kEncNone;
  } else if (selection.cipherText == "TKIP") {
    enc = kEncTkip;
  } else if (selection.cipherText == "AES") {
    enc = kEncAes;
  }
  security_.Preset(auth, enc);
  window_.ShowEditorPanel();
}

void CProfileEditorDlg::TabWindow::ShowHint(EditorField field, const std::string& text) {
  editor_.ShowHint(field, text);
}

void CProfileEditorDlg::ShowHint(EditorField field, const std::string& text) {
  const bool onSystemTab = field == EditorField::ProfileName || field == EditorField::Ssid ||
                           field == EditorField::Channel || field == EditorField::RtsThreshold ||
                           field == EditorField::FragThreshold;
  state_.tab = onSystemTab ? EditorTab::SystemConfig : EditorTab::AuthEncry;
  window_.ShowHint(field, text);
}

ProfileRecord CProfileEditorDlg::BuildRecord() const {
  ProfileRecord record;
  system_.Store(record);
  security_.Store(record);
  details_.Store(record);
  record.name = TrimBlanks(record.name);
  return record;
}

EditorOkResult CProfileEditorDlg::OnOk() {
  const ProfileRecord record = BuildRecord();
  // The file format keeps a name only when it is not empty and holds no line break or NUL.
  const StoreStatus nameStatus = CheckProfileName(record.name);
  if (nameStatus == StoreStatus::EmptyName) {
    ShowHint(EditorField::ProfileName, Text(kPleaseEnterProfileName));
    return EditorOkResult::Refused;
  }
  if (nameStatus != StoreStatus::Ok) {
    ShowHint(EditorField::ProfileName, Text(kProfileNameInvalidCharacters));
    return EditorOkResult::Refused;
  }
  if (system_.Values().ssid.empty()) {
    window_.ShowMessage(Text(kPleaseEnterSsid));
    return EditorOkResult::Refused;
  }
  if (security_.Validate(tabWindow_) == 0) return EditorOkResult::Refused;
  const AuthEncryValues& security = security_.Values();
  if (security.authIndex == kAuthLeap && security.infrastructure != 0 &&
      (security.leapIdentity.empty() || security.leapPassword.empty())) {
    window_.ShowMessage(Text(kLeapNeedsIdAndPassword));
    return EditorOkResult::Refused;
  }
  // Saving over another profile replaces it: only when the user says so.
  const bool sameProfile = state_.mode == EditorMode::Existing && EqualNoCase(record.name, originalName_);
  if (!sameProfile && store_.HasProfile(record.name) &&
      !window_.Confirm(Text(kDuplicateProfileName) + "\n" + Text(kCreateAnotherProfile))) {
    ShowHint(EditorField::ProfileName, Text(kDuplicateProfileName));
    return EditorOkResult::Refused;
  }
  const StoreResult saved = store_.SaveProfile(record);
  if (!saved.ok()) {
    window_.ShowMessage(StoreFailureText(saved, strings_));
    return saved.status == StoreStatus::WriteFailed || saved.status == StoreStatus::Utf16File ||
                   saved.status == StoreStatus::NoAdapter
               ? EditorOkResult::SaveFailed
               : EditorOkResult::Refused;
  }
  state_.mode = EditorMode::Closed;
  window_.CloseEditorPanel(true);
  return EditorOkResult::Saved;
}

void CProfileEditorDlg::OnCancel() {
  state_.mode = EditorMode::Closed;
  window_.CloseEditorPanel(false);
}

}  // namespace nxui
