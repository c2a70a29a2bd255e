#include "sim/SimDriver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "adapter/AdapterDiscovery.h"
#include "adapter/DriverNames.h"
#include "base/ByteReader.h"
#include "platform/IEventLoop.h"
#include "platform/IRegistry.h"
#include "sim/SimDriverEvents.h"
#include "sim/SimFaults.h"
#include "sim/SimNetworkTraits.h"
#include "sim/SimRegistry.h"
#include "sim/SimWps.h"

namespace nxui::sim {
namespace {

constexpr int kRssiAbsent = -200;
constexpr int kRssiNoLink = -100;

std::vector<std::uint8_t> Word(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 24)};
}

template <typename T>
std::vector<std::uint8_t> Bytes(const T& record) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
  return {p, p + sizeof(T)};
}

// Mbps of a transmit-setting word, for the link-status rate in 500 kbit/s units.
double WordToMbps(std::uint16_t word) {
  const int mode = word >> 14;
  const int mcs = word & 0x7F;
  if (mode == 0) {
    static const double cck[] = {1.0, 2.0, 5.5, 11.0};
    return cck[mcs & 3];
  }
  if (mode == 1) {
    static const double ofdm[] = {6, 9, 12, 18, 24, 36, 48, 54};
    return mcs <= 7 ? ofdm[mcs] : 0.0;
  }
  if (mcs > 31) return 6.0;
  static const double perStream[] = {6.5, 13.0, 19.5, 26.0, 39.0, 52.0, 58.5, 65.0};
  double rate = perStream[mcs % 8] * (mcs / 8 + 1);
  if (word & 0x80) rate = rate * 270.0 / 130.0;
  if (word & 0x100) rate = rate * 10.0 / 9.0;
  return rate;
}

}  // namespace

// The driver's OIDs: record lengths it insists on (query / set) and who answers. A query without
// a handler returns the record a set stored (zeros before any); a set without one stores the
// record as sent.
const SimDriver::OidHandler SimDriver::kHandlers[] = {
    {OID_GEN_DRIVER_VERSION, 2, 0, false, false, &SimDriver::QueryDriverVersion, nullptr},
    {OID_GEN_RCV_NO_BUFFER, 4, 0, false, false, &SimDriver::QueryNoBuffer, nullptr},
    {OID_802_3_CURRENT_ADDRESS, 6, 0, false, false, &SimDriver::QueryMacAddress, nullptr},
    {OID_802_11_BSSID, 6, 6, true, false, &SimDriver::QueryBssid, nullptr},
    {OID_802_11_SSID, 36, 36, true, false, &SimDriver::QuerySsid, &SimDriver::SetSsid},
    {OID_802_11_DESIRED_RATES, 8, 8, true, false, nullptr, nullptr},
    {OID_802_11_CONFIGURATION, 32, 32, true, false, &SimDriver::QueryConfiguration, nullptr},
    {OID_DOT11_RTS_THRESHOLD, 4, 4, true, false, nullptr, nullptr},
    {OID_DOT11_FRAGMENTATION_THRESHOLD, 4, 4, true, false, nullptr, nullptr},
    {OID_DOT11_POWER_MGMT_REQUEST, 4, 4, true, false, nullptr, nullptr},
    {OID_DOT11_DESIRED_BSSID_LIST, 20, 20, true, false, nullptr, &SimDriver::SetDesiredBssidList},
    {OID_DOT11_DISCONNECT_REQUEST, 0, 0, true, false, nullptr, &SimDriver::SetDisconnect},
    {OID_WLAN_WIRELESS_MODE, 4, 4, true, false, nullptr, nullptr},
    {OID_WLAN_COUNTRY_REGION, 4, 4, true, false, nullptr, nullptr},
    {OID_WLAN_EEPROM_VERSION, 4, 0, false, false, &SimDriver::QueryEepromVersion, nullptr},
    {OID_WLAN_TX_POWER, 4, 4, true, false, &SimDriver::QueryTxPower, nullptr},
    {OID_WLAN_LINK_STATUS, kLinkStatusLegacySize, 0, false, false, &SimDriver::QueryLinkStatus, nullptr},
    {OID_WLAN_NOISE, 4, 0, false, false, &SimDriver::QueryNoise, nullptr},
    {OID_WLAN_STATISTICS, 184, 0, false, false, &SimDriver::QueryStatistics, nullptr},
    {OID_WLAN_RESET_COUNTERS, 0, 0, true, false, nullptr, &SimDriver::SetResetCounters},
    {OID_WLAN_LAST_EVENT, 4, 0, false, false, &SimDriver::QueryLastEvent, nullptr},
    {OID_WLAN_RXRATE, 4, 0, false, false, &SimDriver::QueryRxRate, nullptr},
    {OID_WLAN_RSSI0, 4, 0, false, false, &SimDriver::QueryRssi0, nullptr},
    {OID_WLAN_RSSI1, 4, 0, false, false, &SimDriver::QueryRssi1, nullptr},
    {OID_WLAN_RSSI2, 4, 0, false, false, &SimDriver::QueryRssi2, nullptr},
    {OID_WLAN_OP_MODE, 4, 4, true, false, nullptr, &SimDriver::SetOpMode},
    {OID_WLAN_TX_HTRATE, 4, 0, false, true, &SimDriver::QueryTxHtRate, nullptr},
    {OID_WLAN_SNR0, 4, 0, false, true, &SimDriver::QuerySnr0, nullptr},
    {OID_WLAN_SNR1, 4, 0, false, true, &SimDriver::QuerySnr1, nullptr},
    {OID_WLAN_BA_TABLE, sizeof(BaTable), sizeof(BaRequest), true, true, &SimDriver::QueryBaTable, &SimDriver::SetBaAdd},
    {OID_WLAN_HT_CONFIG, 8, 8, true, true, &SimDriver::QueryHtConfig, &SimDriver::SetHtConfig},
    {OID_WLAN_BA_DELETE, 0, sizeof(BaRequest), true, true, nullptr, &SimDriver::SetBaDelete},
    {OID_WLAN_HT_PHY_MODE, 12, 0, false, true, &SimDriver::QueryHtPhyMode, nullptr},
    {OID_WLAN_PEER_LIST, sizeof(PeerList), 0, false, true, &SimDriver::QueryPeerList, nullptr},
    {OID_WLAN_WPS_START, 0, sizeof(WpsStartRequest), true, false, nullptr, &SimDriver::SetWpsStart},
    {OID_WLAN_WPS_ASSOC_IE, 4, 4, true, false, nullptr, nullptr},
    {OID_WLAN_WPS_PROBE_IE, 4, 4, true, false, nullptr, nullptr},
    {OID_WLAN_WPS_STATUS, 4, 0, false, false, &SimDriver::QueryWpsStatus, nullptr},
    {OID_WLAN_WPS_CREDENTIAL, sizeof(WpsCredentialTable), 0, false, false, &SimDriver::QueryWpsCredential, nullptr},
    {OID_WLAN_WPS_PBC_STARTED, 4, 0, false, false, &SimDriver::QueryWpsPbcStarted, nullptr},
    {OID_WLAN_WPS_CONNECT, 4, 4, true, false, nullptr, nullptr},
    {OID_WLAN_STA_CONFIG, 32, 32, true, false, nullptr, nullptr},
    {OID_WLAN_WPS_SET_CREDENTIALS, 0, sizeof(WpsCredentialTable), true, false, nullptr, &SimDriver::SetWpsCredentials},
    {OID_WLAN_WPS_AUTO_SELECT, 4, 4, true, false, nullptr, nullptr},
    {OID_WLAN_PREAMBLE, 4, 4, true, false, nullptr, nullptr},
    {OID_WLAN_PHY_CONFIG, 32, 32, true, false, nullptr, nullptr},
    {OID_WLAN_CCX_CONTROL, 4, 4, true, false, nullptr, nullptr},
    {OID_WLAN_SUPPORTEDRATES, 26, 26, true, false, nullptr, nullptr},
    {OID_WLAN_AP_IP_ADDRESS, 4, 0, false, false, &SimDriver::QueryApIpAddress, nullptr},
    {OID_WLAN_FIRMWARE_VERSION, 4, 0, false, false, &SimDriver::QueryFirmwareVersion, nullptr},
    {OID_WLAN_ICV_STATE, 4, 0, false, false, &SimDriver::QueryIcvState, nullptr},
    {OID_WLAN_MAC_ADDRESS, 6, 0, false, false, &SimDriver::QueryMacAddress, nullptr},
};

const SimDriver::OidHandler* SimDriver::FindHandler(Oid oid) {
  static const std::vector<const OidHandler*> byOid = [] {
    std::vector<const OidHandler*> sorted;
    for (const OidHandler& handler : kHandlers) sorted.push_back(&handler);
    std::sort(sorted.begin(), sorted.end(), [](const OidHandler* a, const OidHandler* b) { return a->oid < b->oid; });
    return sorted;
  }();
  const auto it = std::lower_bound(byOid.begin(), byOid.end(), oid,
                                   [](const OidHandler* handler, Oid code) { return handler->oid < code; });
  return it != byOid.end() && (*it)->oid == oid ? *it : nullptr;
}

SimDriver::SimDriver(const ScenarioAdapter& adapter, int index, IEventLoop& loop, SimRegistry& registry,
                     SimAssociation& association, SimDriverEvents& events, SimFaults& faults)
    : adapter_(adapter),
      loop_(loop),
      registry_(registry),
      association_(association),
      events_(events),
      faults_(faults),
      index_(index) {}

std::uint32_t SimDriver::ReadRegistryNumber(const char* name, std::uint32_t fallback) const {
  std::string text;
  if (!registry_.ReadTextDirect(kHkeyLocalMachine, std::string(kClassKeyBase) + "\\" + adapter_.driverKey, name,
                                text)) {
    return fallback;
  }
  return static_cast<std::uint32_t>(std::atoi(text.c_str()));  // like the driver: no error check
}

void SimDriver::Start() {
  running_ = true;
  stored_.clear();
  if (wps_ != nullptr) wps_->Reset();
  icvError_ = false;
  // A restarted driver counts from zero.
  Account();
  txBaseline_ = txByteMs_ / 1000;
  rxBaseline_ = rxByteMs_ / 1000;
  const std::string classKey = std::string(kClassKeyBase) + "\\" + adapter_.driverKey;

  const bool dualBand = adapter_.bands.ghz5;
  stored_[OID_WLAN_WIRELESS_MODE] = Word(ReadRegistryNumber(reg_value::kWirelessMode, dualBand ? 5 : 9));
  // A missing region reads as "not configured" (bit 7).
  const std::uint32_t region24 = ReadRegistryNumber(reg_value::kCountryRegion, 0x80) & 0xFF;
  const std::uint32_t region5 = ReadRegistryNumber(reg_value::kCountryRegionABand, 0x80) & 0xFF;
  stored_[OID_WLAN_COUNTRY_REGION] = Word(region24 | (region5 << 8));
  const std::uint32_t channel = ReadRegistryNumber(reg_value::kChannel, 6);
  Ndis80211Configuration config{32, 100, 0, ChannelFrequencyKhz(static_cast<int>(channel)), 0, 0, 0, 0};
  stored_[OID_802_11_CONFIGURATION] = Bytes(config);
  ConfigWords sta{};
  sta.words[3] = ChannelFrequencyKhz(static_cast<int>(channel));  // the ad hoc channel, as its frequency
  stored_[OID_WLAN_STA_CONFIG] = Bytes(sta);
  ConfigWords phy{};
  phy.words[0] = ReadRegistryNumber(reg_value::kTxBurst, 0);
  phy.words[1] = ReadRegistryNumber(reg_value::kTurboRate, 0);
  phy.words[2] = ReadRegistryNumber(reg_value::kBgProtection, 0);
  phy.words[3] = ReadRegistryNumber(reg_value::kShortSlot, 1);
  stored_[OID_WLAN_PHY_CONFIG] = Bytes(phy);
  DWORD type = 0;
  std::vector<std::uint8_t> raw;
  std::uint32_t ccx = 0;
  if (registry_.ReadDirect(kHkeyLocalMachine, classKey, reg_value::kCcx2Control, type, raw) && raw.size() >= 4) {
    ccx = LoadLe32(raw.data());
  }
  stored_[OID_WLAN_CCX_CONTROL] = Word(ccx);
  std::optional<std::uint32_t> baCapability;
  if (registry_.ReadDirect(kHkeyLocalMachine, classKey, reg_value::kBaCapability, type, raw) && type == kRegDword &&
      raw.size() >= 4) {
    baCapability = LoadLe32(raw.data());
  }
  htBlockAck_.Start(baCapability);
  stored_[OID_WLAN_OP_MODE] = Word(static_cast<std::uint32_t>(adapter_.driver.opMode));
  stored_[OID_WLAN_TX_POWER] = Word(static_cast<std::uint32_t>(adapter_.driver.txPowerPercent));
  stored_[OID_WLAN_PREAMBLE] = Word(2);
  stored_[OID_DOT11_RTS_THRESHOLD] = Word(2347);
  stored_[OID_DOT11_FRAGMENTATION_THRESHOLD] = Word(2346);
  stored_[OID_DOT11_POWER_MGMT_REQUEST] = Word(0);
  stored_[OID_WLAN_WPS_ASSOC_IE] = Word(0);
  stored_[OID_WLAN_WPS_PROBE_IE] = Word(0);
  stored_[OID_WLAN_WPS_CONNECT] = Word(0);
  stored_[OID_WLAN_WPS_AUTO_SELECT] = Word(0);
}

void SimDriver::Stop() {
  running_ = false;
  htBlockAck_.Stop();
  if (wps_ != nullptr) wps_->Reset();
}

std::size_t SimDriver::CountRequests(Oid oid, bool isSet) const {
  const auto it = requestCounts_.find(oid);
  return it == requestCounts_.end() ? 0 : it->second[isSet ? 1 : 0];
}

void SimDriver::SetIcvError(bool error) {
  if (icvError_ == error) return;
  icvError_ = error;
  events_.Raise(kDriverMessageEventClass);
}

void SimDriver::SetByteCounters(std::uint64_t txBytes, std::uint64_t rxBytes) {
  Account();
  txBaseline_ = txByteMs_ / 1000 - txBytes;  // modular: TxBytes() comes out as txBytes
  rxBaseline_ = rxByteMs_ / 1000 - rxBytes;
}

std::vector<std::uint8_t> SimDriver::Stored(Oid oid) const {
  auto it = stored_.find(oid);
  return it == stored_.end() ? std::vector<std::uint8_t>{} : it->second;
}

std::uint32_t SimDriver::StoredWord(Oid oid, std::size_t wordIndex) const {
  auto it = stored_.find(oid);
  if (it == stored_.end() || it->second.size() < (wordIndex + 1) * 4) return 0;
  return LoadLe32(it->second.data() + wordIndex * 4);
}

const ScenarioNetwork* SimDriver::Network() const {
  return association_.connected && association_.network ? &*association_.network : nullptr;
}

void SimDriver::Account() {
  const std::uint64_t now = loop_.TickCount();
  if (const ScenarioNetwork* n = Network()) {
    const std::uint64_t from = std::max(lastAccountMs_, association_.connectTimeMs);
    if (now > from) {
      txByteMs_ += n->link.txBytesPerSecond * (now - from);
      rxByteMs_ += n->link.rxBytesPerSecond * (now - from);
    }
  }
  lastAccountMs_ = now;
}

std::uint64_t SimDriver::TxBytes() { return txByteMs_ / 1000 - txBaseline_; }
std::uint64_t SimDriver::RxBytes() { return rxByteMs_ / 1000 - rxBaseline_; }

int SimDriver::RssiOfChain(int chain) const {
  if (chain >= adapter_.driver.rssiChains) return kRssiAbsent;
  const ScenarioNetwork* n = Network();
  if (n == nullptr) return kRssiNoLink;
  // A small deterministic wobble over time, each chain a little weaker than the one before.
  const int wobble = static_cast<int>((loop_.TickCount() / 2000 + static_cast<std::uint64_t>(chain)) % 3) - 1;
  return std::max(-100, std::min(-10, n->rssi - 2 * chain + wobble));
}

std::uint16_t SimDriver::TxRateWord() const {
  const ScenarioNetwork* n = Network();
  if (n == nullptr) return 0;
  if (n->link.txRate) return *n->link.txRate;
  if (n->phy == Phy::N && adapter_.driver.is11n) {
    const std::uint32_t caps = n->ht ? n->ht->capabilities : 0;
    const bool forty = n->ht && n->ht->width == 40 && (caps & 0x0002) != 0;
    const bool shortGi = (caps & (forty ? 0x0040u : 0x0020u)) != 0;
    const std::uint16_t mcs = adapter_.driver.rssiChains >= 2 ? 15 : 7;
    return static_cast<std::uint16_t>(0x8000 | mcs | (forty ? 0x80 : 0) | (shortGi ? 0x100 : 0));
  }
  if (n->phy == Phy::B) return 3;                 // CCK 11 Mbps
  return static_cast<std::uint16_t>(0x4000 | 7);  // OFDM 54 Mbps
}

std::uint16_t SimDriver::RxRateWord() const {
  const ScenarioNetwork* n = Network();
  if (n == nullptr) return 0;
  if (n->link.rxRate) return *n->link.rxRate;
  if (!adapter_.driver.is11n) return n->phy == Phy::B ? 3 : 11;  // legacy rate index
  // Received frames come a step below the transmit rate.
  const std::uint16_t tx = TxRateWord();
  return (tx >> 14) >= 2 && (tx & 0x7F) > 0 ? static_cast<std::uint16_t>(tx - 1) : tx;
}

std::uint32_t SimDriver::LastEvent() const {
  if (association_.hardwareRadioOff) return 2;
  if (association_.softwareRadioOff) return 3;
  if (association_.connected) return 0;
  if (association_.lastFailureEvent >= 0) return static_cast<std::uint32_t>(association_.lastFailureEvent);
  return 1;
}

StatisticsRecord SimDriver::Statistics() {
  const auto tx = static_cast<std::int64_t>(TxBytes() & 0x3FFFFFFFFFFFFFFFull);
  const auto rx = static_cast<std::int64_t>(RxBytes() & 0x3FFFFFFFFFFFFFFFull);
  StatisticsRecord s{};
  s.transmittedFrames = tx / 1200;
  s.transmittedFragments = s.transmittedFrames;
  s.multicastTransmitted = s.transmittedFrames / 100;
  s.retryCount = s.transmittedFrames / 20;
  s.multipleRetryCount = s.retryCount / 4;
  s.failedCount = s.transmittedFrames / 500;
  s.ackFailureCount = s.failedCount;
  s.rtsSuccessCount = s.transmittedFrames / 50;
  s.rtsFailureCount = s.rtsSuccessCount / 100;
  s.receivedFrames = rx / 1100;
  s.receivedFragments = s.receivedFrames;
  s.multicastReceived = s.receivedFrames / 50;
  s.frameDuplicateCount = s.receivedFrames / 300;
  s.fcsErrorCount = s.receivedFrames / 40;
  return s;
}

bool SimDriver::Request(Oid wireCode, std::span<std::uint8_t> record, DWORD& bytesReturned) {
  bytesReturned = 0;
  const Oid setOid = OidFromSetWireCode(wireCode);
  const bool isSet = setOid != 0;
  const Oid oid = isSet ? setOid : wireCode;
  const OidHandler* handler = FindHandler(oid);
  if (handler != nullptr) ++requestCounts_[oid][isSet ? 1 : 0];

  bool ok = running_ && !faults_.Take(fault::DriverRequest(oid, index_));
  if (ok && (handler == nullptr || (handler->htOnly && !adapter_.driver.is11n))) ok = false;
  if (ok) Account();
  DWORD written = 0;
  if (ok && isSet) {
    ok = handler->settable && record.size() >= handler->setLength && Set(*handler, record.first(handler->setLength));
    if (ok) written = handler->setLength;
  } else if (ok) {
    ok = handler->queryLength > 0 && record.size() >= handler->queryLength && Query(*handler, record, written);
  }
  if (ok) bytesReturned = written;
  if (recordRequests_) {
    SimDriverRequest entry{oid, isSet, static_cast<std::uint32_t>(record.size()), {}, ok};
    if (isSet) {
      entry.bytes.assign(record.begin(), record.end());
    } else if (ok) {
      entry.bytes.assign(record.begin(), record.begin() + written);
    }
    requests_.push_back(std::move(entry));
  }
  return ok;
}

bool SimDriver::Set(const OidHandler& handler, std::span<const std::uint8_t> in) {
  bool store = true;
  if (handler.set != nullptr && !(this->*handler.set)(in, store)) return false;
  if (store) stored_[handler.oid].assign(in.begin(), in.end());
  return true;
}

bool SimDriver::Query(const OidHandler& handler, std::span<std::uint8_t> out, DWORD& written) {
  std::vector<std::uint8_t> reply;
  if (handler.query != nullptr && !(this->*handler.query)(reply, out.size())) return false;
  if (handler.query == nullptr) {
    reply = Stored(handler.oid);
    if (reply.empty()) reply.assign(handler.queryLength, 0);
  }
  if (reply.size() > out.size()) return false;
  std::copy(reply.begin(), reply.end(), out.begin());
  written = static_cast<DWORD>(reply.size());
  return true;
}

// --- sets ---------------------------------------------------------------------------------

bool SimDriver::SetResetCounters(std::span<const std::uint8_t>, bool& store) {
  txBaseline_ = txByteMs_ / 1000;
  rxBaseline_ = rxByteMs_ / 1000;
  store = false;
  return true;
}

bool SimDriver::SetDisconnect(std::span<const std::uint8_t>, bool& store) {
  if (onDisconnectRequest) {
    onDisconnectRequest();
  } else if (association_.connected) {
    association_.connected = false;
    association_.network.reset();
    htBlockAck_.AssociationChanged();
    events_.Raise(kMediaConnectEventClass);
  }
  store = false;
  return true;
}

bool SimDriver::SetBaAdd(std::span<const std::uint8_t> in, bool& store) {
  store = false;
  return htBlockAck_.SetBlockAckAdd(in);
}

bool SimDriver::SetBaDelete(std::span<const std::uint8_t> in, bool& store) {
  store = false;
  return htBlockAck_.SetBlockAckDelete(in);
}

bool SimDriver::SetWpsStart(std::span<const std::uint8_t> in, bool&) { return wps_ != nullptr && wps_->SetStart(in); }

bool SimDriver::SetWpsCredentials(std::span<const std::uint8_t> in, bool&) {
  return wps_ != nullptr && wps_->SetCredentials(in);
}

bool SimDriver::SetOpMode(std::span<const std::uint8_t> in, bool&) { return LoadLe32(in.data()) <= 1; }

bool SimDriver::SetSsid(std::span<const std::uint8_t> in, bool&) { return LoadLe32(in.data()) <= 32; }

bool SimDriver::SetDesiredBssidList(std::span<const std::uint8_t> in, bool&) {
  Dot11DesiredBssidList list;
  std::memcpy(&list, in.data(), sizeof list);
  return list.headerType == 0x80 && list.headerRevision == 1 && list.headerSize >= sizeof list &&
         list.numberOfEntries <= 1 && list.totalNumberOfEntries >= list.numberOfEntries;
}

// --- queries ------------------------------------------------------------------------------

bool SimDriver::QueryDriverVersion(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = {static_cast<std::uint8_t>(adapter_.driver.ndisVersion),
           static_cast<std::uint8_t>(adapter_.driver.ndisVersion >> 8)};
  return true;
}

bool SimDriver::QueryNoBuffer(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Word(static_cast<std::uint32_t>(Statistics().receivedFrames / 5000));
  return true;
}

bool SimDriver::QueryMacAddress(std::vector<std::uint8_t>& reply, std::size_t) {
  reply.assign(adapter_.mac.begin(), adapter_.mac.end());
  return true;
}

bool SimDriver::QueryBssid(std::vector<std::uint8_t>& reply, std::size_t) {
  if (Network() == nullptr) return false;  // not associated
  reply.assign(association_.bssid.begin(), association_.bssid.end());
  return true;
}

bool SimDriver::QuerySsid(std::vector<std::uint8_t>& reply, std::size_t) {
  if (Network() == nullptr) {
    reply = Stored(OID_802_11_SSID);
    if (reply.empty()) reply.assign(36, 0);
    return true;
  }
  Ndis80211Ssid ssid{};
  ssid.ssidLength = static_cast<std::uint32_t>(std::min<std::size_t>(association_.ssid.size(), 32));
  std::memcpy(ssid.ssid, association_.ssid.data(), ssid.ssidLength);
  reply = Bytes(ssid);
  return true;
}

bool SimDriver::QueryConfiguration(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Stored(OID_802_11_CONFIGURATION);
  if (const ScenarioNetwork* n = Network(); n != nullptr && reply.size() >= 16) {
    StoreLe32(reply.data() + 4, static_cast<std::uint32_t>(n->beaconPeriod));
    StoreLe32(reply.data() + 12, NetworkFrequency(*n));
  }
  return true;
}

bool SimDriver::QueryEepromVersion(std::vector<std::uint8_t>& reply, std::size_t) {
  if (!adapter_.driver.eepromVersion) return false;
  reply = {static_cast<std::uint8_t>((*adapter_.driver.eepromVersion)[0]),
           static_cast<std::uint8_t>((*adapter_.driver.eepromVersion)[1]), 0, 0};
  return true;
}

bool SimDriver::QueryFirmwareVersion(std::vector<std::uint8_t>& reply, std::size_t) {
  if (!adapter_.driver.firmwareVersion) return false;
  // Shown as byte 1 "." byte 0.
  reply = {static_cast<std::uint8_t>((*adapter_.driver.firmwareVersion)[1]),
           static_cast<std::uint8_t>((*adapter_.driver.firmwareVersion)[0]), 0, 0};
  return true;
}

bool SimDriver::QueryTxPower(std::vector<std::uint8_t>& reply, std::size_t) {
  const auto v = static_cast<std::int32_t>(StoredWord(OID_WLAN_TX_POWER));
  reply = Word(static_cast<std::uint32_t>(v < 0 ? 100 : v));  // the default reads as full power
  return true;
}

bool SimDriver::QueryLinkStatus(std::vector<std::uint8_t>& reply, std::size_t bufferSize) {
  LinkStatusRecord link{};
  if (const ScenarioNetwork* n = Network()) {
    link.txRateUnits = static_cast<std::uint32_t>(std::lround(WordToMbps(TxRateWord()) * 2));
    link.channelQuality = static_cast<std::uint32_t>(n->link.quality);
    int primary = n->channel;
    if (n->ht) {
      if (n->ht->primaryChannel != 0) primary = n->ht->primaryChannel;
      const int offset = n->ht->width == 40 ? (n->ht->secondaryOffset == 1   ? 2
                                               : n->ht->secondaryOffset == 3 ? -2
                                                                             : 0)
                                            : 0;
      link.centralChannel = static_cast<std::uint32_t>(primary + offset);
    } else {
      link.centralChannel = static_cast<std::uint32_t>(primary);
    }
  }
  link.txBytes = static_cast<std::uint32_t>(TxBytes());
  link.rxBytes = static_cast<std::uint32_t>(RxBytes());
  reply = Bytes(link);
  reply.resize(bufferSize >= kLinkStatus11nSize ? kLinkStatus11nSize : kLinkStatusLegacySize);
  return true;
}

bool SimDriver::QueryNoise(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Word(static_cast<std::uint32_t>(adapter_.driver.noise + 143));  // shown as raw - 143
  return true;
}

bool SimDriver::QueryStatistics(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Bytes(Statistics());
  return true;
}

bool SimDriver::QueryLastEvent(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Word(LastEvent());
  return true;
}

bool SimDriver::QueryRxRate(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Word(RxRateWord());
  return true;
}

bool SimDriver::QueryTxHtRate(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Word(TxRateWord());
  return true;
}

bool SimDriver::QueryRssi0(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Word(static_cast<std::uint32_t>(RssiOfChain(0)));
  return true;
}

bool SimDriver::QueryRssi1(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Word(static_cast<std::uint32_t>(RssiOfChain(1)));
  return true;
}

bool SimDriver::QueryRssi2(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Word(static_cast<std::uint32_t>(RssiOfChain(2)));
  return true;
}

bool SimDriver::SnrOfChain(std::size_t chain, std::vector<std::uint8_t>& reply) {
  std::uint32_t snr = kSnrNotAvailable;
  const ScenarioNetwork* n = Network();
  if (n != nullptr && chain < n->link.snr.size() && static_cast<int>(chain) < adapter_.driver.rssiChains) {
    snr = static_cast<std::uint32_t>(n->link.snr[chain]);
  }
  reply = Word(snr);
  return true;
}

bool SimDriver::QuerySnr0(std::vector<std::uint8_t>& reply, std::size_t) { return SnrOfChain(0, reply); }

bool SimDriver::QuerySnr1(std::vector<std::uint8_t>& reply, std::size_t) { return SnrOfChain(1, reply); }

// The 802.11n module writes into the caller's buffer and says how much it wrote.
bool SimDriver::HtBlockAckReply(std::vector<std::uint8_t>& reply, std::size_t outSize,
                                bool (SimHtBlockAck::*query)(std::span<std::uint8_t>, DWORD&)) {
  reply.assign(outSize, 0);
  DWORD written = 0;
  if (!(htBlockAck_.*query)(reply, written)) return false;
  reply.resize(std::min<std::size_t>(written, outSize));
  return true;
}

bool SimDriver::QueryHtConfig(std::vector<std::uint8_t>& reply, std::size_t outSize) {
  return HtBlockAckReply(reply, outSize, &SimHtBlockAck::QueryHtConfig);
}

bool SimDriver::SetHtConfig(std::span<const std::uint8_t> in, bool& store) {
  store = false;
  return htBlockAck_.SetHtConfig(in);
}

bool SimDriver::QueryBaTable(std::vector<std::uint8_t>& reply, std::size_t outSize) {
  return HtBlockAckReply(reply, outSize, &SimHtBlockAck::QueryBlockAckTable);
}

bool SimDriver::QueryHtPhyMode(std::vector<std::uint8_t>& reply, std::size_t) {
  HtPhyModeRecord r{};
  const std::uint16_t word = TxRateWord();
  const ScenarioNetwork* n = Network();
  r.phyMode = static_cast<std::uint8_t>(word >> 14);
  r.mcs = static_cast<std::uint8_t>(word & 0x7F);
  r.shortGi = (word & 0x100) ? 1 : 0;
  r.stbc = static_cast<std::uint8_t>((word >> 9) & 3);
  r.extChannel = n != nullptr && n->ht && n->ht->secondaryOffset == 1 ? 1 : 0;
  r.bandwidth = (word & 0x80) ? 1 : 0;
  reply = Bytes(r);
  return true;
}

bool SimDriver::QueryPeerList(std::vector<std::uint8_t>& reply, std::size_t outSize) {
  return HtBlockAckReply(reply, outSize, &SimHtBlockAck::QueryPeerList);
}

bool SimDriver::QueryWpsStatus(std::vector<std::uint8_t>& reply, std::size_t) {
  if (wps_ == nullptr) return false;
  reply = wps_->QueryStatus();
  return true;
}

bool SimDriver::QueryWpsCredential(std::vector<std::uint8_t>& reply, std::size_t) {
  if (wps_ == nullptr) return false;
  reply = wps_->QueryCredential();
  return true;
}

bool SimDriver::QueryWpsPbcStarted(std::vector<std::uint8_t>& reply, std::size_t) {
  if (wps_ == nullptr) return false;
  reply = wps_->QueryPbcStarted();
  return true;
}

bool SimDriver::QueryApIpAddress(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = {0, 0, 0, 0};
  if (const ScenarioNetwork* n = Network()) reply.assign(n->ip.apAddress.begin(), n->ip.apAddress.end());
  return true;
}

bool SimDriver::QueryIcvState(std::vector<std::uint8_t>& reply, std::size_t) {
  reply = Word(icvError_ ? 1 : 0);
  return true;
}

}  // namespace nxui::sim
