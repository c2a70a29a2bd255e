#include "sim/SimNetworkTraits.h"

#include "adapter/ChannelFrequencyTable.h"
#include "sim/SimWlanProfile.h"

namespace nxui::sim {

bool NetworkPrivacy(const ScenarioNetwork& network) {
  if (network.privacy) return *network.privacy;
  return network.security.cipher != CipherKind::None;
}

DWORD NetworkBssType(const ScenarioNetwork& network) {
  return network.bssType == BssKind::Independent ? kDot11BssTypeIndependent : kDot11BssTypeInfrastructure;
}

std::uint32_t ChannelFrequencyKhz(int channel) {
  std::uint32_t frequency = 0;
  if (channel > 0 && ChannelToFrequency(static_cast<std::uint32_t>(channel), frequency)) return frequency;
  return kFallbackFrequencyKhz;
}

std::uint32_t NetworkFrequency(const ScenarioNetwork& network) {
  return network.frequencyKhz ? *network.frequencyKhz : ChannelFrequencyKhz(network.channel);
}

DWORD NetworkPhyType(const ScenarioNetwork& network) {
  switch (network.phy) {
    case Phy::A:
      return kDot11PhyTypeOfdm;
    case Phy::B:
      return kDot11PhyTypeHrDsss;
    case Phy::N:
      return kDot11PhyTypeHt;
    case Phy::G:
      break;
  }
  return kDot11PhyTypeErp;
}

ULONG NetworkRateKbps(const ScenarioNetwork& network) {
  if (network.phy == Phy::N) return network.ht && network.ht->width == 40 ? 300000 : 130000;
  if (network.phy == Phy::B) return 11000;
  return 54000;
}

DWORD NetworkAuthAlgorithm(const ScenarioNetwork& network, const SimWlanProfile* profile) {
  switch (network.security.auth) {
    case AuthKind::Shared:
      return kDot11AuthSharedKey;
    case AuthKind::Wpa:
      return kDot11AuthWpa;
    case AuthKind::WpaPsk:
      return kDot11AuthWpaPsk;
    case AuthKind::WpaNone:
      return kDot11AuthWpaNone;
    case AuthKind::Wpa2:
      return kDot11AuthRsna;
    case AuthKind::Wpa2Psk:
      return kDot11AuthRsnaPsk;
    case AuthKind::WpaPskWpa2Psk:
      return profile && profile->authentication == "WPAPSK" ? kDot11AuthWpaPsk : kDot11AuthRsnaPsk;
    case AuthKind::Open:
      break;
  }
  return kDot11AuthOpen;
}

DWORD NetworkCipherAlgorithm(const ScenarioNetwork& network, const SimWlanProfile* profile) {
  switch (network.security.cipher) {
    case CipherKind::Wep:
      return kDot11CipherWep;
    case CipherKind::Tkip:
      return kDot11CipherTkip;
    case CipherKind::Aes:
      return kDot11CipherCcmp;
    case CipherKind::TkipAes:
      return profile && profile->encryption == "TKIP" ? kDot11CipherTkip : kDot11CipherCcmp;
    case CipherKind::None:
      break;
  }
  return kDot11CipherNone;
}

}  // namespace nxui::sim
