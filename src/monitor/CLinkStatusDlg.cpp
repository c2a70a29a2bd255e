#include "monitor/CLinkStatusDlg.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "adapter/AdapterContext.h"
#include "adapter/ChannelFrequencyTable.h"
#include "adapter/DriverRecords.h"
#include "adapter/DriverRequestPort.h"
#include "adapter/Oids.h"
#include "adapter/Units.h"
#include "base/ByteReader.h"
#include "display/StringTable.h"
#include "monitor/ILinkStatusHost.h"
#include "platform/IIpHelper.h"
#include "platform/Platform.h"
#include "wlan/WlanSession.h"

namespace nxui {

namespace {

constexpr const char* kNotAvailable = "N/A";
constexpr const char* kMaxTextOnShow = "0.000 Mbps";

// Texts the page shows in Chinese whatever the language.
constexpr const char* kTxPowerLowest = "最低";
constexpr const char* kInfrastructure = "基础模式";
constexpr const char* kCipherNone = "无";
constexpr const char* kGuardShort = "短";
constexpr const char* kGuardLong = "长";
constexpr const char* kStbcUsed = "已使用";
constexpr const char* kStbcNone = "无";

constexpr std::array<StringId, 3> kSignalTemplateIds = {string_id::kSignal1Bar, string_id::kSignal2Bar,
                                                        string_id::kSignal3Bar};
constexpr std::array<StringId, 3> kSignalDbmIds = {string_id::kSignal1BarDbm, string_id::kSignal2BarDbm,
                                                   string_id::kSignal3BarDbm};
constexpr std::array<StringId, 3> kSignalAbsentIds = {string_id::kSignal1Absent, string_id::kSignal2Absent,
                                                      string_id::kSignal3Absent};

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

// < 35 red, < 70 yellow, otherwise green; the noise bar uses the reverse.
DisplayColour LevelColour(int value) {
  if (value < 35) return colour::kRed;
  if (value < 70) return colour::kYellow;
  return colour::kGreen;
}
DisplayColour NoiseColour(int value) {
  if (value < 35) return colour::kGreen;
  if (value < 70) return colour::kYellow;
  return colour::kRed;
}

// The rounded mean of the remembered value and the new one; 0 in memory means none yet.
int Smooth(int& memory, int value) {
  if (memory != 0) value = static_cast<int>((memory + value) * 0.5 + 0.5);
  memory = value;
  return value;
}

std::string NetworkTypeText(DWORD bssType, const std::string& previous) {
  switch (bssType) {
    case kDot11BssTypeInfrastructure:
    case kDot11BssTypeAny:
      return kInfrastructure;
    case kDot11BssTypeIndependent:
      return "IBSS";
    default:
      return previous;
  }
}

std::string AuthenticationText(DWORD algorithm, const std::string& previous) {
  switch (algorithm) {
    case kDot11AuthOpen:
      return "Open";
    case kDot11AuthSharedKey:
      return "Shared";
    case kDot11AuthWpa:
      return "WPA";
    case kDot11AuthWpaPsk:
      return "WPA-PSK";
    case kDot11AuthWpaNone:
      return "WPA-NONE";
    case kDot11AuthRsna:
      return "WPA2";
    case kDot11AuthRsnaPsk:
      return "WPA2-PSK";
    default:
      return previous;
  }
}

// WEP with a 40- or 104-bit key (1, 5) keeps the previous text: only the generic WEP code has one.
std::string EncryptionText(DWORD cipher, const std::string& previous) {
  switch (cipher) {
    case kDot11CipherNone:
      return kCipherNone;
    case kDot11CipherTkip:
      return "TKIP";
    case kDot11CipherCcmp:
      return "AES";
    case kDot11CipherWep:
      return "WEP";
    default:
      return previous;
  }
}

std::string TxPowerText(std::int32_t value) {
  if (value == -1 || value == 100) return "100%";
  if (value >= 0 && value <= 6) return kTxPowerLowest;
  return Format("%d%%", value);
}

}  // namespace

CLinkStatusDlg::CLinkStatusDlg(Platform& platform, const AdapterContext& context, DriverRequestPort& driver,
                               WlanSession& session, const StringTable& strings, const ILinkStatusHost& host)
    : platform_(platform), context_(context), driver_(driver), session_(session), strings_(strings), host_(host) {
  state_.txGraph.name = "Tx";
  state_.rxGraph.name = "Rx";
  for (std::size_t i = 0; i < state_.bars.size(); ++i) state_.bars[i].slot = static_cast<int>(i);
}

CLinkStatusDlg::~CLinkStatusDlg() {
  if (window_ != 0) platform_.loop.DestroyWindow(window_);
}

bool CLinkStatusDlg::QueryU32(std::uint32_t oid, std::uint32_t& value) {
  std::array<std::uint8_t, 4> record{};
  if (!driver_.Query(oid, record)) return false;
  value = LoadLe32(record.data());
  return true;
}

void CLinkStatusDlg::OnInitDialog() {
  if (window_ == 0) window_ = platform_.loop.CreateWindow(*this);

  namespace id = string_id;
  auto& l = state_.labels;
  l.status = strings_.LoadString(id::kStatusLabel);
  l.extraInfo = strings_.LoadString(id::kExtraInfoLabel);
  l.channel = strings_.LoadString(id::kChannelLabel);
  l.authentication = strings_.LoadString(id::kAuthenticationLabel);
  l.encryption = strings_.LoadString(id::kEncryptionLabel);
  l.networkType = strings_.LoadString(id::kNetworkTypeLabel);
  l.ipAddress = strings_.LoadString(id::kIpAddressLabel);
  l.subMask = strings_.LoadString(id::kSubMaskLabel);
  l.gateway = strings_.LoadString(id::kDefaultGatewayLabel);
  l.transmit = strings_.LoadString(id::kTransmit);
  l.receive = strings_.LoadString(id::kReceive);
  l.txLinkSpeed = l.rxLinkSpeed = strings_.LoadString(id::kLinkSpeedLabel);
  l.txThroughput = l.rxThroughput = strings_.LoadString(id::kThroughputLabel);
  l.htCaption = strings_.LoadString(id::kHtCaption);
  l.bandwidth = strings_.LoadString(id::kBandwidthLabel);
  l.guardInterval = strings_.LoadString(id::kGuardIntervalLabel);
  l.stbc = strings_.LoadString(id::kStbcLabel);
  l.mcs = strings_.LoadString(id::kMcsLabel);
  l.snr0 = strings_.LoadString(id::kSnr0Label);
  l.snr1 = strings_.LoadString(id::kSnr1Label);

  state_.bars[kQualityBar].SetCaption(strings_.LoadString(id::kLinkQualityBar));
  state_.bars[kSignal1Bar].SetCaption(strings_.LoadString(id::kSignal1Bar));
  state_.bars[kSignal2Bar].SetCaption(strings_.LoadString(id::kSignal2Bar));
  state_.bars[kSignal3Bar].SetCaption(strings_.LoadString(id::kSignal3Bar));
  state_.bars[kNoiseBar].SetCaption(strings_.LoadString(id::kNoiseBar));

  std::array<std::uint8_t, 6> mac{};
  if (driver_.Query(OID_802_3_CURRENT_ADDRESS, mac)) macAddress_ = mac;

  for (BarGraphState* graph : {&state_.txGraph, &state_.rxGraph}) {
    graph->captionLine1 = strings_.LoadString(id::kGraphMax);
    if (graph->captionLine1.empty()) graph->captionLine1 = "Max";
    graph->captionLine2 = FormatThroughput(graph->maximum);
  }
  state_.txGraph.barColour = colour::kGreen;
  state_.rxGraph.barColour = colour::kGraphYellow;
  txHistory_.Clear();
  rxHistory_.Clear();
}

void CLinkStatusDlg::SetGraphCapacity(std::size_t pixels) {
  state_.txGraph.SetCapacity(pixels);
  state_.rxGraph.SetCapacity(pixels);
}

void CLinkStatusDlg::OnShow() {
  htTable_.Fill();
  state_.texts = {};
  txHistory_.ResetMaximum();
  rxHistory_.ResetMaximum();
  for (BarGraphState* graph : {&state_.txGraph, &state_.rxGraph}) {
    graph->SetMaximum(0.0);
    graph->captionLine2 = kMaxTextOnShow;
    graph->Clear();
  }
  ArrangeSignalBars();
  state_.ht.visible = context_.is11n;
  state_.ht.stbcVisible = false;
  state_.timerRunning = platform_.loop.SetTimer(window_, kRefreshTimerId, kRefreshPeriodMs);
}

void CLinkStatusDlg::OnHide() {
  platform_.loop.KillTimer(window_, kRefreshTimerId);
  state_.timerRunning = false;
}

void CLinkStatusDlg::OnTimer(UINT_PTR timerId) {
  if (timerId == kRefreshTimerId) Refresh();
}

LRESULT CLinkStatusDlg::OnMessage(UINT, WPARAM, LPARAM) { return 0; }

void CLinkStatusDlg::ResetByteCounters() {
  previousTxBytes_ = 0;
  previousRxBytes_ = 0;
}

// Chains the adapter cannot query give up their bars; the noise bar moves up to close the gap.
void CLinkStatusDlg::ArrangeSignalBars() {
  auto& bars = state_.bars;
  for (std::size_t i = 0; i < bars.size(); ++i) {
    bars[i].visible = true;
    bars[i].slot = static_cast<int>(i);
  }
  std::uint32_t ignored = 0;
  if (!QueryU32(OID_WLAN_RSSI1, ignored)) {
    bars[kSignal2Bar].visible = false;
    bars[kSignal3Bar].visible = false;
    bars[kNoiseBar].slot = bars[kSignal2Bar].slot;
  } else if (!QueryU32(OID_WLAN_RSSI2, ignored)) {
    bars[kSignal3Bar].visible = false;
    bars[kNoiseBar].slot = bars[kSignal3Bar].slot;
  }
}

void CLinkStatusDlg::Refresh() {
  auto& texts = state_.texts;
  const bool is11n = context_.is11n;

  std::uint32_t lastEvent = 0;
  std::string extraInfo;
  if (QueryU32(OID_WLAN_LAST_EVENT, lastEvent) && lastEvent < string_id::kLastEventCount) {
    extraInfo = strings_.LoadString(string_id::kLastEventBase + lastEvent);
  }
  texts.extraInfo = extraInfo;

  std::uint32_t txHtWord = 0;  // a failed query reads as a legacy rate
  QueryU32(OID_WLAN_TX_HTRATE, txHtWord);
  const bool legacyRate = IsLegacyRateInUse(txHtWord);

  int connected = 0;
  if (session_.IsConnected(connected) != kErrorSuccess) {
    ShowIdle(IdleDisplay::kNotReady, legacyRate);
    return;
  }
  Dot11MacAddress bssid{};
  session_.CurrentBssid(bssid);
  const bool bssidZero = std::all_of(bssid.begin(), bssid.end(), [](std::uint8_t b) { return b == 0; });
  if (connected == 0 || bssidZero) {
    ShowIdle(IdleDisplay::kDisconnected, legacyRate);
    return;
  }

  SsidRecord ssidRecord{};
  session_.CurrentSsid(ssidRecord);
  const std::uint32_t ssidLength = std::min<std::uint32_t>(LoadLe32(ssidRecord.data()), 32);
  const std::string ssid(reinterpret_cast<const char*>(ssidRecord.data() + 4), ssidLength);

  // A driver that cannot tell its transmit power is taken to send at full power.
  std::uint32_t txPower = 100;
  QueryU32(OID_WLAN_TX_POWER, txPower);
  const std::string txPowerText = TxPowerText(static_cast<std::int32_t>(txPower));

  std::array<std::uint8_t, 4> apAddress{};
  const bool apKnown = driver_.Query(OID_WLAN_AP_IP_ADDRESS, apAddress) &&
                       std::any_of(apAddress.begin(), apAddress.end(), [](std::uint8_t b) { return b != 0; });
  if (apKnown) {
    texts.status =
        Format("%s <--> %02X-%02X-%02X-%02X-%02X-%02X [%d.%d.%d.%d]", ssid.c_str(), bssid[0], bssid[1], bssid[2],
               bssid[3], bssid[4], bssid[5], apAddress[0], apAddress[1], apAddress[2], apAddress[3]);
  } else {
    texts.status = Format("%s <--> %02X-%02X-%02X-%02X-%02X-%02X", ssid.c_str(), bssid[0], bssid[1], bssid[2], bssid[3],
                          bssid[4], bssid[5]);
  }

  FillConnectionAttributes();
  FillIpSettings();

  if (is11n) {
    if (!legacyRate) {
      legacyRateFlag_ = 0;
    } else if (legacyRateFlag_ != 1) {
      legacyRateFlag_ = 1;
      SetHtValuesNotAvailable();
    }
    std::uint32_t rxWord = 0;
    QueryU32(OID_WLAN_RXRATE, rxWord);
    texts.rxRate = FormatRate(DecodeHtTransmitSetting(htTable_, rxWord));
  } else {
    std::uint32_t rxIndex = 0;
    const double rate = QueryU32(OID_WLAN_RXRATE, rxIndex) ? LegacyRateIndexToMbps(rxIndex) : 1.0;
    texts.rxRate = FormatRate(rate);
  }

  std::array<std::uint8_t, sizeof(LinkStatusRecord)> record{};
  const std::size_t recordSize = is11n ? kLinkStatus11nSize : kLinkStatusLegacySize;
  const bool recordRead = driver_.Query(OID_WLAN_LINK_STATUS, std::span(record.data(), recordSize));

  ULONG channel = static_cast<ULONG>(-1);
  if (session_.CurrentChannel(channel) != kErrorSuccess) channel = static_cast<ULONG>(-1);
  texts.channel = channel == static_cast<ULONG>(-1) ? std::string() : FormatChannelTextForChannel(channel);

  if (recordRead) {
    const std::uint32_t txRateUnits = LoadLe32(record.data());
    const std::uint32_t channelQuality = LoadLe32(record.data() + 4);
    const std::uint32_t txBytes = LoadLe32(record.data() + 8);
    const std::uint32_t rxBytes = LoadLe32(record.data() + 12);
    const std::uint32_t centralChannel = LoadLe32(record.data() + 16);

    if (is11n) {
      texts.txRate = FormatRate(DecodeHtTransmitSetting(htTable_, txHtWord));
      if (legacyRateFlag_ == 0) {
        state_.ht.bandwidth = (txHtWord & 0x80) != 0 ? "40" : "20";
        state_.ht.guardInterval = (txHtWord & 0x100) != 0 ? kGuardShort : kGuardLong;
        state_.ht.stbc = (txHtWord & 0x600) != 0 ? kStbcUsed : kStbcNone;
        state_.ht.mcs = Format("%d", static_cast<int>(txHtWord & 0x7F));
      }
      texts.channel += CentralChannelSuffix(centralChannel);
    } else {
      texts.txRate = FormatRate(txRateUnits * 0.5);
    }

    const bool first = firstSample_;
    if (first) {
      previousTxBytes_ = txBytes;
      previousRxBytes_ = rxBytes;
    } else {
      UpdateThroughput(txBytes, previousTxBytes_, txHistory_, state_.txGraph, texts.txThroughput);
      UpdateThroughput(rxBytes, previousRxBytes_, rxHistory_, state_.rxGraph, texts.rxThroughput);
    }
    firstSample_ = false;
    UpdateLinkQuality(channelQuality);
  }

  UpdateSignalsAndNoise(legacyRate);

  if (host_.IcvError()) texts.extraInfo += Format(" -- %s ", strings_.LoadString(string_id::kIcvError).c_str());
  texts.extraInfo += Format(" [传输功率:%s]", txPowerText.c_str());
}

std::string CLinkStatusDlg::CentralChannelSuffix(std::uint32_t centralChannel) const {
  if (!host_.ConnectedSurveyRowIs11n() || state_.texts.channel.empty()) return {};
  return "; " + strings_.LoadString(string_id::kCentralChannel) + Format(" : %d", static_cast<int>(centralChannel));
}

void CLinkStatusDlg::FillConnectionAttributes() {
  auto& texts = state_.texts;
  DWORD bssType = kDot11BssTypeInfrastructure;
  session_.CurrentBssType(bssType);
  texts.networkType = NetworkTypeText(bssType, texts.networkType);

  DWORD auth = kDot11AuthOpen;
  session_.CurrentAuthAlgorithm(auth);
  texts.authentication = AuthenticationText(auth, texts.authentication);

  DWORD cipher = kDot11CipherNone;
  session_.CurrentCipherAlgorithm(cipher);
  texts.encryption = EncryptionText(cipher, texts.encryption);
}

void CLinkStatusDlg::FillIpSettings() {
  auto& texts = state_.texts;
  texts.ipAddress.clear();
  texts.subMask.clear();
  texts.gateway.clear();
  std::vector<IpAdapterInfo> adapters;
  if (!platform_.ipHelper.GetAdaptersInfo(adapters)) return;
  for (const IpAdapterInfo& adapter : adapters) {
    if (adapter.hardwareAddress.size() != macAddress_.size() ||
        !std::equal(macAddress_.begin(), macAddress_.end(), adapter.hardwareAddress.begin())) {
      continue;
    }
    // The entry's first address and mask, its first gateway; a later match overwrites.
    texts.ipAddress = adapter.ipAddresses.empty() ? std::string() : adapter.ipAddresses.front();
    texts.subMask = adapter.ipMasks.empty() ? std::string() : adapter.ipMasks.front();
    texts.gateway = adapter.gateways.empty() ? std::string() : adapter.gateways.front();
  }
}

void CLinkStatusDlg::UpdateThroughput(std::uint32_t counter, std::uint32_t& previous, ThroughputHistory& history,
                                      BarGraphState& graph, std::string& text) {
  // Unsigned 32-bit difference: a counter that wrapped still gives the bytes of the period.
  const std::uint32_t delta = counter - previous;
  const double mbps = delta / 250.0 / 1000.0;  // bytes over 2 s in Mbit/s
  text = FormatThroughput(mbps);
  history.Push(mbps);
  graph.SetMaximum(history.Maximum());
  graph.captionLine2 = FormatThroughput(history.Maximum());
  graph.AddSample(mbps);
  previous = counter;
}

void CLinkStatusDlg::PushIdleSample(ThroughputHistory& history, BarGraphState& graph) {
  history.Push(0.0);
  graph.SetMaximum(history.Maximum());
  graph.captionLine2 = FormatThroughput(history.Maximum());
  graph.AddSample(0.0);
}

void CLinkStatusDlg::UpdateLinkQuality(std::uint32_t channelQuality) {
  // Clamped in floating point: a wild driver value must not overflow the integer.
  const double raw = channelQuality * 1.2 + 10.0;
  int value = raw > 100.0 ? 100 : static_cast<int>(raw);
  value = Smooth(qualityMemory_, value);
  PercentBarState& bar = state_.bars[kQualityBar];
  bar.SetColour(LevelColour(value));
  bar.SetPosition(value);
}

void CLinkStatusDlg::UpdateSignalsAndNoise(bool legacyRate) {
  const bool is11n = context_.is11n;
  const bool showDbm = host_.ShowDbm();

  // The refresh expects the chains to answer; one that does not is shown as absent.
  std::array<std::int32_t, 3> dbm{kSignalAbsent, kSignalAbsent, kSignalAbsent};
  constexpr std::array<Oid, 3> kRssiOids = {OID_WLAN_RSSI0, OID_WLAN_RSSI1, OID_WLAN_RSSI2};
  for (std::size_t i = 0; i < dbm.size(); ++i) {
    std::uint32_t raw = 0;
    if (QueryU32(kRssiOids[i], raw)) dbm[i] = static_cast<std::int32_t>(raw);
  }
  std::array<int, 3> percent{RssiToPercent(dbm[0]), RssiToPercent(dbm[1]), RssiToPercent(dbm[2])};
  percent[0] = Smooth(signal1Memory_, percent[0]);

  for (std::size_t i = 0; i < dbm.size(); ++i) {
    PercentBarState& bar = state_.bars[kSignal1Bar + i];
    if (dbm[i] == kSignalAbsent) {
      bar.SetCaption(strings_.LoadString(kSignalAbsentIds[i]));
      bar.SetPosition(0);
      continue;
    }
    const int value = std::min(percent[i], 100);
    if (showDbm) {
      bar.SetCaption(Format(strings_.LoadString(kSignalDbmIds[i]).c_str(), dbm[i]));
    } else {
      bar.SetCaption(strings_.LoadString(kSignalTemplateIds[i]));
    }
    bar.SetColour(LevelColour(value));
    bar.SetPosition(value);
  }

  std::uint32_t snrValue[2] = {0, 0};
  if (is11n) {
    constexpr std::array<Oid, 2> kSnrOids = {OID_WLAN_SNR0, OID_WLAN_SNR1};
    std::string* snrText[2] = {&state_.ht.snr0, &state_.ht.snr1};
    for (std::size_t i = 0; i < 2; ++i) {
      std::uint32_t value = 0;
      const bool read = QueryU32(kSnrOids[i], value);
      if (read) snrValue[i] = value;
      if (!read || value == kSnrNotAvailable) {
        *snrText[i] = kNotAvailable;
      } else if (!legacyRate) {
        *snrText[i] = Format("%d", static_cast<int>(value));
      }
    }
  }

  std::uint32_t rawNoise = 0;
  QueryU32(OID_WLAN_NOISE, rawNoise);
  std::int64_t noise = 0;
  if (is11n) {
    const std::int32_t best = std::max({dbm[0], dbm[1], dbm[2]});
    const std::uint32_t snr = std::min(snrValue[0], snrValue[1]);
    // Wraps like the 32-bit arithmetic it mirrors; sane values never get near the edges.
    noise = best >= -70 ? -92 : static_cast<std::int32_t>(static_cast<std::uint32_t>(best) - snr);
  } else {
    noise = static_cast<std::int64_t>(static_cast<std::int32_t>(rawNoise)) - 143;
  }
  std::int64_t level = ((noise + 100) * 10) / 3;
  level = std::clamp<std::int64_t>(level, 0, 100);
  const int n = static_cast<int>(level);

  PercentBarState& bar = state_.bars[kNoiseBar];
  bar.SetColour(NoiseColour(n));
  bar.SetCaption(showDbm ? Format(strings_.LoadString(string_id::kNoiseBarDbm).c_str(), static_cast<int>(noise))
                         : strings_.LoadString(string_id::kNoiseBar));
  bar.SetPosition(n);
}

void CLinkStatusDlg::SetHtValuesNotAvailable() {
  auto& ht = state_.ht;
  ht.bandwidth = ht.guardInterval = ht.stbc = ht.mcs = ht.snr0 = ht.snr1 = kNotAvailable;
}

void CLinkStatusDlg::ShowIdle(IdleDisplay which, bool legacyRate) {
  auto& texts = state_.texts;
  std::string status;
  if (which == IdleDisplay::kNotReady) {
    status =
        strings_.LoadString(session_.ServiceAvailable() ? string_id::kNicNotReady : string_id::kAutoConfigDisabled);
  } else {
    status = strings_.LoadString(host_.RadioOn() ? string_id::kDisconnected : string_id::kRfOff);
  }
  texts = {};
  texts.status = status;

  for (std::size_t i = 0; i < state_.bars.size(); ++i) {
    state_.bars[i].SetPosition(0);
    if (i != kNoiseBar) state_.bars[i].ResetGradient();
  }
  if ((legacyRate ? 1 : 0) != legacyRateFlag_ || !legacyRate) SetHtValuesNotAvailable();

  PushIdleSample(txHistory_, state_.txGraph);
  PushIdleSample(rxHistory_, state_.rxGraph);
}

}  // namespace nxui
