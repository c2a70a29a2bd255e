#include "wps/CPageWPSProfile.h"

#include <cstdio>

#include "base/HexText.h"
#include "display/StringTable.h"
#include "wps/IWpsPageHost.h"
#include "wps/WpsApList.h"
#include "wps/WpsEngine.h"
#include "wps/WpsRecords.h"

namespace nxui {

namespace {

constexpr int kSsidMaxLength = 32;
constexpr int kWpaKeyLimit = static_cast<int>(kRegistrarWpaKeyLimit);
constexpr int kEncNoneOrTkip = 0;
constexpr int kEncWepOrAes = 1;

int AuthPosition(std::uint32_t authType) {
  switch (authType) {
    case wps_auth::kOpen:
    case wps_auth::kShared:
      return kRegistrarOpen;
    case wps_auth::kWpaPsk:
    case wps_auth::kWpaPskWpa2Psk:
    case wps_auth::kWpa:
      return kRegistrarWpaPsk;
    default:  // 32, and WPA2 with a server, which the registrar cannot hand out
      return kRegistrarWpa2Psk;
  }
}

int WepKeyLengthPosition(std::uint32_t keyLength) {
  switch (keyLength) {
    case 10:
      return 1;
    case 13:
      return 2;
    case 26:
      return 3;
    default:
      return 0;
  }
}

}  // namespace

CPageWPSProfile::CPageWPSProfile(const StringTable& strings, WpsEngine& engine, IWpsPageHost& host)
    : strings_(strings), engine_(engine), host_(host) {
  using namespace string_id;
  WpsProfileLabels& l = state_.labels;
  l.ssid = strings_.LoadString(kSsidLabel);
  l.bssid = strings_.LoadString(kBssidLabel);
  l.authentication = strings_.LoadString(kAuthenticationTypeLabel);
  l.encryption = strings_.LoadString(kEncryptionTypeLabel);
  l.keyLength = strings_.LoadString(kKeyLengthLabel);
  l.keyIndex = strings_.LoadString(kKeyIndexLabel);
  l.keyMaterial = strings_.LoadString(kKeyMaterialLabel);
  l.showPassword = strings_.LoadString(kShowPassword);
  l.asciiFormat = strings_.LoadString(kAsciiFormat);
  l.ok = strings_.LoadString(kOk);
  l.cancel = strings_.LoadString(kCancel);
  state_.ssidMaxLength = kSsidMaxLength;
  state_.authList.items = {strings_.LoadString(kOpen), "WPA-PSK", "WPA2-PSK"};
  state_.keyLengthList.items = {"5", "10", "13", "26"};
  state_.keyIndexList.items = {"1", "2", "3", "4"};
}

void CPageWPSProfile::ShowCredential(const WpsCredentialTable& table, std::uint32_t row, bool registrar) {
  const std::uint32_t count = std::min<std::uint32_t>(table.count, kWpsMaxCredentials);
  const WpsCredential* credential = row < count ? &table.credentials[row] : nullptr;
  state_.keyTip.clear();
  state_.showPassword = false;
  if (registrar && credential != nullptr) {
    ShowEditor(*credential);
  } else {
    ShowReadOnly(credential);
  }
  const int shown = host_.VisiblePanel();
  if (shown != kPanel) previousPanel_ = shown;
  host_.ShowPanel(kPanel);
}

void CPageWPSProfile::ShowReadOnly(const WpsCredential* credential) {
  state_.editable = false;
  state_.ssid.clear();
  state_.bssid.clear();
  state_.authText.clear();
  state_.encText.clear();
  state_.keyLengthText.clear();
  state_.keyIndexText.clear();
  state_.key.clear();
  state_.keyReadOnly = true;
  state_.asciiVisible = false;
  state_.asciiChecked = false;
  hexKey_.clear();
  asciiKey_.clear();
  if (credential == nullptr) return;

  state_.ssid = std::string(CredentialSsid(*credential));
  state_.bssid = FormatMacDashes(credential->mac);
  state_.authText = std::string(WpsAuthTypeText(credential->authType));
  state_.encText = std::string(WpsEncrTypeText(credential->encrType));
  if (CredentialIsOpen(*credential)) return;

  const std::string key(CredentialKey(*credential));
  state_.keyIndexText = "Key#" + std::to_string(CredentialKeyIndex(*credential) + 1);
  state_.key = key;
  state_.keyLengthText = std::to_string(key.size());
  if (credential->encrType != wps_encr::kWep) return;

  // A WEP key has two forms; the hexadecimal one is shown first.
  hexKey_ = key;
  asciiKey_ = key;
  if (key.size() == 5 || key.size() == 13) {
    hexKey_ = HexBytes(key);
  } else if (key.size() == 10 || key.size() == 26) {
    std::vector<std::uint8_t> bytes;
    if (ParseHexBytes(key, "", bytes)) asciiKey_.assign(bytes.begin(), bytes.end());
  }
  state_.asciiVisible = true;
  ShowAsciiForm(false);
}

void CPageWPSProfile::ShowAsciiForm(bool ascii) {
  state_.asciiChecked = ascii;
  state_.key = ascii ? asciiKey_ : hexKey_;
  state_.keyLengthText = std::to_string(state_.key.size());
}

void CPageWPSProfile::FillEncList(bool openGroup, int selected) {
  state_.encList.items = openGroup ? std::vector<std::string>{"无", "WEP"} : std::vector<std::string>{"TKIP", "AES"};
  state_.encList.selected = selected;
}

void CPageWPSProfile::ShowEditor(const WpsCredential& credential) {
  state_.editable = true;
  state_.ssid = std::string(CredentialSsid(credential));
  state_.bssid = FormatMacDashes(credential.mac);
  state_.authText.clear();
  state_.encText.clear();
  state_.keyLengthText.clear();
  state_.keyIndexText.clear();
  state_.asciiVisible = false;
  state_.asciiChecked = false;

  state_.authList.selected = AuthPosition(credential.authType);
  const std::uint32_t encr = credential.encrType;
  const bool firstEnc = encr == wps_encr::kNone || encr == wps_encr::kTkip || encr == wps_encr::kTkipAes;
  FillEncList(OpenGroup(), firstEnc ? kEncNoneOrTkip : kEncWepOrAes);
  state_.keyLengthList.selected = WepKeyLengthPosition(credential.keyLength);
  const std::uint32_t index = CredentialKeyIndex(credential);
  state_.keyIndexList.selected = index <= 3 ? static_cast<int>(index) : 0;
  state_.key = std::string(CredentialKey(credential));
  ApplyKeyRules(false);
}

void CPageWPSProfile::ApplyKeyRules(bool emptyOnLimitChange) {
  const bool wep = OpenGroup() && state_.encList.selected == kEncWepOrAes;
  const bool none = OpenGroup() && state_.encList.selected == kEncNoneOrTkip;
  const int limit =
      wep ? static_cast<int>(kRegistrarWepKeyLengths[static_cast<std::size_t>(state_.keyLengthList.selected)])
          : kWpaKeyLimit;
  state_.keyLengthList.enabled = wep;
  state_.keyIndexList.enabled = wep;
  if (emptyOnLimitChange && wep && limit != state_.keyLimit) state_.key.clear();
  // A key that nothing would save is not shown as if it would be.
  if (emptyOnLimitChange && none && !state_.keyReadOnly) state_.key.clear();
  state_.keyLimit = limit;
  state_.keyReadOnly = none;
}

void CPageWPSProfile::OnSsidEdited(const std::string& text) {
  if (!state_.editable) return;
  state_.ssid = text.substr(0, static_cast<std::size_t>(state_.ssidMaxLength));
}

void CPageWPSProfile::OnKeyEdited(const std::string& text) {
  state_.keyTip.clear();
  if (!state_.editable || state_.keyReadOnly) return;
  state_.key = text.substr(0, static_cast<std::size_t>(state_.keyLimit));
}

void CPageWPSProfile::OnAuthChanged(int position) {
  if (!state_.editable || position < 0 || position >= static_cast<int>(state_.authList.items.size())) return;
  const bool wasOpen = OpenGroup();
  state_.authList.selected = position;
  if (OpenGroup() != wasOpen) FillEncList(OpenGroup(), kEncNoneOrTkip);
  ApplyKeyRules(true);
}

void CPageWPSProfile::OnEncChanged(int position) {
  if (!state_.editable || position < 0 || position >= static_cast<int>(state_.encList.items.size())) return;
  state_.encList.selected = position;
  ApplyKeyRules(true);
}

void CPageWPSProfile::OnKeyLengthChanged(int position) {
  if (!state_.editable || !state_.keyLengthList.enabled || position < 0 || position > 3) return;
  state_.keyLengthList.selected = position;
  ApplyKeyRules(true);
}

void CPageWPSProfile::OnKeyIndexChanged(int position) {
  if (!state_.editable || !state_.keyIndexList.enabled || position < 0 || position > 3) return;
  state_.keyIndexList.selected = position;
}

void CPageWPSProfile::OnShowPasswordChanged(bool checked) { state_.showPassword = checked; }

void CPageWPSProfile::OnAsciiFormatChanged(bool checked) {
  if (!state_.asciiVisible) return;
  ShowAsciiForm(checked);
}

std::string CPageWPSProfile::ShownKey() const {
  return state_.showPassword ? state_.key : std::string(state_.key.size(), '*');
}

RegistrarSaveResult CPageWPSProfile::OnOk() {
  state_.keyTip.clear();
  if (!state_.editable) {
    ReturnToPrevious();
    return RegistrarSaveResult::ReadOnly;
  }
  RegistrarCredentialInput input;
  input.ssid = state_.ssid;
  input.authPosition = state_.authList.selected;
  input.encPosition = state_.encList.selected;
  input.keyLengthPosition = state_.keyLengthList.selected;
  input.keyIndexPosition = state_.keyIndexList.selected;
  input.key = state_.key;
  input.keyLimit = static_cast<std::size_t>(state_.keyLimit);
  input.keyReadOnly = state_.keyReadOnly;
  const RegistrarSaveResult result = SaveRegistrarCredential(engine_, input, *this);
  if (result == RegistrarSaveResult::Saved || result == RegistrarSaveResult::ReadOnly) ReturnToPrevious();
  return result;
}

void CPageWPSProfile::OnCancel() {
  state_.keyTip.clear();
  ReturnToPrevious();
}

void CPageWPSProfile::ReturnToPrevious() { host_.ShowPanel(previousPanel_); }

void CPageWPSProfile::ShowKeyTip(const std::string& text) { state_.keyTip = text; }

bool CPageWPSProfile::Confirm(const std::string& text) { return host_.Confirm(text); }

}  // namespace nxui
