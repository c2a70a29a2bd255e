// The editor's "配置" tab: profile name, network name (with the networks of the last scan), network
// type, preamble, transmit power, power save, the RTS and fragmentation thresholds and, for ad hoc
// networks, the channel.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "profiles/CPageAuthEncryDlg.h"
#include "profiles/ProfileRecord.h"

namespace nxui {

class StringTable;

inline constexpr int kPreambleAutoIndex = 0;
inline constexpr int kPreambleLongIndex = 1;
inline constexpr int kTxPowerCount = 7;  // 自动, 100%, 75 %, 50 %, 25 %, 10 %, 最低
inline constexpr int kRtsMax = 2347;
inline constexpr int kFragMin = 256;
inline constexpr int kFragMax = 2346;
inline constexpr std::size_t kProfileNameMaxChars = 32;
inline constexpr std::size_t kSsidMaxBytes = 32;

struct SystemConfigValues {
  std::string profileName;
  std::string ssid;
  NetworkType networkType = NetworkType::kInfrastructure;
  int preamble = kPreambleAutoIndex;
  int txPower = 0;
  int powerSave = 0;  // 0 CAM, 1 PSM
  int acPowerCam = 0;
  int useRts = 0;
  int rtsThreshold = kRtsMax;
  int useFrag = 0;
  int fragThreshold = kFragMax;
  std::string channel;
  int wirelessMode = 1;

  friend bool operator==(const SystemConfigValues&, const SystemConfigValues&) = default;
};

// An entry of the SSID list: the name and, as hidden item data, the BSSID as twelve digits.
struct SsidListItem {
  std::string ssid;
  std::string bssid;

  friend bool operator==(const SsidListItem&, const SsidListItem&) = default;
};

struct SystemConfigState {
  std::string profileNameLabel, ssidLabel, networkTypeLabel, preambleLabel, txPowerLabel, powerSaveLabel;
  std::string camLabel, psmLabel, useRtsLabel, useFragLabel, channelLabel;

  SystemConfigValues values;
  std::vector<SsidListItem> ssidItems;
  int ssidSelected = -1;  // the item whose name is in the edit, -1 for a typed name

  std::string networkTypeButtonText;
  std::array<MenuItemState, 2> networkTypeMenu;  // infrastructure, ad hoc
  std::string preambleButtonText;
  std::array<MenuItemState, 2> preambleMenu;  // 自动, 长
  bool preambleEnabled = false;
  std::string txPowerButtonText;
  std::array<MenuItemState, kTxPowerCount> txPowerMenu;
  bool powerSaveEnabled = true;
  bool rtsEnabled = false;  // slider and edit
  bool fragEnabled = false;
  bool channelVisible = false;
  std::vector<std::string> channelItems;
  int channelSelected = -1;

  friend bool operator==(const SystemConfigState&, const SystemConfigState&) = default;
};

// The channel plan the editor offers for a (normalised) wireless mode: the 2.4 GHz channels unless
// the mode is A only, the 5 GHz and 4.9 GHz channels for the modes with the A band, without 34, 38,
// 42 and 46. Channels are written with "%d"; the Japanese channels as "J8", "J12", "J16".
std::vector<std::string> EditorChannelPlan(int wirelessMode);
// The editor's text of a stored channel: JapanChannelBase + 8, + 12, + 16 are "J8", "J12", "J16";
// every other text stays as it is (the store turns them back, StoredChannelText).
std::string ChannelTextFromStored(const std::string& stored);

// "PROF" + (largest number after "PROF" among the names, case ignored) + 1.
std::string DefaultProfileName(const std::vector<std::string>& existingNames);

class CPageSystemConfigDlg {
 public:
  // `networkTypeChanged` hears every switch (the security tab follows it).
  CPageSystemConfigDlg(const StringTable& strings, std::function<void(bool infrastructure)> networkTypeChanged);

  // Defaults of a new profile with this name.
  void LoadDefaults(const std::string& profileName);
  void Load(const ProfileRecord& record);
  // Name, SSID and the radio keys of the record (the stored codes).
  void Store(ProfileRecord& record) const;

  // The networks of a scan list (count, then entries); entries without a name are left out.
  void FillSsidList(std::span<const std::uint8_t> scanList);
  // The channel plan for the mode; selects the current channel or else the first entry.
  void FillChannelList(int wirelessMode);

  // Handlers. Text setters keep what the edit would keep and return false when that is not
  // exactly the text given.
  bool SetProfileName(const std::string& text);
  bool SetSsid(const std::string& text);
  void OnSsidSelected(int item);
  void OnNetworkTypeSelected(NetworkType networkType);
  bool OnPreambleSelected(int preamble);
  void OnTxPowerSelected(int txPower);
  bool OnPowerSave(int powerSave);
  void OnUseRts(bool checked);
  void OnRtsEdited(int value);
  void OnRtsSlider(int value);
  void OnUseFrag(bool checked);
  void OnFragEdited(int value);
  void OnFragSlider(int value);
  // A channel of the list; false for one that is not in it.
  bool OnChannelSelected(const std::string& channel);

  const SystemConfigState& State() const { return state_; }
  const SystemConfigValues& Values() const { return state_.values; }

 private:
  void ApplyNetworkType();
  void SelectSsidItem();
  void UpdateTexts();

  const StringTable& strings_;
  std::function<void(bool)> networkTypeChanged_;
  SystemConfigState state_;
};

}  // namespace nxui
