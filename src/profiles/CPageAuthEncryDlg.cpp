#include "profiles/CPageAuthEncryDlg.h"

#include "display/StringTable.h"
#include "profiles/IProfileEditorEnvironment.h"
#include "profiles/IProfileEditorWindow.h"
#include "profiles/ProfileText.h"

namespace nxui {

namespace security_text {
std::string WepKeyLength(int keyNumber, bool hexadecimal) {
  const std::string head = "非法的 WEP 共享密钥" + std::to_string(keyNumber) + " 长度。";
  return head + (hexadecimal ? "WEP 共享密钥长度应该为10或者26位16进制数字。"
                             : "WEP 共享密钥长度应该为5或者13位ASCII码字符。");
}
}  // namespace security_text

namespace {

using namespace string_id;

bool IsWpaFamily(int authIndex) { return authIndex >= kAuthWpa && authIndex <= kAuthWpaNone; }
bool UsesPreSharedKey(int authIndex) {
  return authIndex == kAuthWpaPsk || authIndex == kAuthWpa2Psk || authIndex == kAuthWpaNone;
}

// Stored AuthMode -> authIndex, for profiles without LEAP.
int AuthIndexFromStored(int authMode) {
  switch (static_cast<AuthMode>(authMode)) {
    case AuthMode::kShared:
      return kAuthShared;
    case AuthMode::kWpa:
      return kAuthWpa;
    case AuthMode::kWpaPsk:
      return kAuthWpaPsk;
    case AuthMode::kWpaNone:
      return kAuthWpaNone;
    case AuthMode::kWpa2:
      return kAuthWpa2;
    case AuthMode::kWpa2Psk:
      return kAuthWpa2Psk;
    default:
      return kAuthOpen;  // open, the blank auto-switch code, and anything unknown
  }
}

int EncIndexFromStored(const std::string& cipherMode) {
  if (cipherMode.empty()) return kEncNone;
  switch (static_cast<CipherMode>(ProfileInt(cipherMode))) {
    case CipherMode::kWep:
      return kEncWep;
    case CipherMode::kTkip:
      return kEncTkip;
    case CipherMode::kAes:
      return kEncAes;
    default:
      return kEncNone;
  }
}

}  // namespace

CPageAuthEncryDlg::CPageAuthEncryDlg(const StringTable& strings, IProfileEditorEnvironment& environment)
    : strings_(strings), environment_(environment) {
  auto text = [this](StringId id) { return strings_.LoadString(id); };
  state_.authLabel = text(kAuthenticationLabel);
  state_.encLabel = text(kEncryptionLabel);
  state_.box8021XLabel = text(k8021XBox);
  state_.pskLabel = text(kWpaPreSharedKeyLabel);
  state_.showPasswordLabel = text(kShowPassword);
  state_.identityLabel = text(kIdentityLabel);
  state_.passwordLabel = text(kPasswordLabel);
  state_.domainLabel = text(kDomainNameLabel);
  state_.leapEncryptionLabels = {text(string_id::kLeapWep), text(string_id::kLeapWpaTkip),
                                 text(string_id::kLeapWpa2Aes)};
  for (int k = 0; k < 4; ++k) state_.keyLabels[static_cast<std::size_t>(k)] = text(kKeyNumberBase + k);

  const StringId authItems[kAuthCount] = {kAuthModeBase + 0, kAuthModeBase + 1, kAuthItemLeap,     kAuthModeBase + 3,
                                          kAuthModeBase + 4, kAuthModeBase + 6, kAuthModeBase + 7, kAuthItemWpaNone};
  for (int i = 0; i < kAuthCount; ++i) state_.authMenu[static_cast<std::size_t>(i)].text = text(authItems[i]);
  const StringId encItems[kEncCount] = {kCipherModeBase + 1, kCipherModeBase + 0, kCipherModeBase + 4,
                                        kCipherModeBase + 6};
  for (int i = 0; i < kEncCount; ++i) state_.encMenu[static_cast<std::size_t>(i)].text = text(encItems[i]);
  state_.keyTypeMenu[kKeyHex].text = text(kKeyTypeHex);
  state_.keyTypeMenu[kKeyAscii].text = text(kKeyTypeAscii);
  LoadDefaults();
}

void CPageAuthEncryDlg::LoadDefaults() {
  state_.values = AuthEncryValues{};
  state_.keysEnabled = false;
  state_.keyMaxLength.fill(kHexKeyMaxLength);
  state_.masked = true;
  Adjust();
}

void CPageAuthEncryDlg::Load(const ProfileRecord& record) {
  AuthEncryValues& v = state_.values;
  v = AuthEncryValues{};
  v.infrastructure = ProfileInt(record.networkType) == 0 && !record.networkType.empty() ? 0 : 1;
  const bool leap = ProfileInt(record.leapEnabled) == 1;
  v.authIndex = leap ? kAuthLeap : AuthIndexFromStored(ProfileInt(record.authMode));
  // A LEAP profile's CipherMode follows its LEAP encryption; the menu's choice is not stored.
  v.encIndex = leap ? kEncNone : EncIndexFromStored(record.cipherMode);
  v.use8021X = ProfileInt(record.use8021X) != 0 ? 1 : 0;
  const int keyUse = ProfileInt(record.wepKeyUse);
  v.defaultKey = keyUse >= 1 && keyUse <= 4 ? keyUse - 1 : 0;
  const std::string* keys[4] = {&record.wepKey1, &record.wepKey2, &record.wepKey3, &record.wepKey4};
  const std::string* types[4] = {&record.wepKey1Type, &record.wepKey2Type, &record.wepKey3Type, &record.wepKey4Type};
  for (std::size_t k = 0; k < 4; ++k) {
    v.keyType[k] = ProfileInt(*types[k]) == 1 ? kKeyAscii : kKeyHex;
    state_.keyMaxLength[k] = v.keyType[k] == kKeyHex ? kHexKeyMaxLength : kAsciiKeyMaxLength;
    if (v.keyType[k] == kKeyHex) {
      v.key[k] = *keys[k];
    } else {
      // Stored as hexadecimal; shown as the characters it encodes. A text that encodes no key
      // leaves the edit empty.
      std::string decoded;
      if (DecodeAsciiWepKey(*keys[k], decoded)) v.key[k] = decoded;
    }
  }
  v.preSharedKey = record.wpaPsk;
  v.leapIdentity = record.leapUserName;
  v.leapPassword = record.leapPassword;
  v.leapDomain = record.leapDomainName;
  const int leapEncryption = ProfileInt(record.leapEncryType);
  v.leapEncryption = leapEncryption >= kLeapEncWep && leapEncryption <= kLeapEncWpa2Aes ? leapEncryption : kLeapEncWep;
  state_.keysEnabled = false;
  state_.masked = true;
  Adjust();
}

void CPageAuthEncryDlg::Store(ProfileRecord& record) const {
  const AuthEncryValues& v = state_.values;
  const bool leap = v.authIndex == kAuthLeap;
  record.authMode = std::to_string(CodeOf(StoredAuthMode(v)));
  record.cipherMode = std::to_string(CodeOf(StoredCipherMode(v)));
  record.leapEnabled = leap ? "1" : "0";
  record.leapEncryType = std::to_string(v.leapEncryption);
  record.leapUserName = v.leapIdentity;
  record.leapPassword = v.leapPassword;
  record.leapDomainName = v.leapDomain;
  record.wpaPsk = v.preSharedKey;
  record.wepKeyUse = std::to_string(v.defaultKey + 1);
  std::string* types[4] = {&record.wepKey1Type, &record.wepKey2Type, &record.wepKey3Type, &record.wepKey4Type};
  for (std::size_t k = 0; k < 4; ++k) *types[k] = std::to_string(v.keyType[k]);
  record.use8021X = leap ? "0" : std::to_string(v.use8021X);
  std::string* keys[4] = {&record.wepKey1, &record.wepKey2, &record.wepKey3, &record.wepKey4};
  const bool staticWep = UsesStaticWep(v);
  for (std::size_t k = 0; k < 4; ++k) *keys[k] = staticWep ? v.key[k] : std::string();
}

bool CPageAuthEncryDlg::UsesStaticWep(const AuthEncryValues& values) {
  return values.use8021X == 0 &&
         (values.authIndex == kAuthShared || (values.authIndex == kAuthOpen && values.encIndex == kEncWep));
}

void CPageAuthEncryDlg::Preset(int authIndex, int encIndex) {
  if (authIndex < 0 || authIndex >= kAuthCount || encIndex < 0 || encIndex >= kEncCount) return;
  state_.values.authIndex = authIndex;
  state_.values.encIndex = encIndex;
  Adjust();
}

void CPageAuthEncryDlg::SetInfrastructure(bool infrastructure) {
  state_.values.infrastructure = infrastructure ? 1 : 0;
  Adjust();
}

bool CPageAuthEncryDlg::AuthOffered(int authIndex) {
  if (authIndex < 0 || authIndex >= kAuthCount) return false;
  if (IsWpaFamily(authIndex) && !environment_.AdapterReady()) return false;
  if (state_.values.infrastructure != 0) {
    if (authIndex == kAuthWpa2 || authIndex == kAuthWpa2Psk) return environment_.Os() >= kOsWin2000;
    return authIndex != kAuthWpaNone;
  }
  if (authIndex == kAuthWpa2Psk) return environment_.AdhocSupportsRsnaPskCcmp();
  return authIndex == kAuthOpen || authIndex == kAuthWpaNone;
}

bool CPageAuthEncryDlg::EncOffered(int encIndex) const {
  if (encIndex < 0 || encIndex >= kEncCount) return false;
  const int auth = state_.values.authIndex;
  if (IsWpaFamily(auth)) {
    if (encIndex == kEncAes) return true;
    return encIndex == kEncTkip && state_.values.infrastructure != 0;
  }
  if (auth == kAuthLeap) {
    // LEAP leaves the None item as the menu last had it.
    if (encIndex == kEncNone) return state_.encMenu[kEncNone].enabled;
    return encIndex == kEncWep;
  }
  if (auth == kAuthShared) return encIndex == kEncWep;
  return encIndex == kEncNone || encIndex == kEncWep;
}

void CPageAuthEncryDlg::OnAuthMenuOpen() {
  for (int i = 0; i < kAuthCount; ++i) {
    MenuItemState& item = state_.authMenu[static_cast<std::size_t>(i)];
    item.enabled = AuthOffered(i);
    item.checked = i == state_.values.authIndex;
  }
}

void CPageAuthEncryDlg::OnEncMenuOpen() {
  for (int i = 0; i < kEncCount; ++i) {
    MenuItemState& item = state_.encMenu[static_cast<std::size_t>(i)];
    item.enabled = EncOffered(i);
    item.checked = i == state_.values.encIndex;
  }
}

bool CPageAuthEncryDlg::OnAuthSelected(int authIndex) {
  if (!AuthOffered(authIndex)) return false;
  state_.values.authIndex = authIndex;
  Adjust();
  return true;
}

bool CPageAuthEncryDlg::OnEncSelected(int encIndex) {
  if (!EncOffered(encIndex)) return false;
  state_.values.encIndex = encIndex;
  ApplyEncryptionRules();
  UpdateTexts();
  return true;
}

void CPageAuthEncryDlg::OnKeyTypeSelected(int key, int type) {
  if (key < 0 || key > 3 || (type != kKeyHex && type != kKeyAscii)) return;
  const auto k = static_cast<std::size_t>(key);
  state_.values.keyType[k] = type;
  // The limit applies to what is typed from now on; the text already there stays for Validate.
  state_.keyMaxLength[k] = type == kKeyHex ? kHexKeyMaxLength : kAsciiKeyMaxLength;
  UpdateTexts();
}

void CPageAuthEncryDlg::OnDefaultKey(int key) {
  if (key < 0 || key > 3) return;
  state_.values.defaultKey = key;
  UpdateKeyFields();
}

bool CPageAuthEncryDlg::On8021X(bool checked) {
  if (!state_.box8021XVisible || !state_.box8021XEnabled) return false;
  state_.values.use8021X = checked ? 1 : 0;
  UpdateKeyFields();
  return true;
}

void CPageAuthEncryDlg::OnShowPassword(bool show) {
  state_.values.showPassword = show;
  state_.masked = !show;
}

void CPageAuthEncryDlg::OnLeapEncryption(int leapEncryption) {
  if (leapEncryption >= kLeapEncWep && leapEncryption <= kLeapEncWpa2Aes) state_.values.leapEncryption = leapEncryption;
}

bool CPageAuthEncryDlg::SetKeyText(int key, const std::string& text) {
  if (key < 0 || key > 3) return false;
  const auto k = static_cast<std::size_t>(key);
  std::string kept;
  if (state_.values.keyType[k] == kKeyHex) {
    for (char c : text) {
      if (IsHexDigit(c)) kept += c;
    }
  } else {
    kept = text;
  }
  kept = TruncateUtf8(kept, state_.keyMaxLength[k]);
  state_.values.key[k] = kept;
  return kept == text;
}

bool CPageAuthEncryDlg::SetPreSharedKey(const std::string& text) {
  state_.values.preSharedKey = TruncateUtf8(text, kPreSharedKeyMaxLength);
  return state_.values.preSharedKey == text;
}

std::optional<FieldProblem> CPageAuthEncryDlg::Check() const {
  const AuthEncryValues& v = state_.values;
  if (UsesPreSharedKey(v.authIndex)) {
    const std::string& psk = v.preSharedKey;
    if (psk.size() < 8) return FieldProblem{EditorField::PreSharedKey, security_text::kPskTooShort};
    if (psk.size() == 64 && !IsHexText(psk)) return FieldProblem{EditorField::PreSharedKey, security_text::kPskNotHex};
    return std::nullopt;
  }
  if (UsesStaticWep(v)) {
    const auto k = static_cast<std::size_t>(v.defaultKey);
    const std::string& key = v.key[k];
    if (v.keyType[k] == kKeyHex) {
      // The text names hexadecimal digits, so a loaded key holding other characters fails too.
      if ((key.size() != 10 && key.size() != 26) || !IsHexText(key)) {
        return FieldProblem{WepKeyField(v.defaultKey), security_text::WepKeyLength(v.defaultKey + 1, true)};
      }
    } else if (key.size() != 5 && key.size() != 13) {
      return FieldProblem{WepKeyField(v.defaultKey), security_text::WepKeyLength(v.defaultKey + 1, false)};
    }
  }
  return std::nullopt;
}

int CPageAuthEncryDlg::Validate(IProfileEditorWindow& window) {
  const std::optional<FieldProblem> problem = Check();
  if (!problem) return 1;
  if (problem->field != EditorField::PreSharedKey) {
    const auto k = static_cast<std::size_t>(state_.values.defaultKey);
    state_.keyMaxLength[k] = state_.values.keyType[k] == kKeyHex ? kHexKeyMaxLength : kAsciiKeyMaxLength;
  }
  window.ShowHint(problem->field, problem->text);
  return 0;
}

std::string CPageAuthEncryDlg::Shown(const std::string& secret) const {
  return state_.masked ? std::string(Utf8Length(secret), '*') : secret;
}

void CPageAuthEncryDlg::Adjust() {
  AuthEncryValues& v = state_.values;
  const bool adhoc = v.infrastructure == 0;
  // Ad hoc networks know Open, WPA2-PSK and WPA-None. WPA-None stays: the menu offers it and the
  // connection derives its group key. In infrastructure it is stored as WPA-PSK anyway.
  if (adhoc && v.authIndex != kAuthOpen && v.authIndex != kAuthWpa2Psk && v.authIndex != kAuthWpaNone) {
    v.authIndex = kAuthOpen;
  }
  if (!adhoc && v.authIndex == kAuthWpaNone) v.authIndex = kAuthWpaPsk;

  state_.pskEnabled = false;
  if (v.authIndex == kAuthOpen || v.authIndex == kAuthShared) {
    state_.leapVisible = false;
    if (v.encIndex == kEncTkip || v.encIndex == kEncAes) v.encIndex = kEncNone;
    if (v.authIndex == kAuthShared && v.encIndex == kEncNone) v.encIndex = kEncWep;
  } else if (v.authIndex == kAuthLeap) {
    state_.leapVisible = true;
  } else {
    state_.leapVisible = false;
    if (!adhoc && (v.encIndex == kEncNone || v.encIndex == kEncWep)) v.encIndex = kEncTkip;
    if (adhoc && v.encIndex != kEncAes) v.encIndex = kEncAes;
    state_.pskEnabled = UsesPreSharedKey(v.authIndex);
    v.use8021X = state_.pskEnabled ? 0 : 1;
  }
  ApplyEncryptionRules();
  UpdateTexts();
}

void CPageAuthEncryDlg::ApplyEncryptionRules() {
  AuthEncryValues& v = state_.values;
  if (IsWpaFamily(v.authIndex)) {
    state_.box8021XVisible = false;
  } else if (v.encIndex == kEncWep && v.authIndex == kAuthOpen) {
    // Dynamic WEP: the only case in which the user sets 802.1X.
    state_.box8021XVisible = true;
    state_.box8021XEnabled = true;
  } else {
    v.use8021X = 0;
    state_.box8021XVisible = false;
  }
  if (v.infrastructure == 0) {
    state_.box8021XVisible = false;
    v.use8021X = 0;
  }
  UpdateKeyFields();
}

void CPageAuthEncryDlg::UpdateKeyFields() {
  const AuthEncryValues& v = state_.values;
  const bool enabled = (v.authIndex == kAuthShared || v.encIndex == kEncWep) && v.use8021X == 0;
  if (enabled && !state_.keysEnabled && v.infrastructure == 0) state_.values.defaultKey = 0;
  state_.keysEnabled = enabled;
  for (std::size_t k = 0; k < 4; ++k) {
    state_.keyEditEnabled[k] = enabled && static_cast<int>(k) == state_.values.defaultKey;
  }
}

void CPageAuthEncryDlg::UpdateTexts() {
  const AuthEncryValues& v = state_.values;
  state_.authButtonText = state_.authMenu[static_cast<std::size_t>(v.authIndex)].text;
  state_.encButtonText = state_.encMenu[static_cast<std::size_t>(v.encIndex)].text;
  for (std::size_t k = 0; k < 4; ++k) {
    state_.keyTypeButtonText[k] = state_.keyTypeMenu[static_cast<std::size_t>(v.keyType[k])].text;
  }
}

AuthMode StoredAuthMode(const AuthEncryValues& v) {
  const bool adhoc = v.infrastructure == 0;
  if (adhoc && v.authIndex == kAuthWpaNone) return AuthMode::kWpaNone;
  if (adhoc && v.authIndex == kAuthWpa) return AuthMode::kOpen;
  if (!adhoc && v.authIndex == kAuthWpaNone) return AuthMode::kWpaPsk;
  if (v.authIndex == kAuthLeap) {
    if (v.leapEncryption == kLeapEncWpaTkip) return AuthMode::kWpa;
    if (v.leapEncryption == kLeapEncWpa2Aes) return AuthMode::kWpa2;
    return AuthMode::kOpen;
  }
  // By list index: open, shared, LEAP (handled above), WPA, WPA-PSK, WPA2, WPA2-PSK, WPA-None.
  static constexpr AuthMode kByIndex[kAuthCount] = {AuthMode::kOpen,    AuthMode::kShared, AuthMode::kOpen,
                                                    AuthMode::kWpa,     AuthMode::kWpaPsk, AuthMode::kWpa2,
                                                    AuthMode::kWpa2Psk, AuthMode::kWpaNone};
  return v.authIndex >= 0 && v.authIndex < kAuthCount ? kByIndex[v.authIndex] : AuthMode::kOpen;
}

CipherMode StoredCipherMode(const AuthEncryValues& v) {
  if (v.authIndex == kAuthLeap) {
    if (v.leapEncryption == kLeapEncWpaTkip) return CipherMode::kTkip;
    if (v.leapEncryption == kLeapEncWpa2Aes) return CipherMode::kAes;
    return CipherMode::kWep;
  }
  // By list index: none, WEP, TKIP, AES.
  static constexpr CipherMode kByIndex[kEncCount] = {CipherMode::kNone, CipherMode::kWep, CipherMode::kTkip,
                                                     CipherMode::kAes};
  return v.encIndex >= 0 && v.encIndex < kEncCount ? kByIndex[v.encIndex] : CipherMode::kNone;
}

}  // namespace nxui
