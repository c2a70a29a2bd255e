#include "wps/WpsExport.h"

#include <optional>
#include <string>

namespace nxui {

namespace {

std::optional<int> AuthPosition(std::uint32_t authType) {
  switch (authType) {
    case wps_auth::kOpen:
      return kAuthOpen;
    case wps_auth::kShared:
      return kAuthShared;
    case wps_auth::kWpa:
      return kAuthWpa;
    case wps_auth::kWpaPsk:
    case wps_auth::kWpaPskWpa2Psk:
      return kAuthWpaPsk;
    case wps_auth::kWpa2:
      return kAuthWpa2;
    case wps_auth::kWpa2Psk:
      return kAuthWpa2Psk;
    default:
      return std::nullopt;
  }
}

std::optional<int> EncPosition(std::uint32_t encrType) {
  switch (encrType) {
    case wps_encr::kNone:
      return kEncNone;
    case wps_encr::kWep:
      return kEncWep;
    case wps_encr::kTkip:
    case wps_encr::kTkipAes:
      return kEncTkip;
    case wps_encr::kAes:
      return kEncAes;
    default:
      return std::nullopt;
  }
}

}  // namespace

void PrefillEditorFromCredential(CProfileEditorDlg& editor, const WpsCredential& credential) {
  editor.OpenNew();
  editor.SystemConfig().SetSsid(std::string(CredentialSsidToZero(credential)));
  CPageAuthEncryDlg& security = editor.AuthEncry();
  const int auth = AuthPosition(credential.authType).value_or(security.Values().authIndex);
  const int enc = EncPosition(credential.encrType).value_or(security.Values().encIndex);
  security.Preset(auth, enc);

  const std::string key(CredentialKey(credential));
  const std::uint32_t type = credential.authType;
  if (type == wps_auth::kWpaPsk || type == wps_auth::kWpa2Psk || type == wps_auth::kWpaPskWpa2Psk) {
    security.SetPreSharedKey(key);
  } else if ((type == wps_auth::kOpen || type == wps_auth::kShared) && credential.encrType == wps_encr::kWep) {
    const std::uint32_t index = CredentialKeyIndex(credential);
    if (index <= 3) {
      const int slot = static_cast<int>(index);
      security.OnDefaultKey(slot);
      const bool hex = credential.keyLength == 10 || credential.keyLength == 26;
      security.OnKeyTypeSelected(slot, hex ? kKeyHex : kKeyAscii);
      security.SetKeyText(slot, key);
    }
  }
}

void WpsCredentialExport::Start(const WpsCredentialTable& table) {
  table_ = table;
  NormaliseWpsCredentialTable(table_);
  next_ = 0;
  active_ = true;
  OpenNext();
}

bool WpsCredentialExport::OpenNext() {
  if (next_ >= table_.count) {
    active_ = false;
    return false;
  }
  PrefillEditorFromCredential(editor_, table_.credentials[next_]);
  ++next_;
  return true;
}

bool WpsCredentialExport::OnEditorClosed() {
  if (!active_) return false;
  return OpenNext();
}

}  // namespace nxui
