#include "adapter/ActionQueue.h"

#include <algorithm>
#include <vector>

#include "adapter/ChannelFrequencyTable.h"
#include "adapter/WirelessMode.h"
#include "base/ByteReader.h"

namespace nxui {
namespace {

constexpr std::uint32_t kTunnelProtocolSix = 6;
constexpr std::size_t kDsConfigOffset = 12;  // in NDIS_802_11_CONFIGURATION

// The 802.11n modes: the driver chooses the rates itself.
bool ModeSendsNoRateSets(std::int32_t mode) {
  return mode == kModeAbgnMixed || mode == kModeNOnly || mode == kModeBgnMixed;
}

std::vector<std::uint8_t> DesiredRatesForMode(std::int32_t mode, std::uint32_t htTransmitSetting) {
  switch (mode) {
    case kModeBOnly:
      return {22, 11, 4, 2};
    case kModeAOnly:
    case kModeGOnly:
      return {108, 96, 72, 48, 36, 24, 18, 12};
    case kModeAbgnMixed:
    case kModeNOnly:
    case kModeBgnMixed:
      if (((htTransmitSetting >> 4) & 0x7F) == 0x21) return {108, 96, 72, 48, 22, 11, 4, 2};
      return {108};
    default:
      return {108, 96, 72, 48, 22, 11, 4, 2};
  }
}

}  // namespace

std::optional<std::array<std::uint8_t, 26>> SupportedRateSet(std::int32_t wirelessMode) {
  if (ModeSendsNoRateSets(wirelessMode)) return std::nullopt;
  std::vector<std::uint8_t> rates;
  std::vector<std::uint8_t> extended;
  if (wirelessMode == kModeBOnly) {
    rates = {0x82, 0x84, 0x8B, 0x96};
  } else if (wirelessMode == kModeAOnly || wirelessMode == kModeGOnly) {
    rates = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};
  } else {
    rates = {0x82, 0x84, 0x8B, 0x96, 0x12, 0x24, 0x48, 0x6C};
    extended = {0x8C, 0x98, 0xB0, 0x60};
  }
  std::array<std::uint8_t, 26> set{};
  set[0] = static_cast<std::uint8_t>(rates.size());
  std::copy(rates.begin(), rates.end(), set.begin() + 1);
  set[13] = static_cast<std::uint8_t>(extended.size());
  std::copy(extended.begin(), extended.end(), set.begin() + 14);
  return set;
}

std::uint32_t CcxWordToSend(std::uint32_t word, int ccxFlag) {
  if (ccxFlag == 1) return word;
  return (word & ~0x520u) | 0xFA00u;
}

ActionQueue::ActionQueue(ActionQueueHost& host, DriverRequestPort& driver, IEventLoop& loop)
    : host_(host), driver_(driver), loop_(loop) {}

ActionQueue::~ActionQueue() {
  if (waitTimer_ != 0) loop_.KillSystemTimer(waitTimer_);
}

bool ActionQueue::QueueAction(ActionType type, std::unique_ptr<ConnectionSettings> record) {
  if (type == ActionType::Connect) {
    host_.ClearAdapterChanged();
    if (record) current_ = std::make_unique<ConnectionSettings>(*record);
  }
  ActionData action{type, std::move(record)};
  if (entries_.empty()) {
    entries_.push_back(std::move(action));
  } else {
    bool taken = false;
    for (std::size_t i = entries_.size(); i-- > 0;) {
      ActionData& entry = entries_[i];
      if (entry.type == ActionType::Scan && type == ActionType::Scan) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
      } else if (entry.type == ActionType::Connect && type == ActionType::Connect) {
        if (!taken) {
          entry.data = std::move(action.data);
          taken = true;
        } else {
          entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(i));
        }
      }
    }
    if (!taken) entries_.push_back(std::move(action));
  }

  if (entries_.empty()) return false;
  if (entries_.size() == 1) return true;
  if (entries_[0].type == ActionType::Scan) return false;
  if (entries_[1].type != ActionType::Scan) return true;
  const bool holdForTunnel = current_ && current_->passwordMode == 0 &&
                             static_cast<std::uint32_t>(current_->TunnelProtocol()) == kTunnelProtocolSix;
  return !holdForTunnel;
}

void ActionQueue::RunQueue() {
  while (!entries_.empty() && waitTimer_ == 0) {
    ActionData entry = std::move(entries_.front());
    entries_.pop_front();
    if (entry.type == ActionType::Scan) {
      host_.SetScanPending();
      host_.StartScan();
      return;
    }
    if (entry.type == ActionType::Connect && entry.data) {
      if (!RunConnect(*entry.data)) return;
    }
  }
}

bool ActionQueue::RunConnect(const ConnectionSettings& record) {
  if (record.fromProfile == 1 && record.ssidLength != 0) {
    host_.StartConnect(record, host_.WpsCredentialsInForce());
  }
  if (record.useRegistryRadio == 1) {
    SendRadioFromRecord(record);
  } else {
    SendRadioDefaults();
  }

  if (record.byBssid != 0) {
    SetConfigurationChannel(record.channel);
    driver_.Set(OID_802_11_BSSID, record.bssid);
    SendCcx(host_.Ccx2Control(), 0);
  } else if (host_.WpsCredentialsInForce()) {
    SetConfigurationChannel(record.channel);
    // The driver needs a moment after the channel change before it takes the target; the rest
    // of this entry (and of the queue) resumes when the wait is over.
    waitTimer_ = loop_.SetSystemTimer(kWpsBssidDelayMs, [this](UINT_PTR) { FinishWpsTarget(); });
    return false;
  } else {
    std::array<std::uint8_t, 36> ssidRecord{};
    const std::uint32_t length = std::min<std::uint32_t>(record.ssidLength, 32);
    StoreLe32(ssidRecord.data(), length);
    std::copy_n(record.ssid.begin(), length, ssidRecord.begin() + 4);
    driver_.Set(OID_802_11_SSID, ssidRecord);
    SendCcx(host_.Ccx2Control(), 1);
  }
  host_.ClearIcvError();
  return true;
}

void ActionQueue::FinishWpsTarget() {
  loop_.KillSystemTimer(waitTimer_);
  waitTimer_ = 0;
  driver_.Set(OID_802_11_BSSID, host_.WpsTargetBssid());
  SendCcx(host_.Ccx2Control(), 1);
  host_.ClearIcvError();
  RunQueue();
}

void ActionQueue::SendRadioFromRecord(const ConnectionSettings& record) {
  if (record.keepWirelessMode == 0) {
    driver_.SetU32(OID_WLAN_WIRELESS_MODE, static_cast<std::uint32_t>(record.wirelessMode));
  }
  std::array<std::uint8_t, 32> phy{};
  for (std::size_t i = 0; i < 8; ++i) StoreLe32(phy.data() + 4 * i, i == 6 ? 0 : record.phyConfig[i]);
  driver_.Set(OID_WLAN_PHY_CONFIG, phy);
  if (host_.RegionConfigured()) {
    driver_.SetU32(OID_WLAN_COUNTRY_REGION, record.regionWord);
    host_.ValidateChannel();
  }
  // The driver gets the mode as the registry has it; the rate set is the one of the mode the
  // adapter can use (a "G only" 7 asks for OFDM rates, not the mixed set).
  if (const auto rateSet = SupportedRateSet(host_.UsableWirelessMode(record.wirelessMode))) {
    driver_.Set(OID_802_11_DESIRED_RATES, record.desiredRates);
    driver_.Set(OID_WLAN_SUPPORTEDRATES, *rateSet);
  }
  SendCcx(record.ccxControl, record.byBssid == 0 ? 1 : 0);
}

void ActionQueue::SendRadioDefaults() {
  const auto defaults = host_.DefaultPhyConfig();
  std::array<std::uint8_t, 32> phy{};
  for (std::size_t i = 0; i < 8; ++i) StoreLe32(phy.data() + 4 * i, i == 6 ? 0 : defaults[i]);
  driver_.Set(OID_WLAN_PHY_CONFIG, phy);
  if (host_.RegionConfigured()) {
    driver_.SetU32(OID_WLAN_COUNTRY_REGION, host_.CleanedRegionWord());
    host_.ValidateChannel();
  }
  SendRates(host_.WirelessMode());
}

void ActionQueue::SendRates(std::int32_t wirelessMode) {
  const auto rates = DesiredRatesForMode(wirelessMode, host_.HtTransmitSetting());
  std::array<std::uint8_t, 8> desired{};
  std::copy_n(rates.begin(), std::min<std::size_t>(rates.size(), desired.size()), desired.begin());
  driver_.Set(OID_802_11_DESIRED_RATES, desired);
  if (const auto rateSet = SupportedRateSet(wirelessMode)) driver_.Set(OID_WLAN_SUPPORTEDRATES, *rateSet);
}

void ActionQueue::SetConfigurationChannel(std::int32_t channel) {
  // The DS configuration field holds the centre frequency in kHz, not the channel number.
  std::uint32_t frequencyKhz = 0;
  if (channel <= 0 || !ChannelToFrequency(static_cast<std::uint32_t>(channel), frequencyKhz)) return;
  std::array<std::uint8_t, 32> configuration{};
  // Only a configuration the driver gave back is written; zeros would reset its beacon period.
  if (!driver_.Query(OID_802_11_CONFIGURATION, configuration)) return;
  StoreLe32(configuration.data() + kDsConfigOffset, frequencyKhz);
  driver_.Set(OID_802_11_CONFIGURATION, configuration);
}

void ActionQueue::SendCcx(std::uint32_t word, int ccxFlag) {
  driver_.SetU32(OID_WLAN_CCX_CONTROL, CcxWordToSend(word, ccxFlag));
}

}  // namespace nxui
