// Driver records exchanged over the request channel, laid out byte for byte (little-endian, no
// padding beyond what is written out). The sizes are the request lengths the driver checks.
#pragma once

#include <cstdint>

namespace nxui {

#pragma pack(push, 1)

// NDIS_802_11_SSID: OID_802_11_SSID.
struct Ndis80211Ssid {
  std::uint32_t ssidLength;
  std::uint8_t ssid[32];
};
static_assert(sizeof(Ndis80211Ssid) == 36);

// NDIS_802_11_CONFIGURATION: OID_802_11_CONFIGURATION.
struct Ndis80211Configuration {
  std::uint32_t length;        // 32
  std::uint32_t beaconPeriod;  // Kusec
  std::uint32_t atimWindow;
  std::uint32_t dsConfig;  // centre frequency in kHz
  std::uint32_t fhLength;
  std::uint32_t fhHopPattern;
  std::uint32_t fhHopSet;
  std::uint32_t fhDwellTime;
};
static_assert(sizeof(Ndis80211Configuration) == 32);

// OID_DOT11_DESIRED_BSSID_LIST with one entry.
struct Dot11DesiredBssidList {
  std::uint8_t headerType;      // 0x80
  std::uint8_t headerRevision;  // 1
  std::uint16_t headerSize;     // 20
  std::uint32_t numberOfEntries;
  std::uint32_t totalNumberOfEntries;
  std::uint8_t bssid[6];
  std::uint8_t padding[2];
};
static_assert(sizeof(Dot11DesiredBssidList) == 20);

// OID_802_11_DESIRED_RATES: up to eight rates, 500 kbit/s units, unused bytes zero.
struct DesiredRates {
  std::uint8_t rates[8];
};
static_assert(sizeof(DesiredRates) == 8);

// OID_WLAN_SUPPORTEDRATES: rate set bytes, bit 7 = basic rate.
struct SupportedRates {
  std::uint8_t rates[26];
};
static_assert(sizeof(SupportedRates) == 26);

// OID_WLAN_LINK_STATUS. The 16-byte request stops before centralChannel.
struct LinkStatusRecord {
  std::uint32_t txRateUnits;  // 500 kbit/s
  std::uint32_t channelQuality;
  std::uint32_t txBytes;  // wraps at 2^32
  std::uint32_t rxBytes;
  std::uint32_t centralChannel;  // 802.11n adapters only
};
static_assert(sizeof(LinkStatusRecord) == 20);
inline constexpr std::uint32_t kLinkStatusLegacySize = 16;
inline constexpr std::uint32_t kLinkStatus11nSize = 20;

// OID_WLAN_STATISTICS: 23 signed 64-bit counters. The named ones are those the statistics
// page shows; the others are kept plausible by the driver but not read.
struct StatisticsRecord {
  std::int64_t transmittedFragments;      // 0
  std::int64_t transmittedFrames;         // 8: frames transmitted successfully
  std::int64_t multicastTransmitted;      // 16
  std::int64_t failedCount;               // 24: no ACK after all retries
  std::int64_t retryCount;                // 32: retransmitted successfully
  std::int64_t multipleRetryCount;        // 40
  std::int64_t rtsSuccessCount;           // 48
  std::int64_t rtsFailureCount;           // 56
  std::int64_t ackFailureCount;           // 64
  std::int64_t frameDuplicateCount;       // 72
  std::int64_t receivedFragments;         // 80
  std::int64_t multicastReceived;         // 88
  std::int64_t fcsErrorCount;             // 96: received with a CRC error
  std::int64_t tkipLocalMicFailures;      // 104
  std::int64_t tkipIcvErrors;             // 112
  std::int64_t tkipCounterMeasures;       // 120
  std::int64_t tkipReplays;               // 128
  std::int64_t ccmpFormatErrors;          // 136
  std::int64_t ccmpReplays;               // 144
  std::int64_t ccmpDecryptErrors;         // 152
  std::int64_t fourWayHandshakeFailures;  // 160
  std::int64_t wepUndecryptableCount;     // 168
  std::int64_t receivedFrames;            // 176: received successfully
};
static_assert(sizeof(StatisticsRecord) == 184);

// OID_WLAN_SNR0 and OID_WLAN_SNR1 answer this when the driver has no value.
inline constexpr std::uint32_t kSnrNotAvailable = 44;

// OID_WLAN_HT_CONFIG.
struct HtConfigRecord {
  std::uint8_t baByte0;
  std::uint8_t baByte1;
  std::uint8_t mpduAggregation;  // 1 on, 2 off
  std::uint8_t mpduDensity;
  std::uint8_t amsdu;
  std::uint8_t amsduSize;
  std::uint8_t smps;  // 0 static, 1 dynamic, 3 disabled
  std::uint8_t autoBa;
};
static_assert(sizeof(HtConfigRecord) == 8);

// OID_WLAN_HT_PHY_MODE: 802.11n transmit settings. Byte 6 holds the bandwidth bits.
struct HtPhyModeRecord {
  std::uint8_t phyMode;  // 0 CCK, 1 OFDM, 2 HT mixed, 3 HT greenfield
  std::uint8_t mcs;
  std::uint8_t shortGi;
  std::uint8_t stbc;
  std::uint8_t extChannel;  // 0 below, 1 above
  std::uint8_t reserved0;
  std::uint8_t bandwidth;  // 0 20 MHz, 1 40 MHz
  std::uint8_t reserved1;
  std::uint32_t reserved2;
};
static_assert(sizeof(HtPhyModeRecord) == 12);

// One Block Ack session table entry.
struct BaEntry {
  std::uint8_t peer[6];
  std::uint8_t tidBitmap;
  std::uint8_t reserved;
  std::uint8_t tidValue[8];
  std::uint32_t tidWord[8];  // low 16 bits: per-TID value
};
static_assert(sizeof(BaEntry) == 48);

// OID_WLAN_BA_TABLE query.
struct BaTable {
  BaEntry originator[32];
  BaEntry recipient[32];
  std::uint8_t originatorCount;
  std::uint8_t recipientCount;
  std::uint8_t padding[2];
};
static_assert(sizeof(BaTable) == 3076);

// OID_WLAN_BA_TABLE set (add) and OID_WLAN_BA_DELETE.
struct BaRequest {
  std::uint8_t direction;  // 0 originator, 1 recipient
  std::uint8_t peer[6];
  std::uint8_t tid;
  std::uint8_t windowSize;  // add only
  std::uint8_t reserved[3];
  std::uint8_t deleteAll;  // 0: one session
  std::uint8_t reserved2;
};
static_assert(sizeof(BaRequest) == 14);

// OID_WLAN_PEER_LIST.
struct PeerEntry {
  std::uint8_t mac[6];
  std::uint8_t reserved[4];
};
static_assert(sizeof(PeerEntry) == 10);
struct PeerList {
  std::uint32_t count;
  PeerEntry entries[32];
};
static_assert(sizeof(PeerList) == 324);

// OID_WLAN_WPS_START.
inline constexpr std::uint32_t kWpsMethodPin = 0x10000000;
inline constexpr std::uint32_t kWpsMethodPbc = 0x20000000;
struct WpsStartRequest {
  std::uint32_t method;
  char pin[8];  // eight ASCII digits, no terminator
  Ndis80211Ssid ssid;
  std::uint8_t bssid[6];
  std::uint8_t channel;
  std::uint8_t role;  // 1 enrollee, 2 registrar
};
static_assert(sizeof(WpsStartRequest) == 56);

struct WpsCredential {
  std::uint32_t ssidLength;
  std::uint8_t ssid[32];
  std::uint32_t authType;  // WPS authentication-type value
  std::uint32_t encrType;  // WPS encryption-type value
  std::uint32_t keyIndex;  // bit 31 is a flag
  std::uint32_t keyLength;
  std::uint8_t key[64];
  std::uint8_t mac[6];
  std::uint8_t padding[2];
};
static_assert(sizeof(WpsCredential) == 124);

// OID_WLAN_WPS_CREDENTIAL and OID_WLAN_WPS_SET_CREDENTIALS.
struct WpsCredentialTable {
  std::uint32_t count;  // 0..8
  WpsCredential credentials[8];
};
static_assert(sizeof(WpsCredentialTable) == 996);

// OID_WLAN_WPS_STATUS: bit 28 = PIN run; low 28 bits = state code.
inline constexpr std::uint32_t kWpsStatusPinBit = 0x10000000;
inline constexpr std::uint32_t kWpsStatusCodeMask = 0x0FFFFFFFu;
// The state codes the utility acts on; the driver reports others (progress) that only have texts.
namespace wps_status {
inline constexpr std::uint32_t kNotUsed = 0;
inline constexpr std::uint32_t kIdle = 1;
inline constexpr std::uint32_t kScanning = 2;
inline constexpr std::uint32_t kConfigured = 15;
inline constexpr std::uint32_t kTooManyPbcAps = 257;
inline constexpr std::uint32_t kNoPbcAp = 258;
inline constexpr std::uint32_t kEapFail = 259;
inline constexpr std::uint32_t kWrongNonce = 260;
inline constexpr std::uint32_t kIncompleteEap = 261;
inline constexpr std::uint32_t kWrongPin = 262;
inline constexpr std::uint32_t kIllegalSsid = 513;
inline constexpr std::uint32_t kWrongVendorId = 514;
inline constexpr std::uint32_t kWrongVendorType = 515;
inline constexpr std::uint32_t kProcessFailed = 516;
inline constexpr std::uint32_t kNoMessage = 517;
}  // namespace wps_status

// OID_WLAN_PHY_CONFIG and OID_WLAN_STA_CONFIG: eight 32-bit words each.
struct ConfigWords {
  std::uint32_t words[8];
};
static_assert(sizeof(ConfigWords) == 32);

#pragma pack(pop)

}  // namespace nxui
