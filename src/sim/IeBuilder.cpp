#include "sim/IeBuilder.h"

#include <algorithm>

#include "adapter/ChannelFrequencyTable.h"
#include "scan/ElementIds.h"

namespace nxui::sim {

namespace {

void PutLe16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void PutBe16(Bytes& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value >> 8));
  out.push_back(static_cast<std::uint8_t>(value));
}
void PutLe32(Bytes& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}
void PutOui(Bytes& out, std::uint32_t oui) {
  out.push_back(static_cast<std::uint8_t>(oui >> 16));
  out.push_back(static_cast<std::uint8_t>(oui >> 8));
  out.push_back(static_cast<std::uint8_t>(oui));
}
void PutSuite(Bytes& out, const SuiteSelector& suite) {
  PutOui(out, suite.oui);
  out.push_back(suite.type);
}
void PutSuiteList(Bytes& out, const std::vector<SuiteSelector>& suites) {
  PutLe16(out, static_cast<std::uint16_t>(suites.size()));
  for (const SuiteSelector& suite : suites) PutSuite(out, suite);
}
// The RSN layout from the version on; lists are written only up to the last non-empty one so
// that a short element stays short.
void PutSuitesBody(Bytes& out, const KeySuites& suites) {
  PutLe16(out, suites.version);
  PutSuite(out, suites.group);
  const bool akmOrTail = !suites.akm.empty() || !suites.tail.empty();
  if (!suites.pairwise.empty() || akmOrTail) PutSuiteList(out, suites.pairwise);
  if (akmOrTail) PutSuiteList(out, suites.akm);
  out.insert(out.end(), suites.tail.begin(), suites.tail.end());
}
void PutWpsAttribute(Bytes& out, std::uint16_t type, std::span<const std::uint8_t> value) {
  PutBe16(out, type);
  PutBe16(out, static_cast<std::uint16_t>(value.size()));
  out.insert(out.end(), value.begin(), value.end());
}
void PutWpsByte(Bytes& out, std::uint16_t type, std::uint8_t value) {
  const std::uint8_t bytes[] = {value};
  PutWpsAttribute(out, type, bytes);
}
void PutWpsWord(Bytes& out, std::uint16_t type, std::uint16_t value) {
  const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
  PutWpsAttribute(out, type, bytes);
}
Bytes Element(std::uint8_t id, const Bytes& body) {
  Bytes out;
  AppendElement(out, id, body);
  return out;
}
std::uint8_t ChannelByte(int channel) {
  if (channel >= static_cast<int>(JapanChannelBase)) channel -= static_cast<int>(JapanChannelBase);
  return static_cast<std::uint8_t>(std::clamp(channel, 0, 255));
}

}  // namespace

bool AppendElement(Bytes& out, std::uint8_t id, std::span<const std::uint8_t> body) {
  if (body.size() > 255) return false;
  out.push_back(id);
  out.push_back(static_cast<std::uint8_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return true;
}

Bytes BuildSsidElement(std::span<const std::uint8_t> ssid) {
  Bytes out;
  AppendElement(out, ie::kSsid, ssid.first(std::min<std::size_t>(ssid.size(), 32)));
  return out;
}

Bytes BuildRateElements(std::span<const std::uint8_t> rates) {
  Bytes out;
  const std::size_t first = std::min<std::size_t>(rates.size(), 8);
  AppendElement(out, ie::kSupportedRates, rates.first(first));
  if (rates.size() > first) AppendElement(out, ie::kExtendedSupportedRates, rates.subspan(first));
  return out;
}

Bytes BuildDsParameterSet(std::uint8_t channel) { return Element(ie::kDsParameterSet, Bytes{channel}); }

Bytes BuildRsnElement(const KeySuites& suites) {
  Bytes body;
  PutSuitesBody(body, suites);
  return Element(ie::kRsn, body);
}

Bytes BuildWpaStyleElement(const KeySuites& suites) {
  Bytes body;
  PutOui(body, suites.vendorOui);
  body.push_back(suites.vendorType);
  PutSuitesBody(body, suites);
  return Element(ie::kVendorSpecific, body);
}

Bytes BuildWpsElement(const WpsFields& fields) {
  Bytes body;
  PutOui(body, ie::kOuiWifi);
  body.push_back(ie::kWifiTypeWps);
  if (fields.version) PutWpsByte(body, wps::kVersion, *fields.version);
  if (fields.state) PutWpsByte(body, wps::kState, *fields.state);
  if (fields.apSetupLocked) PutWpsByte(body, wps::kApSetupLocked, *fields.apSetupLocked ? 1 : 0);
  if (fields.selectedRegistrar) PutWpsByte(body, wps::kSelectedRegistrar, *fields.selectedRegistrar ? 1 : 0);
  if (fields.devicePasswordId) PutWpsWord(body, wps::kDevicePasswordId, *fields.devicePasswordId);
  if (fields.selectedRegistrarConfigMethods) {
    PutWpsWord(body, wps::kSelectedRegistrarConfigMethods, *fields.selectedRegistrarConfigMethods);
  }
  for (const auto& uuid : fields.uuidE) PutWpsAttribute(body, wps::kUuidE, uuid);
  if (fields.rfBands) PutWpsByte(body, wps::kRfBands, *fields.rfBands);
  if (fields.configMethods) PutWpsWord(body, wps::kConfigMethods, *fields.configMethods);
  return Element(ie::kVendorSpecific, body);
}

Bytes BuildHtCapabilitiesElement(const HtCapabilities& caps) {
  Bytes body;
  PutLe16(body, caps.info);
  body.push_back(caps.ampduParameters);
  body.insert(body.end(), caps.mcsSet.begin(), caps.mcsSet.end());
  PutLe16(body, caps.extendedCapabilities);
  PutLe32(body, caps.txBeamforming);
  body.push_back(caps.aselCapabilities);
  return Element(ie::kHtCapabilities, body);
}

Bytes BuildHtOperationElement(const HtOperation& op) {
  Bytes body;
  body.push_back(op.primaryChannel);
  body.push_back(op.info1);
  PutLe16(body, op.info2);
  PutLe16(body, op.info3);
  for (std::uint32_t word : op.basicMcsSet) PutLe32(body, word);
  return Element(ie::kHtInformation, body);
}

Bytes BuildCcxElement(bool cckm, bool cmic, bool ckip) {
  KeySuites suites;
  suites.vendorOui = ie::kOuiCisco;
  suites.vendorType = 0;
  // Group suite type: 0 CKIP, 1 CKIP and CMIC, 2 CMIC; 0xFF names neither.
  std::uint8_t groupType = 0xFF;
  if (ckip && cmic) {
    groupType = 1;
  } else if (ckip) {
    groupType = 0;
  } else if (cmic) {
    groupType = 2;
  }
  suites.group = {ie::kOuiCisco, groupType};
  suites.pairwise = {suites.group};
  if (cckm) suites.akm = {{ie::kOuiCisco, 0}};
  return BuildWpaStyleElement(suites);
}

Bytes NetworkRateSet(const ScenarioNetwork& network) {
  Bytes rates;
  if (!network.rates.empty()) {
    for (int rate : network.rates) {
      if (rate > 0 && rate < 128) rates.push_back(static_cast<std::uint8_t>(rate));
    }
  } else {
    const bool fiveGhz = network.phy == Phy::A || (network.channel > 14 && network.phy == Phy::N);
    if (network.phy == Phy::B)
      rates = {2, 4, 11, 22};
    else if (fiveGhz)
      rates = {12, 18, 24, 36, 48, 72, 96, 108};
    else
      rates = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108};
  }
  const bool hasCck =
      std::any_of(rates.begin(), rates.end(), [](std::uint8_t r) { return r == 2 || r == 4 || r == 11 || r == 22; });
  for (std::uint8_t& rate : rates) {
    const bool basic =
        hasCck ? (rate == 2 || rate == 4 || rate == 11 || rate == 22) : (rate == 12 || rate == 24 || rate == 48);
    if (basic) rate |= 0x80;
  }
  return rates;
}

namespace {

struct SecurityPlan {
  bool rsn = false;
  bool wpa = false;
  std::uint8_t akm = ie::kAkmPsk;
};

SecurityPlan PlanSecurity(const ScenarioSecurity& security) {
  SecurityPlan plan;
  switch (security.auth) {
    case AuthKind::Wpa:
      plan.wpa = true;
      plan.akm = ie::kAkm8021X;
      break;
    case AuthKind::WpaPsk:
      plan.wpa = true;
      break;
    case AuthKind::WpaNone:
      plan.wpa = true;
      plan.akm = ie::kAkmNone;
      break;
    case AuthKind::Wpa2:
      plan.rsn = true;
      plan.akm = ie::kAkm8021X;
      break;
    case AuthKind::Wpa2Psk:
      plan.rsn = true;
      break;
    case AuthKind::WpaPskWpa2Psk:
      plan.rsn = plan.wpa = true;
      break;
    case AuthKind::Open:
    case AuthKind::Shared:
      break;
  }
  return plan;
}

void FillCiphers(KeySuites& suites, std::uint32_t oui, CipherKind cipher, bool rsnDefault) {
  const SuiteSelector tkip{oui, ie::kCipherTkip};
  const SuiteSelector ccmp{oui, ie::kCipherCcmp};
  if (cipher == CipherKind::TkipAes) {
    suites.group = tkip;
    suites.pairwise = {tkip, ccmp};
  } else if (cipher == CipherKind::Tkip || (cipher != CipherKind::Aes && !rsnDefault)) {
    suites.group = tkip;
    suites.pairwise = {tkip};
  } else {
    suites.group = ccmp;
    suites.pairwise = {ccmp};
  }
}

}  // namespace

KeySuites NetworkRsnSuites(const ScenarioNetwork& network, bool& present) {
  const SecurityPlan plan = PlanSecurity(network.security);
  KeySuites suites;
  present = plan.rsn;
  FillCiphers(suites, ie::kOuiIeee, network.security.cipher, true);
  suites.akm = {{ie::kOuiIeee, plan.akm}};
  suites.tail = {0x00, 0x00};  // RSN capabilities
  return suites;
}

KeySuites NetworkWpaSuites(const ScenarioNetwork& network, bool& present) {
  const SecurityPlan plan = PlanSecurity(network.security);
  KeySuites suites;
  present = plan.wpa;
  suites.vendorOui = ie::kOuiWifi;
  suites.vendorType = ie::kWifiTypeWpa;
  FillCiphers(suites, ie::kOuiWifi, network.security.cipher, false);
  suites.akm = {{ie::kOuiWifi, plan.akm}};
  return suites;
}

Bytes BuildNetworkIes(const ScenarioNetwork& network) {
  if (network.ies) return *network.ies;
  Bytes ies;
  auto append = [&ies](const Bytes& element) { ies.insert(ies.end(), element.begin(), element.end()); };
  append(BuildSsidElement(std::span(reinterpret_cast<const std::uint8_t*>(network.ssid.data()), network.ssid.size())));
  const Bytes rates = NetworkRateSet(network);
  append(BuildRateElements(std::span<const std::uint8_t>(rates).first(std::min<std::size_t>(rates.size(), 8))));
  if (network.channel >= 1 && network.channel <= 14)
    append(BuildDsParameterSet(static_cast<std::uint8_t>(network.channel)));

  bool rsn = false;
  const KeySuites rsnSuites = NetworkRsnSuites(network, rsn);
  if (rsn) append(BuildRsnElement(rsnSuites));
  if (rates.size() > 8) {
    Bytes extended;
    AppendElement(extended, ie::kExtendedSupportedRates, std::span<const std::uint8_t>(rates).subspan(8));
    append(extended);
  }

  if (network.ht || network.phy == Phy::N) {
    const ScenarioHt ht = network.ht.value_or(ScenarioHt{});
    HtCapabilities caps;
    caps.info = ht.capabilities;
    caps.ampduParameters = ht.ampdu;
    caps.mcsSet[0] = 0xFF;
    caps.mcsSet[1] = 0xFF;
    caps.mcsSet[12] = 0x01;  // Tx MCS set defined
    append(BuildHtCapabilitiesElement(caps));
    HtOperation op;
    op.primaryChannel = ChannelByte(ht.primaryChannel != 0 ? ht.primaryChannel : network.channel);
    op.info1 = static_cast<std::uint8_t>((ht.secondaryOffset & 0x3) | (ht.width == 40 ? 0x04 : 0x00));
    append(BuildHtOperationElement(op));
  }

  bool wpa = false;
  const KeySuites wpaSuites = NetworkWpaSuites(network, wpa);
  if (wpa) append(BuildWpaStyleElement(wpaSuites));

  if (network.wps) {
    const ScenarioWps& wps = *network.wps;
    WpsFields fields;
    fields.version = wps.version;
    fields.state = static_cast<std::uint8_t>(wps.state);
    if (wps.apSetupLocked) fields.apSetupLocked = true;
    if (wps.selectedRegistrar) fields.selectedRegistrar = true;
    if (wps.devicePasswordId) fields.devicePasswordId = *wps.devicePasswordId;
    if (wps.uuidE) fields.uuidE.push_back(*wps.uuidE);
    if (wps.rfBands) fields.rfBands = static_cast<std::uint8_t>(*wps.rfBands);
    fields.configMethods = wps.configMethods;
    append(BuildWpsElement(fields));
  }

  if (network.ccx) {
    const AuthKind auth = network.security.auth;
    const bool enterprise = auth == AuthKind::Wpa || auth == AuthKind::Wpa2;
    append(BuildCcxElement(enterprise, true, network.security.cipher == CipherKind::Wep));
  }
  return ies;
}

}  // namespace nxui::sim
