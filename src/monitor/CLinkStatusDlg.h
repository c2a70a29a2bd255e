// Link status panel: while visible, refreshes every 2 s from the driver, the WLAN session and
// the IP helper, and keeps the display state its view draws.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "adapter/HtRateTable.h"
#include "monitor/LinkStatusState.h"
#include "monitor/ThroughputHistory.h"
#include "platform/IEventLoop.h"

namespace nxui {

struct AdapterContext;
struct Platform;
class DriverRequestPort;
class ILinkStatusHost;
class StringTable;
class WlanSession;

class CLinkStatusDlg final : public IMessageTarget {
 public:
  static constexpr UINT_PTR kRefreshTimerId = 1;
  static constexpr UINT kRefreshPeriodMs = 2000;
  // A chain the adapter lacks reports this signal level.
  static constexpr std::int32_t kSignalAbsent = -200;

  CLinkStatusDlg(Platform& platform, const AdapterContext& context, DriverRequestPort& driver, WlanSession& session,
                 const StringTable& strings, const ILinkStatusHost& host);
  ~CLinkStatusDlg() override;
  CLinkStatusDlg(const CLinkStatusDlg&) = delete;
  CLinkStatusDlg& operator=(const CLinkStatusDlg&) = delete;

  // Once, when the page window is created: labels, MAC address, graphs, histories.
  void OnInitDialog();
  void OnShow();
  void OnHide();
  // One refresh, as timer 1 does it.
  void Refresh();

  // The statistics page's "Reset Counter": the next throughput is computed from restarted counters.
  void ResetByteCounters();

  // Samples the graphs keep: the screen width in pixels (the view knows it).
  void SetGraphCapacity(std::size_t pixels);

  const LinkStatusState& State() const { return state_; }
  HWND Window() const { return window_; }
  const std::array<std::uint8_t, 6>& MacAddress() const { return macAddress_; }
  std::uint32_t PreviousTxBytes() const { return previousTxBytes_; }
  std::uint32_t PreviousRxBytes() const { return previousRxBytes_; }
  bool FirstSample() const { return firstSample_; }
  int LegacyRateFlag() const { return legacyRateFlag_; }
  const ThroughputHistory& TxHistory() const { return txHistory_; }

  void OnTimer(UINT_PTR timerId) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  enum class IdleDisplay { kNotReady, kDisconnected };

  bool QueryU32(std::uint32_t oid, std::uint32_t& value);
  void ArrangeSignalBars();
  void ShowIdle(IdleDisplay which, bool legacyRate);
  void FillConnectionAttributes();
  void FillIpSettings();
  void UpdateThroughput(std::uint32_t counter, std::uint32_t& previous, ThroughputHistory& history,
                        BarGraphState& graph, std::string& text);
  void PushIdleSample(ThroughputHistory& history, BarGraphState& graph);
  void UpdateLinkQuality(std::uint32_t channelQuality);
  void UpdateSignalsAndNoise(bool legacyRate);
  void SetHtValuesNotAvailable();
  std::string CentralChannelSuffix(std::uint32_t centralChannel) const;

  Platform& platform_;
  const AdapterContext& context_;
  DriverRequestPort& driver_;
  WlanSession& session_;
  const StringTable& strings_;
  const ILinkStatusHost& host_;

  HWND window_ = 0;
  LinkStatusState state_;
  CHTTable htTable_;
  std::array<std::uint8_t, 6> macAddress_{};
  std::uint32_t previousTxBytes_ = 0;
  std::uint32_t previousRxBytes_ = 0;
  bool firstSample_ = true;
  ThroughputHistory txHistory_;
  ThroughputHistory rxHistory_;
  int qualityMemory_ = 0;
  int signal1Memory_ = 0;
  int legacyRateFlag_ = 0;
};

}  // namespace nxui
