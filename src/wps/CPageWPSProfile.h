// The credential detail view (panel 6 of the main window): one credential of the WPS page shown
// read-only in enrollee mode; in registrar mode the editor of credential 0, the network the adapter
// hands to the devices it pairs with. "OK" saves it (registrar) or only returns; "Cancel" returns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "adapter/DriverRecords.h"
#include "display/PanelIds.h"
#include "wps/WpsRegistrar.h"

namespace nxui {

class IWpsPageHost;
class StringTable;
class WpsEngine;

struct WpsDropList {
  std::vector<std::string> items;
  int selected = -1;
  bool enabled = true;

  bool operator==(const WpsDropList&) const = default;
};

struct WpsProfileLabels {
  std::string ssid, bssid, authentication, encryption, keyLength, keyIndex, keyMaterial;
  std::string showPassword, asciiFormat, ok, cancel;

  bool operator==(const WpsProfileLabels&) const = default;
};

struct WpsProfileState {
  WpsProfileLabels labels;
  // Registrar mode with a credential: the SSID and key fields are editable and the four lists
  // replace the texts. Otherwise every field is read-only text.
  bool editable = false;
  std::string ssid;
  int ssidMaxLength = 32;
  std::string bssid;
  std::string authText, encText, keyLengthText, keyIndexText;
  WpsDropList authList, encList, keyLengthList, keyIndexList;
  std::string key;
  int keyLimit = 64;
  bool keyReadOnly = true;
  bool showPassword = false;  // unchecked: the key is drawn as "*"
  bool asciiVisible = false;  // WEP keys only
  bool asciiChecked = false;
  // A refused key shown as a pop-up tip at the key field (empty: none).
  std::string keyTip;

  bool operator==(const WpsProfileState&) const = default;
};

class CPageWPSProfile final : private IRegistrarSavePrompt {
 public:
  static constexpr int kPanel = 6;

  CPageWPSProfile(const StringTable& strings, WpsEngine& engine, IWpsPageHost& host);

  // "Detail": fills the view from credential `row` of `table` and shows it. Enrollee mode (and
  // registrar mode without a credential) shows text only; registrar mode edits credential 0.
  void ShowCredential(const WpsCredentialTable& table, std::uint32_t row, bool registrar);

  void OnSsidEdited(const std::string& text);
  void OnKeyEdited(const std::string& text);
  void OnAuthChanged(int position);
  void OnEncChanged(int position);
  void OnKeyLengthChanged(int position);
  void OnKeyIndexChanged(int position);
  void OnShowPasswordChanged(bool checked);
  void OnAsciiFormatChanged(bool checked);
  // What "OK" did; the view returns to the previous panel unless the key was refused or the
  // question answered "Cancel".
  RegistrarSaveResult OnOk();
  void OnCancel();

  const WpsProfileState& State() const { return state_; }
  // The key as shown: "*" for each character unless "Show Password" is checked.
  std::string ShownKey() const;

 private:
  // IRegistrarSavePrompt.
  void ShowKeyTip(const std::string& text) override;
  bool Confirm(const std::string& text) override;

  void ShowReadOnly(const WpsCredential* credential);
  void ShowEditor(const WpsCredential& credential);
  void FillEncList(bool openGroup, int selected);
  bool OpenGroup() const { return state_.authList.selected == kRegistrarOpen; }
  // The key field's limit and the lists' enabled states from the current choices.
  void ApplyKeyRules(bool emptyOnLimitChange);
  void ShowAsciiForm(bool ascii);
  void ReturnToPrevious();

  const StringTable& strings_;
  WpsEngine& engine_;
  IWpsPageHost& host_;
  WpsProfileState state_;
  // The two forms of a WEP key and their lengths, for "ASCII Format".
  std::string hexKey_, asciiKey_;
  int previousPanel_ = kPanelLinkStatus;
};

}  // namespace nxui
