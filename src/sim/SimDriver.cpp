#include "sim/SimDriver.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/ByteReader.h"
#include "platform/IEventLoop.h"
#include "platform/IRegistry.h"
#include "sim/ScenarioLoader.h"
#include "sim/SimDriverEvents.h"
#include "sim/SimRegistry.h"
#include "sim/SimWps.h"

namespace nxui::sim {
namespace {

constexpr std::uint32_t kSnrNotAvailable = 44;
constexpr int kRssiAbsent = -200;
constexpr int kRssiNoLink = -100;

// Record lengths the driver insists on (query / set); 0 means the direction is not served.
struct Lengths {
  Oid oid;
  std::uint32_t query;
  std::uint32_t set;
};
constexpr Lengths kLengths[] = {
    {OID_GEN_DRIVER_VERSION, 2, 0},
    {OID_GEN_RCV_NO_BUFFER, 4, 0},
    {OID_802_3_CURRENT_ADDRESS, 6, 0},
    {OID_802_11_BSSID, 6, 6},
    {OID_802_11_SSID, 36, 36},
    {OID_802_11_DESIRED_RATES, 8, 8},
    {OID_802_11_CONFIGURATION, 32, 32},
    {OID_DOT11_RTS_THRESHOLD, 4, 4},
    {OID_DOT11_FRAGMENTATION_THRESHOLD, 4, 4},
    {OID_DOT11_POWER_MGMT_REQUEST, 4, 4},
    {OID_DOT11_DESIRED_BSSID_LIST, 20, 20},
    {OID_DOT11_DISCONNECT_REQUEST, 0, 0},
    {OID_WLAN_WIRELESS_MODE, 4, 4},
    {OID_WLAN_COUNTRY_REGION, 4, 4},
    {OID_WLAN_EEPROM_VERSION, 4, 0},
    {OID_WLAN_TX_POWER, 4, 4},
    {OID_WLAN_LINK_STATUS, kLinkStatusLegacySize, 0},
    {OID_WLAN_NOISE, 4, 0},
    {OID_WLAN_STATISTICS, 184, 0},
    {OID_WLAN_RESET_COUNTERS, 0, 0},
    {OID_WLAN_LAST_EVENT, 4, 0},
    {OID_WLAN_RXRATE, 4, 0},
    {OID_WLAN_RSSI0, 4, 0},
    {OID_WLAN_RSSI1, 4, 0},
    {OID_WLAN_RSSI2, 4, 0},
    {OID_WLAN_OP_MODE, 4, 4},
    {OID_WLAN_TX_HTRATE, 4, 0},
    {OID_WLAN_SNR0, 4, 0},
    {OID_WLAN_SNR1, 4, 0},
    {OID_WLAN_BA_TABLE, sizeof(BaTable), sizeof(BaRequest)},
    {OID_WLAN_HT_CONFIG, 8, 8},
    {OID_WLAN_BA_DELETE, 0, sizeof(BaRequest)},
    {OID_WLAN_HT_PHY_MODE, 12, 0},
    {OID_WLAN_PEER_LIST, sizeof(PeerList), 0},
    {OID_WLAN_WPS_START, 0, sizeof(WpsStartRequest)},
    {OID_WLAN_WPS_ASSOC_IE, 4, 4},
    {OID_WLAN_WPS_PROBE_IE, 4, 4},
    {OID_WLAN_WPS_STATUS, 4, 0},
    {OID_WLAN_WPS_CREDENTIAL, sizeof(WpsCredentialTable), 0},
    {OID_WLAN_WPS_PBC_STARTED, 4, 0},
    {OID_WLAN_WPS_CONNECT, 4, 4},
    {OID_WLAN_STA_CONFIG, 32, 32},
    {OID_WLAN_WPS_SET_CREDENTIALS, 0, sizeof(WpsCredentialTable)},
    {OID_WLAN_WPS_AUTO_SELECT, 4, 4},
    {OID_WLAN_PREAMBLE, 4, 4},
    {OID_WLAN_PHY_CONFIG, 32, 32},
    {OID_WLAN_CCX_CONTROL, 4, 4},
    {OID_WLAN_SUPPORTEDRATES, 26, 26},
    {OID_WLAN_AP_IP_ADDRESS, 4, 0},
    {OID_WLAN_FIRMWARE_VERSION, 4, 0},
    {OID_WLAN_ICV_STATE, 4, 0},
    {OID_WLAN_MAC_ADDRESS, 6, 0},
};

// OIDs that only exist on 802.11n parts.
bool HtOnly(Oid oid) {
  return oid == OID_WLAN_TX_HTRATE || oid == OID_WLAN_SNR0 || oid == OID_WLAN_SNR1 || oid == OID_WLAN_BA_TABLE ||
         oid == OID_WLAN_HT_CONFIG || oid == OID_WLAN_BA_DELETE || oid == OID_WLAN_HT_PHY_MODE ||
         oid == OID_WLAN_PEER_LIST;
}

const Lengths* FindLengths(Oid oid) {
  for (const auto& l : kLengths) {
    if (l.oid == oid) return &l;
  }
  return nullptr;
}

std::vector<std::uint8_t> Word(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 24)};
}

template <typename T>
std::vector<std::uint8_t> Bytes(const T& record) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
  return {p, p + sizeof(T)};
}

std::uint32_t ChannelToKhz(int channel) {
  if (channel == 14) return 2484000;
  if (channel >= 1 && channel <= 13) return 2412000 + 5000 * static_cast<std::uint32_t>(channel - 1);
  if (channel >= 184 && channel <= 196) return 4000000 + 5000 * static_cast<std::uint32_t>(channel);
  if (channel >= 208 && channel <= 216) return 5000000 + 5000 * static_cast<std::uint32_t>(channel - 200);
  if (channel >= 34) return 5000000 + 5000 * static_cast<std::uint32_t>(channel);
  return 2437000;
}

std::uint32_t HexOr(const std::string& text, std::uint32_t fallback) {
  std::uint32_t v = 0;
  return !text.empty() && ParseHexNumber(text, 0xFFFFFFFF, v) ? v : fallback;
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

SimDriver::SimDriver(const ScenarioAdapter& adapter, IEventLoop& loop, SimRegistry& registry,
                     SimAssociation& association, SimDriverEvents& events)
    : adapter_(adapter), loop_(loop), registry_(registry), association_(association), events_(events) {
  for (const auto& name : adapter_.driver.failingOids) {
    Oid oid = OidFromName(name.c_str());
    if (oid == 0) oid = HexOr(name, 0);
    if (oid != 0) failing_.insert(oid);
  }
}

std::uint32_t SimDriver::ReadRegistryNumber(const char* name, std::uint32_t fallback) const {
  std::string text;
  if (!registry_.ReadTextDirect(kHkeyLocalMachine, "System\\CurrentControlSet\\Control\\Class\\" + adapter_.driverKey,
                                name, text)) {
    return fallback;
  }
  return static_cast<std::uint32_t>(std::atoi(text.c_str()));  // like the driver: no error check
}

void SimDriver::Start() {
  running_ = true;
  stored_.clear();
  baSessions_.clear();
  if (wps_ != nullptr) wps_->Reset();
  icvError_ = false;
  // A restarted driver counts from zero.
  Account();
  txBaseline_ = txByteMs_ / 1000;
  rxBaseline_ = rxByteMs_ / 1000;
  const std::string classKey = "System\\CurrentControlSet\\Control\\Class\\" + adapter_.driverKey;

  const bool dualBand = std::find(adapter_.bands.begin(), adapter_.bands.end(), "5GHz") != adapter_.bands.end();
  stored_[OID_WLAN_WIRELESS_MODE] = Word(ReadRegistryNumber("WirelessMode", dualBand ? 5 : 9));
  // A missing region reads as "not configured" (bit 7).
  const std::uint32_t region24 = ReadRegistryNumber("CountryRegion", 0x80) & 0xFF;
  const std::uint32_t region5 = ReadRegistryNumber("CountryRegionABand", 0x80) & 0xFF;
  stored_[OID_WLAN_COUNTRY_REGION] = Word(region24 | (region5 << 8));
  const std::uint32_t channel = ReadRegistryNumber("Channel", 6);
  Ndis80211Configuration config{32, 100, 0, ChannelToKhz(static_cast<int>(channel)), 0, 0, 0, 0};
  stored_[OID_802_11_CONFIGURATION] = Bytes(config);
  ConfigWords sta{};
  sta.words[3] = ChannelToKhz(static_cast<int>(channel));  // the ad hoc channel, as its frequency
  stored_[OID_WLAN_STA_CONFIG] = Bytes(sta);
  ConfigWords phy{};
  phy.words[0] = ReadRegistryNumber("TXBurst", 0);
  phy.words[1] = ReadRegistryNumber("TurboRate", 0);
  phy.words[2] = ReadRegistryNumber("BGProtection", 0);
  phy.words[3] = ReadRegistryNumber("ShortSlot", 1);
  stored_[OID_WLAN_PHY_CONFIG] = Bytes(phy);
  DWORD type = 0;
  std::vector<std::uint8_t> raw;
  std::uint32_t ccx = 0;
  if (registry_.ReadDirect(kHkeyLocalMachine, classKey, "CCX2Control", type, raw) && raw.size() >= 4) {
    ccx = LoadLe32(raw.data());
  }
  stored_[OID_WLAN_CCX_CONTROL] = Word(ccx);
  HtConfigRecord ht{32, 32, 1, 0, 1, 0, 3, 1};
  if (registry_.ReadDirect(kHkeyLocalMachine, classKey, "BACapability", type, raw) && type == kRegDword &&
      raw.size() >= 4) {
    const std::uint32_t v = LoadLe32(raw.data());
    ht = HtConfigRecord{static_cast<std::uint8_t>(v),
                        static_cast<std::uint8_t>(v >> 8),
                        static_cast<std::uint8_t>((v >> 17) & 3),
                        static_cast<std::uint8_t>((v >> 19) & 7),
                        static_cast<std::uint8_t>((v >> 22) & 1),
                        static_cast<std::uint8_t>((v >> 23) & 1),
                        static_cast<std::uint8_t>((v >> 24) & 3),
                        static_cast<std::uint8_t>((v >> 16) & 1)};
  }
  stored_[OID_WLAN_HT_CONFIG] = Bytes(ht);
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
  baSessions_.clear();
  if (wps_ != nullptr) wps_->Reset();
}

std::size_t SimDriver::CountRequests(Oid oid, bool isSet) const {
  return static_cast<std::size_t>(std::count_if(
      requests_.begin(), requests_.end(), [&](const SimDriverRequest& r) { return r.oid == oid && r.isSet == isSet; }));
}

void SimDriver::FailNext(Oid oid, int times) {
  const Oid set = OidFromSetWireCode(oid);
  failNext_[set != 0 ? set : oid] = times;
}

int SimDriver::FailuresInjected(Oid oid) const {
  auto it = failuresInjected_.find(oid);
  return it == failuresInjected_.end() ? 0 : it->second;
}

void SimDriver::SetIcvError(bool error) {
  if (icvError_ == error) return;
  icvError_ = error;
  events_.Raise(kDriverEventClass);
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
  if (!n->link.txRate.empty()) return static_cast<std::uint16_t>(HexOr(n->link.txRate, 0));
  if (n->phy == "n" && adapter_.driver.is11n) {
    const std::uint32_t caps = n->ht ? HexOr(n->ht->capabilities, 0) : 0;
    const bool forty = n->ht && n->ht->width == 40 && (caps & 0x0002) != 0;
    const bool shortGi = (caps & (forty ? 0x0040u : 0x0020u)) != 0;
    const std::uint16_t mcs = adapter_.driver.rssiChains >= 2 ? 15 : 7;
    return static_cast<std::uint16_t>(0x8000 | mcs | (forty ? 0x80 : 0) | (shortGi ? 0x100 : 0));
  }
  if (n->phy == "b") return 3;                    // CCK 11 Mbps
  return static_cast<std::uint16_t>(0x4000 | 7);  // OFDM 54 Mbps
}

std::uint16_t SimDriver::RxRateWord() const {
  const ScenarioNetwork* n = Network();
  if (n == nullptr) return 0;
  if (!n->link.rxRate.empty()) return static_cast<std::uint16_t>(HexOr(n->link.rxRate, 0));
  if (!adapter_.driver.is11n) return n->phy == "b" ? 3 : 11;  // legacy rate index
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

BaTable SimDriver::BuildBaTable() const {
  BaTable table{};
  for (int direction = 0; direction < 2; ++direction) {
    BaEntry* entries = direction == 0 ? table.originator : table.recipient;
    std::uint8_t& count = direction == 0 ? table.originatorCount : table.recipientCount;
    for (const auto& s : baSessions_) {
      if (s.direction != direction) continue;
      BaEntry* e = nullptr;
      for (int i = 0; i < count; ++i) {
        if (std::memcmp(entries[i].peer, s.peer.data(), 6) == 0) e = &entries[i];
      }
      if (e == nullptr) {
        if (count >= 32) continue;
        e = &entries[count++];
        std::memcpy(e->peer, s.peer.data(), 6);
      }
      e->tidBitmap = static_cast<std::uint8_t>(e->tidBitmap | (1u << s.tid));
      e->tidValue[s.tid] = s.windowSize;
      e->tidWord[s.tid] = s.windowSize;
    }
  }
  return table;
}

bool SimDriver::Request(Oid wireCode, std::span<std::uint8_t> record, DWORD& bytesReturned) {
  bytesReturned = 0;
  const Oid setOid = OidFromSetWireCode(wireCode);
  const bool isSet = setOid != 0;
  const Oid oid = isSet ? setOid : wireCode;
  SimDriverRequest entry{oid, isSet, static_cast<std::uint32_t>(record.size()), {}, false};
  if (isSet) entry.bytes.assign(record.begin(), record.end());

  bool ok = running_;
  if (ok && failing_.count(oid) != 0) ok = false;
  if (ok) {
    auto it = failNext_.find(oid);
    if (it != failNext_.end() && it->second > 0) {
      --it->second;
      ++failuresInjected_[oid];
      ok = false;
    }
  }
  const Lengths* lengths = FindLengths(oid);
  if (ok && (lengths == nullptr || (HtOnly(oid) && !adapter_.driver.is11n))) ok = false;
  if (ok) Account();
  if (ok && isSet) {
    ok = (lengths->set > 0 || oid == OID_WLAN_RESET_COUNTERS || oid == OID_DOT11_DISCONNECT_REQUEST) &&
         record.size() >= lengths->set && Set(oid, record.first(lengths->set));
    if (ok) bytesReturned = lengths->set;
  } else if (ok) {
    DWORD written = 0;
    ok = lengths->query > 0 && record.size() >= lengths->query && Query(oid, record, written);
    if (ok) {
      bytesReturned = written;
      entry.bytes.assign(record.begin(), record.begin() + written);
    }
  }
  entry.succeeded = ok;
  requests_.push_back(std::move(entry));
  return ok;
}

bool SimDriver::Set(Oid oid, std::span<const std::uint8_t> in) {
  switch (oid) {
    case OID_WLAN_RESET_COUNTERS:
      txBaseline_ = txByteMs_ / 1000;
      rxBaseline_ = rxByteMs_ / 1000;
      return true;
    case OID_DOT11_DISCONNECT_REQUEST:
      if (onDisconnectRequest) {
        onDisconnectRequest();
      } else if (association_.connected) {
        association_.connected = false;
        association_.network.reset();
        events_.Raise(kMediaConnectEventClass);
      }
      return true;
    case OID_WLAN_BA_TABLE: {
      BaRequest r;
      std::memcpy(&r, in.data(), sizeof r);
      if (r.tid > 7) return false;
      BaSession s{0, {}, r.tid, r.windowSize};
      std::memcpy(s.peer.data(), r.peer, 6);
      std::erase_if(baSessions_,
                    [&](const BaSession& o) { return o.direction == 0 && o.peer == s.peer && o.tid == s.tid; });
      baSessions_.push_back(s);
      return true;
    }
    case OID_WLAN_BA_DELETE: {
      BaRequest r;
      std::memcpy(&r, in.data(), sizeof r);
      if (r.tid > 7 || r.direction > 1) return false;
      std::array<std::uint8_t, 6> peer;
      std::memcpy(peer.data(), r.peer, 6);
      std::erase_if(baSessions_,
                    [&](const BaSession& o) { return o.direction == r.direction && o.peer == peer && o.tid == r.tid; });
      return true;
    }
    case OID_WLAN_WPS_START:
      if (wps_ == nullptr || !wps_->SetStart(in)) return false;
      break;
    case OID_WLAN_WPS_SET_CREDENTIALS:
      if (wps_ == nullptr || !wps_->SetCredentials(in)) return false;
      break;
    case OID_WLAN_OP_MODE:
      if (LoadLe32(in.data()) > 1) return false;
      break;
    case OID_802_11_SSID:
      if (LoadLe32(in.data()) > 32) return false;
      break;
    case OID_DOT11_DESIRED_BSSID_LIST: {
      Dot11DesiredBssidList list;
      std::memcpy(&list, in.data(), sizeof list);
      if (list.headerType != 0x80 || list.headerRevision != 1 || list.headerSize < sizeof list ||
          list.numberOfEntries > 1 || list.totalNumberOfEntries < list.numberOfEntries) {
        return false;
      }
      break;
    }
    default:
      break;
  }
  stored_[oid].assign(in.begin(), in.end());
  return true;
}

bool SimDriver::Query(Oid oid, std::span<std::uint8_t> out, DWORD& written) {
  std::vector<std::uint8_t> reply;
  const ScenarioNetwork* n = Network();
  switch (oid) {
    case OID_GEN_DRIVER_VERSION:
      reply = {static_cast<std::uint8_t>(adapter_.driver.ndisVersion),
               static_cast<std::uint8_t>(adapter_.driver.ndisVersion >> 8)};
      break;
    case OID_GEN_RCV_NO_BUFFER:
      reply = Word(static_cast<std::uint32_t>(Statistics().receivedFrames / 5000));
      break;
    case OID_802_3_CURRENT_ADDRESS:
    case OID_WLAN_MAC_ADDRESS: {
      std::uint8_t mac[6] = {};
      ParseMacText(adapter_.mac, mac);
      reply.assign(mac, mac + 6);
      break;
    }
    case OID_802_11_BSSID:
      if (n == nullptr) return false;  // not associated
      reply.assign(association_.bssid.begin(), association_.bssid.end());
      break;
    case OID_802_11_SSID: {
      if (n == nullptr) {
        reply = Stored(oid);
        if (reply.empty()) reply.assign(36, 0);
        break;
      }
      Ndis80211Ssid ssid{};
      ssid.ssidLength = static_cast<std::uint32_t>(std::min<std::size_t>(association_.ssid.size(), 32));
      std::memcpy(ssid.ssid, association_.ssid.data(), ssid.ssidLength);
      reply = Bytes(ssid);
      break;
    }
    case OID_802_11_CONFIGURATION: {
      reply = Stored(oid);
      if (n != nullptr) {
        StoreLe32(reply.data() + 4, static_cast<std::uint32_t>(n->beaconPeriod));
        StoreLe32(reply.data() + 12, n->frequencyKhz ? *n->frequencyKhz : ChannelToKhz(n->channel));
      }
      break;
    }
    case OID_WLAN_EEPROM_VERSION:
      if (!adapter_.driver.eepromVersion) return false;
      reply = {static_cast<std::uint8_t>((*adapter_.driver.eepromVersion)[0]),
               static_cast<std::uint8_t>((*adapter_.driver.eepromVersion)[1]), 0, 0};
      break;
    case OID_WLAN_FIRMWARE_VERSION:
      if (!adapter_.driver.firmwareVersion) return false;
      // Shown as byte 1 "." byte 0.
      reply = {static_cast<std::uint8_t>((*adapter_.driver.firmwareVersion)[1]),
               static_cast<std::uint8_t>((*adapter_.driver.firmwareVersion)[0]), 0, 0};
      break;
    case OID_WLAN_TX_POWER: {
      const auto v = static_cast<std::int32_t>(StoredWord(oid));
      reply = Word(static_cast<std::uint32_t>(v < 0 ? 100 : v));  // the default reads as full power
      break;
    }
    case OID_WLAN_LINK_STATUS: {
      LinkStatusRecord link{};
      if (n != nullptr) {
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
      const std::size_t size = out.size() >= kLinkStatus11nSize ? kLinkStatus11nSize : kLinkStatusLegacySize;
      reply = Bytes(link);
      reply.resize(size);
      break;
    }
    case OID_WLAN_NOISE:
      reply = Word(static_cast<std::uint32_t>(adapter_.driver.noise + 143));  // shown as raw - 143
      break;
    case OID_WLAN_STATISTICS:
      reply = Bytes(Statistics());
      break;
    case OID_WLAN_LAST_EVENT:
      reply = Word(LastEvent());
      break;
    case OID_WLAN_RXRATE:
      reply = Word(RxRateWord());
      break;
    case OID_WLAN_TX_HTRATE:
      reply = Word(TxRateWord());
      break;
    case OID_WLAN_RSSI0:
    case OID_WLAN_RSSI1:
    case OID_WLAN_RSSI2: {
      const int chain = oid == OID_WLAN_RSSI0 ? 0 : oid == OID_WLAN_RSSI1 ? 1 : 2;
      reply = Word(static_cast<std::uint32_t>(RssiOfChain(chain)));
      break;
    }
    case OID_WLAN_SNR0:
    case OID_WLAN_SNR1: {
      const std::size_t chain = oid == OID_WLAN_SNR0 ? 0 : 1;
      std::uint32_t snr = kSnrNotAvailable;
      if (n != nullptr && chain < n->link.snr.size() && static_cast<int>(chain) < adapter_.driver.rssiChains) {
        snr = static_cast<std::uint32_t>(n->link.snr[chain]);
      }
      reply = Word(snr);
      break;
    }
    case OID_WLAN_BA_TABLE: {
      auto sessions = baSessions_;
      // Automatic Block Ack with an HT access point: TID 0 both ways, as the driver sets it up.
      const auto ht = Stored(OID_WLAN_HT_CONFIG);
      if (n != nullptr && n->phy == "n" && ht.size() == 8 && ht[7] == 1 && ht[2] == 1) {
        baSessions_.push_back({0, association_.bssid, 0, 64});
        baSessions_.push_back({1, association_.bssid, 0, 64});
      }
      reply = Bytes(BuildBaTable());
      baSessions_ = std::move(sessions);
      break;
    }
    case OID_WLAN_HT_PHY_MODE: {
      HtPhyModeRecord r{};
      const std::uint16_t word = TxRateWord();
      r.phyMode = static_cast<std::uint8_t>(word >> 14);
      r.mcs = static_cast<std::uint8_t>(word & 0x7F);
      r.shortGi = (word & 0x100) ? 1 : 0;
      r.stbc = static_cast<std::uint8_t>((word >> 9) & 3);
      r.extChannel = n != nullptr && n->ht && n->ht->secondaryOffset == 1 ? 1 : 0;
      r.bandwidth = (word & 0x80) ? 1 : 0;
      reply = Bytes(r);
      break;
    }
    case OID_WLAN_PEER_LIST: {
      PeerList peers{};
      if (n != nullptr) {
        peers.count = 1;
        std::memcpy(peers.entries[0].mac, association_.bssid.data(), 6);
      }
      reply = Bytes(peers);
      break;
    }
    case OID_WLAN_WPS_STATUS:
      if (wps_ == nullptr) return false;
      reply = wps_->QueryStatus();
      break;
    case OID_WLAN_WPS_CREDENTIAL:
      if (wps_ == nullptr) return false;
      reply = wps_->QueryCredential();
      break;
    case OID_WLAN_WPS_PBC_STARTED:
      if (wps_ == nullptr) return false;
      reply = wps_->QueryPbcStarted();
      break;
    case OID_WLAN_AP_IP_ADDRESS: {
      reply = {0, 0, 0, 0};
      unsigned b[4];
      if (n != nullptr && std::sscanf(n->ip.apAddress.c_str(), "%u.%u.%u.%u", &b[0], &b[1], &b[2], &b[3]) == 4) {
        reply = {static_cast<std::uint8_t>(b[0]), static_cast<std::uint8_t>(b[1]), static_cast<std::uint8_t>(b[2]),
                 static_cast<std::uint8_t>(b[3])};
      }
      break;
    }
    case OID_WLAN_ICV_STATE:
      reply = Word(icvError_ ? 1 : 0);
      break;
    default:
      reply = Stored(oid);
      if (reply.empty()) reply.assign(FindLengths(oid)->query, 0);
      break;
  }
  if (reply.size() > out.size()) return false;
  std::copy(reply.begin(), reply.end(), out.begin());
  written = static_cast<DWORD>(reply.size());
  return true;
}

}  // namespace nxui::sim
