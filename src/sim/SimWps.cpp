#include "sim/SimWps.h"

#include <algorithm>
#include <cstring>

#include "base/ByteReader.h"
#include "sim/SimWlanProfile.h"

namespace nxui::sim {

namespace {

// The exchange after the scan, up to and including the PIN check point (M3) and after it.
constexpr std::uint32_t kEnrolleeBeforeCheck[] = {3, 4, 5, 6, 17, 18, 19, 21};
constexpr std::uint32_t kEnrolleeAfterCheck[] = {22, 23, 24, 25, 26, 27, 15};
constexpr std::uint32_t kRegistrarBeforeCheck[] = {34, 35, 37};
constexpr std::uint32_t kRegistrarAfterCheck[] = {38, 39, 40, 41, 42, 43, 15};
// Marks the place of the PIN check and of a configured failure in a run's code list.
constexpr std::uint32_t kCheckPoint = 0xFFFFFFFF;

using namespace wps_status;

std::uint32_t PinChecksumDigit(std::uint32_t n) {
  std::uint32_t sum = 0;
  for (int position = 7; position >= 1; --position) {
    const std::uint32_t digit = n % 10;
    n /= 10;
    sum += (position % 2 == 1) ? 3 * digit : digit;
  }
  return (10 - sum % 10) % 10;
}

template <typename T>
std::vector<std::uint8_t> BytesOf(const T& record) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
  return {p, p + sizeof(T)};
}

}  // namespace

std::uint32_t WpsAuthTypeOf(AuthKind auth) {
  switch (auth) {
    case AuthKind::WpaPsk:
      return 2;
    case AuthKind::Shared:
      return 4;
    case AuthKind::Wpa:
      return 8;
    case AuthKind::Wpa2:
      return 16;
    case AuthKind::Wpa2Psk:
      return 32;
    case AuthKind::WpaPskWpa2Psk:
      return 34;
    case AuthKind::Open:
    case AuthKind::WpaNone:
      break;
  }
  return 1;
}

std::uint32_t WpsEncrTypeOf(CipherKind cipher) {
  switch (cipher) {
    case CipherKind::Wep:
      return 2;
    case CipherKind::Tkip:
      return 4;
    case CipherKind::Aes:
      return 8;
    case CipherKind::TkipAes:
      return 12;
    case CipherKind::None:
      break;
  }
  return 1;
}

SimWps::SimWps(IEventLoop& loop, const std::vector<ScenarioNetwork>& inRange) : loop_(loop), inRange_(inRange) {}

SimWps::~SimWps() {
  if (timer_ != 0) loop_.KillSystemTimer(timer_);
}

void SimWps::Reset() {
  if (timer_ != 0) loop_.KillSystemTimer(timer_);
  timer_ = 0;
  run_ = Run{};
  status_ = wps_status::kIdle;
  credentialsReady_ = false;
  credentials_ = WpsCredentialTable{};
  handedIn_ = WpsCredentialTable{};
  pbcStarted_ = false;
}

bool SimWps::SetStart(std::span<const std::uint8_t> record) {
  if (record.size() < sizeof(WpsStartRequest)) return false;
  WpsStartRequest request;
  std::memcpy(&request, record.data(), sizeof request);
  if (request.method != kWpsMethodPin && request.method != kWpsMethodPbc) return false;
  if (request.ssid.ssidLength > 32 || (request.role != 1 && request.role != 2)) return false;
  Run run;
  run.pin = request.method == kWpsMethodPin;
  std::copy(request.pin, request.pin + 8, run.pinDigits.begin());
  std::copy(request.bssid, request.bssid + 6, run.bssid.begin());
  run.registrar = request.role == 2;
  Begin(run);
  return true;
}

bool SimWps::SetCredentials(std::span<const std::uint8_t> record) {
  if (record.size() < sizeof(WpsCredentialTable)) return false;
  WpsCredentialTable table;
  std::memcpy(&table, record.data(), sizeof table);
  if (table.count > 8) return false;
  handedIn_ = table;
  return true;
}

std::vector<std::uint8_t> SimWps::QueryStatus() const {
  std::vector<std::uint8_t> reply(4);
  StoreLe32(reply.data(), status_);
  return reply;
}

std::vector<std::uint8_t> SimWps::QueryCredential() const {
  if (rawCredentials_) return *rawCredentials_;
  return BytesOf(credentialsReady_ ? credentials_ : WpsCredentialTable{});
}

std::vector<std::uint8_t> SimWps::QueryPbcStarted() {
  std::vector<std::uint8_t> reply(4);
  StoreLe32(reply.data(), pbcStarted_ ? 1u : 0u);
  pbcStarted_ = false;
  return reply;
}

void SimWps::PressButton() {
  pbcStarted_ = true;
  Run run;
  run.pin = false;
  run.registrar = false;
  Begin(run);
}

void SimWps::Begin(const Run& run) {
  if (timer_ != 0) loop_.KillSystemTimer(timer_);
  run_ = run;
  run_.startMs = loop_.TickCount();
  credentialsReady_ = false;
  ++runsStarted_;
  Show(kScanning);
  timer_ = loop_.SetSystemTimer(kStepMs, [this](UINT_PTR) { Step(); });
}

void SimWps::Show(std::uint32_t code) { status_ = (run_.pin ? kWpsStatusPinBit : 0u) | code; }

void SimWps::End(std::uint32_t code) {
  Show(code);
  if (timer_ != 0) loop_.KillSystemTimer(timer_);
  timer_ = 0;
}

bool SimWps::ButtonPressed(const ScenarioWps& wps) const {
  if (!wps.pushButton) return false;
  const double now = static_cast<double>(loop_.TickCount()) / 1000.0;
  if (now < wps.pushButtonAt) return false;
  return !wps.pushButtonFor || now < wps.pushButtonAt + *wps.pushButtonFor;
}

void SimWps::FindTarget() {
  if (run_.pin) {
    for (std::size_t i = 0; i < inRange_.size(); ++i) {
      if (inRange_[i].wps && inRange_[i].bssid == run_.bssid) run_.target = i;
    }
    if (!run_.target) End(kIllegalSsid);  // nothing with WPS answers at that address
    return;
  }
  std::vector<std::size_t> pressed;
  for (std::size_t i = 0; i < inRange_.size(); ++i) {
    if (inRange_[i].wps && ButtonPressed(*inRange_[i].wps)) pressed.push_back(i);
  }
  if (pressed.size() > 1) {
    End(kTooManyPbcAps);
  } else if (pressed.size() == 1) {
    run_.target = pressed.front();
  } else if (loop_.TickCount() - run_.startMs >= kWalkTimeMs) {
    End(kNoPbcAp);
  }
}

bool SimWps::PinAccepted(const ScenarioWps& wps) const {
  const std::string digits(run_.pinDigits.begin(), run_.pinDigits.end());
  if (wps.pin != "any") return digits == wps.pin;
  if (digits.find_first_not_of("0123456789") != std::string::npos) return false;
  const auto value = static_cast<std::uint32_t>(std::stoul(digits));
  return value % 10 == PinChecksumDigit(value / 10);
}

void SimWps::Step() {
  if (!run_.target) {
    FindTarget();
    if (!run_.target) return;
    const ScenarioWps& wps = *inRange_[*run_.target].wps;
    if (wps.failAt && (*wps.failAt == kTooManyPbcAps || *wps.failAt == kNoPbcAp)) return End(*wps.failAt);
    auto append = [&](std::span<const std::uint32_t> codes) {
      run_.codes.insert(run_.codes.end(), codes.begin(), codes.end());
    };
    append(run_.registrar ? std::span<const std::uint32_t>(kRegistrarBeforeCheck) : kEnrolleeBeforeCheck);
    run_.codes.push_back(kCheckPoint);
    append(run_.registrar ? std::span<const std::uint32_t>(kRegistrarAfterCheck) : kEnrolleeAfterCheck);
    std::reverse(run_.codes.begin(), run_.codes.end());  // walked from the back
    return;
  }
  // The networks in range may have changed under the run.
  if (*run_.target >= inRange_.size() || !inRange_[*run_.target].wps) return End(kIllegalSsid);
  const ScenarioNetwork& network = inRange_[*run_.target];
  const ScenarioWps& wps = *network.wps;
  if (run_.codes.empty()) return End(kConfigured);
  std::uint32_t code = run_.codes.back();
  run_.codes.pop_back();
  if (code == kCheckPoint) {
    if (wps.failAt) return End(*wps.failAt);
    if (run_.pin && !PinAccepted(wps)) return End(kWrongPin);
    code = run_.codes.back();
    run_.codes.pop_back();
  }
  if (code != kConfigured) return Show(code);

  if (run_.registrar) {
    Handover handover;
    handover.device = network.bssid;
    handover.table = handedIn_;
    handovers_.push_back(handover);
    credentials_ = handedIn_;
  } else {
    credentials_ = CredentialsOf(network);
  }
  credentialsReady_ = true;
  End(kConfigured);
}

WpsCredentialTable SimWps::CredentialsOf(const ScenarioNetwork& network) const {
  std::vector<ScenarioWpsCredential> list;
  if (network.wps && network.wps->credentials) {
    list = *network.wps->credentials;
  } else {
    // Its own network: the name, the security and the key it is configured with.
    ScenarioWpsCredential own;
    own.ssid = network.ssid;
    own.auth = network.security.auth;
    own.cipher = network.security.cipher;
    own.keyIndex = network.security.wepKeyIndex;
    if (network.security.cipher == CipherKind::Wep) {
      const auto index = static_cast<std::size_t>(network.security.wepKeyIndex);
      if (index < network.security.wepKeys.size()) own.key = network.security.wepKeys[index];
    } else if (network.security.cipher != CipherKind::None) {
      own.key = network.security.passphrase;
    }
    list.push_back(own);
  }
  WpsCredentialTable table{};
  for (const ScenarioWpsCredential& c : list) {
    if (table.count >= 8) break;
    WpsCredential& slot = table.credentials[table.count++];
    slot.ssidLength = static_cast<std::uint32_t>(std::min<std::size_t>(c.ssid.size(), 32));
    std::memcpy(slot.ssid, c.ssid.data(), slot.ssidLength);
    slot.authType = WpsAuthTypeOf(c.auth);
    slot.encrType = WpsEncrTypeOf(c.cipher);
    slot.keyIndex = static_cast<std::uint32_t>(c.keyIndex);
    slot.keyLength = static_cast<std::uint32_t>(std::min<std::size_t>(c.key.size(), 64));
    std::memcpy(slot.key, c.key.data(), slot.keyLength);
    const MacAddress& mac = c.mac ? *c.mac : network.bssid;
    std::copy(mac.begin(), mac.end(), slot.mac);
  }
  return table;
}

}  // namespace nxui::sim
