// The connection action queue: scans and connect requests from the pages, WPS and the radio
// switch are merged here and worked off in order. Working off a connect action programs the
// driver's radio parameters, rates, region and target, and starts the platform connection.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "adapter/ConnectionSettings.h"
#include "adapter/DriverRequestPort.h"
#include "platform/IEventLoop.h"
#include "platform/IWlanApi.h"

namespace nxui {

// What the hidden window lends the queue: its registry parameters, flags and the WLAN session.
class ActionQueueHost {
 public:
  virtual ~ActionQueueHost() = default;
  // Registry "WirelessMode" of the adapter as channel validation normalises it (7 -> 4, 8 and 10
  // -> 2, then the band and 802.11n rules); used when the record carries no radio parameters.
  virtual std::int32_t WirelessMode() = 0;
  // A mode read from the registry, normalised the same way for this adapter.
  virtual std::int32_t UsableWirelessMode(std::int32_t mode) = 0;
  // State kept by the last channel validation: whether either band's region is configured, and
  // the region word with the "not configured" bits cleared.
  virtual bool RegionConfigured() = 0;
  virtual std::uint32_t CleanedRegionWord() = 0;
  virtual void ValidateChannel() = 0;
  // Registry "CCX2Control".
  virtual std::uint32_t Ccx2Control() = 0;
  // PHY configuration kept from the last registry read.
  virtual std::array<std::uint32_t, 8> DefaultPhyConfig() = 0;
  // The 802.11n transmit setting word.
  virtual std::uint32_t HtTransmitSetting() = 0;
  virtual bool WpsCredentialsInForce() = 0;
  virtual Dot11MacAddress WpsTargetBssid() = 0;
  virtual void ClearAdapterChanged() = 0;
  virtual void ClearIcvError() = 0;
  virtual void SetScanPending() = 0;
  // The WLAN session's Scan and Connect.
  virtual DWORD StartScan() = 0;
  virtual void StartConnect(const ConnectionSettings& record, bool fromWps) = 0;
};

// What a queued action does; the numbers are the record's type field.
enum class ActionType : std::int32_t { Scan = 0, Connect = 1 };

// One queued action (the platform's `_ACTION_DATA` record, renamed: names that begin with an
// underscore and a capital are reserved in C++): a scan, or a connect with a record owned by the
// entry.
struct ActionData {
  ActionType type = ActionType::Scan;
  std::unique_ptr<ConnectionSettings> data;
};

// The 26-byte supported-rate set for a wireless mode; nullopt for the modes that send none.
std::optional<std::array<std::uint8_t, 26>> SupportedRateSet(std::int32_t wirelessMode);
// CCX word as sent: with the flag off, bits 0x520 cleared and 0xFA00 set.
std::uint32_t CcxWordToSend(std::uint32_t word, int ccxFlag);

class ActionQueue {
 public:
  static constexpr std::uint32_t kWpsBssidDelayMs = 100;

  ActionQueue(ActionQueueHost& host, DriverRequestPort& driver, IEventLoop& loop);
  ~ActionQueue();
  ActionQueue(const ActionQueue&) = delete;
  ActionQueue& operator=(const ActionQueue&) = delete;

  // Takes ownership of `record` for a connect. True when the caller should call RunQueue now.
  bool QueueAction(ActionType type, std::unique_ptr<ConnectionSettings> record = nullptr);
  void RunQueue();

  std::size_t Size() const { return entries_.size(); }
  const ActionData& At(std::size_t index) const { return entries_[index]; }
  // Copy of the record of the last connect request; nullptr before the first.
  const ConnectionSettings* CurrentConnection() const { return current_.get(); }
  // A WPS target is being set after its wait; the queue resumes when it is done.
  bool Waiting() const { return waitTimer_ != 0; }

 private:
  // Returns false when the entry must finish after the WPS wait.
  bool RunConnect(const ConnectionSettings& record);
  void SendRadioFromRecord(const ConnectionSettings& record);
  void SendRadioDefaults();
  void SendRates(std::int32_t wirelessMode);
  void SetConfigurationChannel(std::int32_t channel);
  void SendCcx(std::uint32_t word, int ccxFlag);
  void FinishWpsTarget();

  ActionQueueHost& host_;
  DriverRequestPort& driver_;
  IEventLoop& loop_;
  std::deque<ActionData> entries_;
  std::unique_ptr<ConnectionSettings> current_;
  UINT_PTR waitTimer_ = 0;
};

}  // namespace nxui
