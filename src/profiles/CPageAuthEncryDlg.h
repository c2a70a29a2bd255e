// The editor's security tab: authentication and encryption menus, WEP keys, the WPA pre-shared
// key, 802.1X and LEAP credentials. It keeps the choices consistent after every change, checks the
// keys before the editor saves, and maps its values to and from a profile's stored codes.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "adapter/ConnectionSettings.h"
#include "profiles/EditorField.h"
#include "profiles/ProfileRecord.h"

namespace nxui {

class IProfileEditorEnvironment;
class IProfileEditorWindow;
class StringTable;

enum AuthIndex : int {
  kAuthOpen = 0,
  kAuthShared = 1,
  kAuthLeap = 2,
  kAuthWpa = 3,
  kAuthWpaPsk = 4,
  kAuthWpa2 = 5,
  kAuthWpa2Psk = 6,
  kAuthWpaNone = 7,
};
inline constexpr int kAuthCount = 8;

enum EncIndex : int { kEncNone = 0, kEncWep = 1, kEncTkip = 2, kEncAes = 3 };
inline constexpr int kEncCount = 4;

enum KeyType : int { kKeyHex = 0, kKeyAscii = 1 };
enum LeapEncryption : int { kLeapEncWep = 0, kLeapEncWpaTkip = 1, kLeapEncWpa2Aes = 2 };

inline constexpr std::size_t kHexKeyMaxLength = 26;
inline constexpr std::size_t kAsciiKeyMaxLength = 13;
inline constexpr std::size_t kPreSharedKeyMaxLength = 64;

// What the controls edit.
struct AuthEncryValues {
  int authIndex = kAuthOpen;
  int encIndex = kEncNone;
  int use8021X = 0;
  int infrastructure = 1;
  int defaultKey = 0;  // 0..3
  std::array<int, 4> keyType{};
  std::array<std::string, 4> key;
  std::string preSharedKey;
  std::string leapIdentity, leapPassword, leapDomain;
  int leapEncryption = kLeapEncWep;
  bool showPassword = false;

  friend bool operator==(const AuthEncryValues&, const AuthEncryValues&) = default;
};

struct MenuItemState {
  std::string text;
  bool enabled = true;
  bool checked = false;

  friend bool operator==(const MenuItemState&, const MenuItemState&) = default;
};

struct AuthEncryState {
  std::string authLabel, encLabel, box8021XLabel, pskLabel, showPasswordLabel;
  std::string identityLabel, passwordLabel, domainLabel;
  std::array<std::string, 3> leapEncryptionLabels;
  std::array<std::string, 4> keyLabels;  // "Key #1" .. "Key #4"

  AuthEncryValues values;
  std::string authButtonText, encButtonText;
  std::array<std::string, 4> keyTypeButtonText;
  // Menus as they were when they last opened.
  std::array<MenuItemState, kAuthCount> authMenu;
  std::array<MenuItemState, kEncCount> encMenu;
  std::array<MenuItemState, 2> keyTypeMenu;

  bool box8021XVisible = true;
  bool box8021XEnabled = true;
  bool leapVisible = false;
  bool pskEnabled = false;
  bool keysEnabled = false;  // the key radios and, for the default key, its edit and type button
  std::array<bool, 4> keyEditEnabled{};
  std::array<std::size_t, 4> keyMaxLength{kHexKeyMaxLength, kHexKeyMaxLength, kHexKeyMaxLength, kHexKeyMaxLength};
  bool masked = true;  // pre-shared key, the four keys and the LEAP password show "*"

  friend bool operator==(const AuthEncryState&, const AuthEncryState&) = default;
};

// A value the tab refuses to save: where, and the text the hint window shows.
struct FieldProblem {
  EditorField field;
  std::string text;
};

// The built-in Chinese validation texts, shown in every language.
namespace security_text {
inline constexpr const char* kPskTooShort = "非法的 WPA 预共享密钥。 WPA-PSK 有效域必须超过8个字符。";
inline constexpr const char* kPskNotHex = "非法的 WPA 预共享密钥。 WPA-PSK 有效域应该为64位16进制数字。";
// Key number 1..4 and whether its type is hexadecimal.
std::string WepKeyLength(int keyNumber, bool hexadecimal);
}  // namespace security_text

class CPageAuthEncryDlg {
 public:
  CPageAuthEncryDlg(const StringTable& strings, IProfileEditorEnvironment& environment);

  // The defaults of a new profile: Open, None, 802.1X off, key 1, hexadecimal keys, all empty,
  // LEAP encryption WEP, infrastructure, passwords masked.
  void LoadDefaults();
  // The inverse of Store; the network type comes from the record.
  void Load(const ProfileRecord& record);
  // The security keys of the record: AuthMode, CipherMode, LeapEnabled, LeapEncryType, the LEAP
  // credentials, WPAPSK, WEPKeyUse, the key types, Use8021X, and the four keys as typed (the store
  // encodes ASCII keys), which are kept only for Shared, or Open with WEP, without 802.1X.
  void Store(ProfileRecord& record) const;

  // "Add to Profile": the security a scanned network advertises, set without the menus and then
  // made consistent like any other choice.
  void Preset(int authIndex, int encIndex);

  // The system tab's network type changed (or was loaded): the choices are adjusted.
  void SetInfrastructure(bool infrastructure);

  // Menus: the enabled items are computed when the menu opens; choosing an item that is not
  // offered does nothing and returns false.
  void OnAuthMenuOpen();
  void OnEncMenuOpen();
  bool AuthOffered(int authIndex);
  bool EncOffered(int encIndex) const;
  bool OnAuthSelected(int authIndex);
  bool OnEncSelected(int encIndex);
  void OnKeyTypeSelected(int key, int type);
  void OnDefaultKey(int key);
  // The 802.1X box; ignored while it is hidden or disabled.
  bool On8021X(bool checked);
  void OnShowPassword(bool show);
  void OnLeapEncryption(int leapEncryption);

  // Text typed into an edit, kept as the edit would keep it (a hexadecimal key takes hexadecimal
  // digits only, every key and the pre-shared key their length limit). False when the edit did not
  // take the text exactly as given.
  bool SetKeyText(int key, const std::string& text);
  bool SetPreSharedKey(const std::string& text);
  void SetLeapIdentity(const std::string& text) { state_.values.leapIdentity = text; }
  void SetLeapPassword(const std::string& text) { state_.values.leapPassword = text; }
  void SetLeapDomain(const std::string& text) { state_.values.leapDomain = text; }

  // The first problem that keeps the values from being saved, if any.
  std::optional<FieldProblem> Check() const;
  // 1 when the values may be saved; otherwise reports the problem beside its edit and returns 0.
  int Validate(IProfileEditorWindow& window);

  const AuthEncryState& State() const { return state_; }
  const AuthEncryValues& Values() const { return state_.values; }
  // The text an edit shows: "*" for each character while passwords are masked.
  std::string Shown(const std::string& secret) const;

  // Shared, or Open with WEP, without 802.1X: the WEP keys are in use.
  static bool UsesStaticWep(const AuthEncryValues& values);

 private:
  void Adjust();
  void ApplyEncryptionRules();
  void UpdateKeyFields();
  void UpdateTexts();

  const StringTable& strings_;
  IProfileEditorEnvironment& environment_;
  AuthEncryState state_;
};

// Stored AuthMode / CipherMode for the tab's values (the editor's code mapping).
AuthMode StoredAuthMode(const AuthEncryValues& values);
CipherMode StoredCipherMode(const AuthEncryValues& values);

}  // namespace nxui
