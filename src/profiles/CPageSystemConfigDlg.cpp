#include "profiles/CPageSystemConfigDlg.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "adapter/ChannelFrequencyTable.h"
#include "display/StringTable.h"
#include "profiles/ProfileText.h"
#include "scan/ScanEntryRecord.h"
#include "scan/ScanList.h"

namespace nxui {

namespace {

using namespace string_id;

constexpr std::uint32_t kJapanOffsets[] = {8, 12, 16};
// Left out of the editor's list: the 5 GHz channels the adapters never use for an ad hoc network.
constexpr std::uint32_t kLeftOut[] = {34, 38, 42, 46};

bool Has5GHzBand(int mode) { return mode == 2 || mode == 3 || mode == 5; }

std::string JapanText(std::uint32_t channel) {
  for (std::uint32_t offset : kJapanOffsets) {
    if (channel == JapanChannelBase + offset) return "J" + std::to_string(offset);
  }
  return {};
}

}  // namespace

std::vector<std::string> EditorChannelPlan(int wirelessMode) {
  std::vector<std::string> plan;
  for (const ChannelFrequencyTable::Row& row : ChannelFrequencyTable::Instance().rows()) {
    const bool band24 = row.frequencyKhz < 3000000;
    if (band24 ? wirelessMode == 2 : !Has5GHzBand(wirelessMode)) continue;
    if (std::find(std::begin(kLeftOut), std::end(kLeftOut), row.channel) != std::end(kLeftOut)) continue;
    const std::string japan = JapanText(row.channel);
    plan.push_back(japan.empty() ? std::to_string(row.channel) : japan);
  }
  return plan;
}

std::string ChannelTextFromStored(const std::string& stored) {
  if (stored.empty()) return stored;
  const int number = ProfileInt(stored);
  const std::string japan = number > 0 ? JapanText(static_cast<std::uint32_t>(number)) : std::string();
  return japan.empty() ? stored : japan;
}

std::string DefaultProfileName(const std::vector<std::string>& existingNames) {
  unsigned long long largest = 0;
  for (const std::string& name : existingNames) {
    if (name.size() < 4) continue;
    bool prof = true;
    for (std::size_t i = 0; i < 4; ++i) {
      prof = prof && std::toupper(static_cast<unsigned char>(name[i])) == "PROF"[i];
    }
    if (!prof) continue;
    // Leading digits only. A number of more than 18 digits is passed over, so the result always
    // fits and never repeats a name.
    unsigned long long number = 0;
    int significant = 0;
    for (std::size_t i = 4; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
      number = number * 10 + static_cast<unsigned long long>(name[i] - '0');
      if (number != 0 && ++significant > 18) break;
    }
    if (significant <= 18) largest = std::max(largest, number);
  }
  return "PROF" + std::to_string(largest + 1);
}

CPageSystemConfigDlg::CPageSystemConfigDlg(const StringTable& strings,
                                           std::function<void(bool infrastructure)> networkTypeChanged)
    : strings_(strings), networkTypeChanged_(std::move(networkTypeChanged)) {
  auto text = [this](StringId id) { return strings_.LoadString(id); };
  state_.profileNameLabel = text(kProfileNameLabel);
  state_.ssidLabel = text(kSsidLabel);
  state_.networkTypeLabel = text(kNetworkTypeLabel);
  state_.preambleLabel = text(kPreambleLabel);
  state_.txPowerLabel = text(kTxPowerLabel);
  state_.powerSaveLabel = text(kPowerSaveModeLabel);
  state_.camLabel = text(kCam);
  state_.psmLabel = text(kPsm);
  state_.useRtsLabel = text(kUseRtsThreshold);
  state_.useFragLabel = text(kUseFragmentThreshold);
  state_.channelLabel = text(kChannelLabel);
  state_.networkTypeMenu[0].text = text(kNetworkTypeBase + CodeOf(NetworkType::kInfrastructure));
  state_.networkTypeMenu[1].text = text(kNetworkTypeBase + CodeOf(NetworkType::kAdhoc));
  state_.preambleMenu[kPreambleAutoIndex].text = text(kTxPowerAuto);
  state_.preambleMenu[kPreambleLongIndex].text = text(string_id::kPreambleLong);
  const char* powers[kTxPowerCount] = {nullptr, "100%", "75 %", "50 %", "25 %", "10 %", nullptr};
  for (int i = 0; i < kTxPowerCount; ++i) {
    state_.txPowerMenu[static_cast<std::size_t>(i)].text = powers[i] ? powers[i] : "";
  }
  state_.txPowerMenu[0].text = text(kTxPowerAuto);
  state_.txPowerMenu[kTxPowerCount - 1].text = text(kTxPowerLowest);
  LoadDefaults("");
}

void CPageSystemConfigDlg::LoadDefaults(const std::string& profileName) {
  const int mode = state_.values.wirelessMode;
  state_.values = SystemConfigValues{};
  state_.values.wirelessMode = mode;
  state_.values.profileName = profileName;
  state_.ssidSelected = -1;
  ApplyNetworkType();
}

void CPageSystemConfigDlg::Load(const ProfileRecord& record) {
  SystemConfigValues& v = state_.values;
  const int mode = v.wirelessMode;
  v = SystemConfigValues{};
  v.wirelessMode = mode;
  v.profileName = record.name;
  v.ssid = record.ssid;
  v.networkType = !record.networkType.empty() && ProfileInt(record.networkType) == CodeOf(NetworkType::kAdhoc)
                      ? NetworkType::kAdhoc
                      : NetworkType::kInfrastructure;
  v.preamble =
      !record.preambleType.empty() && ProfileInt(record.preambleType) == 0 ? kPreambleLongIndex : kPreambleAutoIndex;
  const int txPower = ProfileInt(record.txPower);
  v.txPower = txPower >= 0 && txPower < kTxPowerCount ? txPower : 0;
  v.powerSave = ProfileInt(record.psMode) != 0 ? 1 : 0;
  v.acPowerCam = ProfileInt(record.acPowerCam) != 0 ? 1 : 0;
  v.useRts = ProfileInt(record.useRts) != 0 ? 1 : 0;
  if (v.useRts != 0 && !record.rtsThresh.empty()) v.rtsThreshold = std::clamp(ProfileInt(record.rtsThresh), 0, kRtsMax);
  v.useFrag = ProfileInt(record.useFrag) != 0 ? 1 : 0;
  if (v.useFrag != 0 && !record.fragThresh.empty()) {
    v.fragThreshold = std::clamp(ProfileInt(record.fragThresh), kFragMin, kFragMax);
  }
  v.channel = ChannelTextFromStored(record.channel);
  SelectSsidItem();
  ApplyNetworkType();
}

void CPageSystemConfigDlg::Store(ProfileRecord& record) const {
  const SystemConfigValues& v = state_.values;
  record.name = v.profileName;
  record.ssid = v.ssid;
  record.channel = v.channel;  // the store writes "J12" as its number
  record.networkType = std::to_string(CodeOf(v.networkType));
  record.preambleType = v.preamble == kPreambleLongIndex ? "0" : "2";
  record.acPowerCam = std::to_string(v.acPowerCam);
  record.psMode = v.powerSave == 1 ? "2" : "0";
  record.txPower = std::to_string(v.txPower);
  record.useRts = std::to_string(v.useRts);
  record.rtsThresh = std::to_string(v.useRts == 1 ? v.rtsThreshold : kRtsMax);
  record.useFrag = std::to_string(v.useFrag);
  record.fragThresh = std::to_string(v.useFrag == 1 ? v.fragThreshold : kFragMax);
}

void CPageSystemConfigDlg::FillSsidList(std::span<const std::uint8_t> scanList) {
  state_.ssidItems.clear();
  const ScanList list(scanList);
  for (const ScanList::Slot& slot : list.slots()) {
    ScanEntryRecord entry;
    if (!slot.usable || !ReadScanEntry(slot.bytes, entry)) continue;
    std::string ssid = entry.SsidText();
    if (ssid.empty()) continue;
    char bssid[13];
    std::snprintf(bssid, sizeof bssid, "%02X%02X%02X%02X%02X%02X", entry.mac[0], entry.mac[1], entry.mac[2],
                  entry.mac[3], entry.mac[4], entry.mac[5]);
    state_.ssidItems.push_back(SsidListItem{std::move(ssid), bssid});
  }
  SelectSsidItem();
}

void CPageSystemConfigDlg::FillChannelList(int wirelessMode) {
  state_.values.wirelessMode = wirelessMode;
  state_.channelItems = EditorChannelPlan(wirelessMode);
  const auto found = std::find(state_.channelItems.begin(), state_.channelItems.end(), state_.values.channel);
  if (found != state_.channelItems.end()) {
    state_.channelSelected = static_cast<int>(found - state_.channelItems.begin());
  } else if (!state_.channelItems.empty()) {
    state_.channelSelected = 0;
    state_.values.channel = state_.channelItems.front();
  } else {
    state_.channelSelected = -1;
  }
}

bool CPageSystemConfigDlg::SetProfileName(const std::string& text) {
  std::string kept = text;
  if (Utf8Length(kept) > kProfileNameMaxChars) {
    std::size_t chars = 0;
    std::size_t end = 0;
    for (; end < kept.size(); ++end) {
      if ((static_cast<unsigned char>(kept[end]) & 0xC0) != 0x80 && ++chars > kProfileNameMaxChars) break;
    }
    kept.resize(end);
  }
  state_.values.profileName = kept;
  return kept == text;
}

bool CPageSystemConfigDlg::SetSsid(const std::string& text) {
  state_.values.ssid = TruncateUtf8(text, kSsidMaxBytes);
  SelectSsidItem();
  return state_.values.ssid == text;
}

void CPageSystemConfigDlg::OnSsidSelected(int item) {
  if (item < 0 || static_cast<std::size_t>(item) >= state_.ssidItems.size()) return;
  state_.values.ssid = state_.ssidItems[static_cast<std::size_t>(item)].ssid;
  state_.ssidSelected = item;
}

void CPageSystemConfigDlg::OnNetworkTypeSelected(NetworkType networkType) {
  if (networkType != NetworkType::kAdhoc && networkType != NetworkType::kInfrastructure) return;
  state_.values.networkType = networkType;
  ApplyNetworkType();
  if (networkType == NetworkType::kAdhoc) FillChannelList(state_.values.wirelessMode);
}

bool CPageSystemConfigDlg::OnPreambleSelected(int preamble) {
  if (!state_.preambleEnabled || (preamble != kPreambleAutoIndex && preamble != kPreambleLongIndex)) return false;
  state_.values.preamble = preamble;
  UpdateTexts();
  return true;
}

void CPageSystemConfigDlg::OnTxPowerSelected(int txPower) {
  if (txPower < 0 || txPower >= kTxPowerCount) return;
  state_.values.txPower = txPower;
  UpdateTexts();
}

bool CPageSystemConfigDlg::OnPowerSave(int powerSave) {
  if (!state_.powerSaveEnabled || (powerSave != 0 && powerSave != 1)) return false;
  state_.values.powerSave = powerSave;
  return true;
}

void CPageSystemConfigDlg::OnUseRts(bool checked) {
  state_.values.useRts = checked ? 1 : 0;
  state_.rtsEnabled = checked;
  if (!checked) state_.values.rtsThreshold = kRtsMax;
}

void CPageSystemConfigDlg::OnRtsEdited(int value) {
  if (!state_.rtsEnabled) return;
  // No lower clamp: the slider starts at 0.
  state_.values.rtsThreshold = std::clamp(value, 0, kRtsMax);
}

void CPageSystemConfigDlg::OnRtsSlider(int value) { OnRtsEdited(value); }

void CPageSystemConfigDlg::OnUseFrag(bool checked) {
  state_.values.useFrag = checked ? 1 : 0;
  state_.fragEnabled = checked;
  if (!checked) state_.values.fragThreshold = kFragMax;
}

void CPageSystemConfigDlg::OnFragEdited(int value) {
  if (!state_.fragEnabled) return;
  state_.values.fragThreshold = std::clamp(value, kFragMin, kFragMax);
}

void CPageSystemConfigDlg::OnFragSlider(int value) { OnFragEdited(value); }

bool CPageSystemConfigDlg::OnChannelSelected(const std::string& channel) {
  const auto found = std::find(state_.channelItems.begin(), state_.channelItems.end(), channel);
  if (found == state_.channelItems.end()) return false;
  state_.channelSelected = static_cast<int>(found - state_.channelItems.begin());
  state_.values.channel = channel;
  return true;
}

void CPageSystemConfigDlg::ApplyNetworkType() {
  const bool infrastructure = state_.values.networkType == NetworkType::kInfrastructure;
  state_.channelVisible = !infrastructure;
  state_.powerSaveEnabled = infrastructure;
  state_.preambleEnabled = !infrastructure;
  if (infrastructure) state_.values.preamble = kPreambleAutoIndex;
  state_.rtsEnabled = state_.values.useRts == 1;
  state_.fragEnabled = state_.values.useFrag == 1;
  UpdateTexts();
  if (networkTypeChanged_) networkTypeChanged_(infrastructure);
}

void CPageSystemConfigDlg::SelectSsidItem() {
  state_.ssidSelected = -1;
  for (std::size_t i = 0; i < state_.ssidItems.size(); ++i) {
    if (state_.ssidItems[i].ssid == state_.values.ssid) {
      state_.ssidSelected = static_cast<int>(i);
      break;
    }
  }
}

void CPageSystemConfigDlg::UpdateTexts() {
  const SystemConfigValues& v = state_.values;
  state_.networkTypeButtonText = v.networkType == NetworkType::kInfrastructure ? state_.networkTypeMenu[0].text
                                                                               : strings_.LoadString(kAdhocButton);
  state_.networkTypeMenu[0].checked = v.networkType == NetworkType::kInfrastructure;
  state_.networkTypeMenu[1].checked = v.networkType == NetworkType::kAdhoc;
  state_.preambleButtonText = state_.preambleMenu[static_cast<std::size_t>(v.preamble)].text;
  for (std::size_t i = 0; i < state_.preambleMenu.size(); ++i) {
    state_.preambleMenu[i].checked = static_cast<int>(i) == v.preamble;
  }
  state_.txPowerButtonText = state_.txPowerMenu[static_cast<std::size_t>(v.txPower)].text;
  for (std::size_t i = 0; i < state_.txPowerMenu.size(); ++i) {
    state_.txPowerMenu[i].checked = static_cast<int>(i) == v.txPower;
  }
}

}  // namespace nxui
