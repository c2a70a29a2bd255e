#include "sim/ScenarioLoader.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "adapter/Oids.h"
#include "base/HexText.h"
#include "platform/Guid.h"
#include "sim/JsonText.h"

namespace nxui::sim {
namespace {

// Bounds that keep the simulation's arithmetic exact: traffic is summed in byte-milliseconds,
// event times become 32-bit millisecond timers.
constexpr std::uint64_t kMaxBytesPerSecond = 1000000000;
constexpr double kMaxEventSeconds = 3600.0 * 24 * 40;

template <typename T>
using NameTable = std::initializer_list<std::pair<const char*, T>>;

constexpr NameTable<ProductType> kProductTypes = {{"workstation", ProductType::Workstation},
                                                  {"server", ProductType::Server},
                                                  {"domainController", ProductType::DomainController}};
constexpr NameTable<BssKind> kBssKinds = {{"infrastructure", BssKind::Infrastructure},
                                          {"independent", BssKind::Independent}};
constexpr NameTable<Phy> kPhys = {{"a", Phy::A}, {"b", Phy::B}, {"g", Phy::G}, {"n", Phy::N}};
constexpr NameTable<EapAsk> kEapAsks = {{"nothing", EapAsk::Nothing},
                                        {"new-password", EapAsk::NewPassword},
                                        {"one-time-password", EapAsk::OneTimePassword}};
constexpr NameTable<AuthKind> kAuthKinds = {{"open", AuthKind::Open},
                                            {"shared", AuthKind::Shared},
                                            {"wpa", AuthKind::Wpa},
                                            {"wpa-psk", AuthKind::WpaPsk},
                                            {"wpa2", AuthKind::Wpa2},
                                            {"wpa2-psk", AuthKind::Wpa2Psk},
                                            {"wpa-psk+wpa2-psk", AuthKind::WpaPskWpa2Psk},
                                            {"wpa-none", AuthKind::WpaNone}};
constexpr NameTable<CipherKind> kCipherKinds = {{"none", CipherKind::None},
                                                {"wep", CipherKind::Wep},
                                                {"tkip", CipherKind::Tkip},
                                                {"aes", CipherKind::Aes},
                                                {"tkip+aes", CipherKind::TkipAes}};
constexpr NameTable<EventAction> kEventActions = {{"unplug", EventAction::Unplug},
                                                  {"plug", EventAction::Plug},
                                                  {"icv-error", EventAction::IcvError},
                                                  {"icv-clear", EventAction::IcvClear},
                                                  {"add-network", EventAction::AddNetwork},
                                                  {"remove-network", EventAction::RemoveNetwork},
                                                  {"press-wps-button", EventAction::PressWpsButton}};

std::optional<Ipv4Address> ParseIpv4(const std::string& text) {
  unsigned b[4];
  char tail;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &b[0], &b[1], &b[2], &b[3], &tail) != 4 || b[0] > 255 || b[1] > 255 ||
      b[2] > 255 || b[3] > 255) {
    return std::nullopt;
  }
  return Ipv4Address{static_cast<std::uint8_t>(b[0]), static_cast<std::uint8_t>(b[1]), static_cast<std::uint8_t>(b[2]),
                     static_cast<std::uint8_t>(b[3])};
}

// An integer member as a signed 64-bit value; false for a non-integer or one beyond that range
// (a huge unsigned number must not wrap to a small negative one).
bool SignedValue(const Json& value, long long& out) {
  if (!value.is_number_integer()) return false;
  if (value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(LLONG_MAX)) return false;
  out = value.get<long long>();
  return true;
}

// Walks the document; the first error wins and stops the walk.
class Reader {
 public:
  Reader(std::string source, const JsonLineIndex& lines) : source_(std::move(source)), lines_(lines) {}

  bool failed() const { return !error_.empty(); }
  const std::string& error() const { return error_; }

  bool Fail(const std::string& pointer, const std::string& message) {
    if (error_.empty()) {
      error_ = source_ + ":" + std::to_string(lines_.LineOf(pointer)) + ": " + message;
    }
    return false;
  }
  static std::string Name(const std::string& pointer) {
    const auto slash = pointer.rfind('/');
    return "\"" + (slash == std::string::npos ? pointer : pointer.substr(slash + 1)) + "\"";
  }

  // Each getter leaves `out` alone when the member is absent.
  bool Object(const Json& parent, const std::string& pointer, const char* key, const Json*& out) {
    out = nullptr;
    auto it = parent.find(key);
    if (it == parent.end()) return true;
    if (!it->is_object()) return Fail(pointer + "/" + key, Name(pointer + "/" + key) + " must be an object");
    out = &*it;
    return true;
  }
  bool Array(const Json& parent, const std::string& pointer, const char* key, const Json*& out) {
    out = nullptr;
    auto it = parent.find(key);
    if (it == parent.end()) return true;
    if (!it->is_array()) return Fail(pointer + "/" + key, Name(pointer + "/" + key) + " must be a list");
    out = &*it;
    return true;
  }
  template <typename T>
  bool Int(const Json& parent, const std::string& pointer, const char* key, T& out, long long min, long long max) {
    auto it = parent.find(key);
    if (it == parent.end()) return true;
    const std::string p = pointer + "/" + key;
    if (!it->is_number_integer()) return Fail(p, Name(p) + " must be an integer");
    long long v = 0;
    if (!SignedValue(*it, v) || v < min || v > max) {
      return Fail(p, Name(p) + " must be between " + std::to_string(min) + " and " + std::to_string(max));
    }
    out = static_cast<T>(v);
    return true;
  }
  template <typename T>
  bool OptInt(const Json& parent, const std::string& pointer, const char* key, std::optional<T>& out, long long min,
              long long max) {
    if (!parent.contains(key)) return true;
    T v{};
    if (!Int(parent, pointer, key, v, min, max)) return false;
    out = v;
    return true;
  }
  bool U64(const Json& parent, const std::string& pointer, const char* key, std::uint64_t& out, std::uint64_t max) {
    auto it = parent.find(key);
    if (it == parent.end()) return true;
    const std::string p = pointer + "/" + key;
    long long v = 0;
    if (!SignedValue(*it, v) || v < 0 || static_cast<std::uint64_t>(v) > max) {
      return Fail(p, Name(p) + " must be an integer between 0 and " + std::to_string(max));
    }
    out = static_cast<std::uint64_t>(v);
    return true;
  }
  bool Double(const Json& parent, const std::string& pointer, const char* key, double& out) {
    auto it = parent.find(key);
    if (it == parent.end()) return true;
    const std::string p = pointer + "/" + key;
    if (!it->is_number() || it->get<double>() < 0) return Fail(p, Name(p) + " must be a non-negative number");
    out = it->get<double>();
    return true;
  }
  bool Bool(const Json& parent, const std::string& pointer, const char* key, bool& out) {
    auto it = parent.find(key);
    if (it == parent.end()) return true;
    const std::string p = pointer + "/" + key;
    if (!it->is_boolean()) return Fail(p, Name(p) + " must be true or false");
    out = it->get<bool>();
    return true;
  }
  bool OptBool(const Json& parent, const std::string& pointer, const char* key, std::optional<bool>& out) {
    if (!parent.contains(key)) return true;
    bool v = false;
    if (!Bool(parent, pointer, key, v)) return false;
    out = v;
    return true;
  }
  bool String(const Json& parent, const std::string& pointer, const char* key, std::string& out) {
    auto it = parent.find(key);
    if (it == parent.end()) return true;
    const std::string p = pointer + "/" + key;
    if (!it->is_string()) return Fail(p, Name(p) + " must be a text");
    out = it->get<std::string>();
    return true;
  }
  bool OptString(const Json& parent, const std::string& pointer, const char* key, std::optional<std::string>& out) {
    if (!parent.contains(key)) return true;
    std::string v;
    if (!String(parent, pointer, key, v)) return false;
    out = v;
    return true;
  }
  template <typename T>
  bool Enum(const Json& parent, const std::string& pointer, const char* key, T& out, NameTable<T> names) {
    if (!parent.contains(key)) return true;
    std::string v;
    if (!String(parent, pointer, key, v)) return false;
    std::string list;
    for (const auto& [name, value] : names) {
      if (v == name) {
        out = value;
        return true;
      }
      list += list.empty() ? "" : ", ";
      list += name;
    }
    const std::string p = pointer + "/" + key;
    return Fail(p, "unknown " + Name(p) + " value \"" + v + "\" (expected one of: " + list + ")");
  }
  bool Mac(const Json& parent, const std::string& pointer, const char* key, MacAddress& out) {
    if (!parent.contains(key)) return true;
    std::string v;
    if (!String(parent, pointer, key, v)) return false;
    const auto mac = ParseMac(v);
    if (!mac) {
      const std::string p = pointer + "/" + key;
      return Fail(p, "malformed MAC address " + Name(p) + ": \"" + v + "\"");
    }
    out = *mac;
    return true;
  }
  bool Mac(const Json& parent, const std::string& pointer, const char* key, std::optional<MacAddress>& out) {
    if (!parent.contains(key)) return true;
    MacAddress mac{};
    if (!Mac(parent, pointer, key, mac)) return false;
    out = mac;
    return true;
  }
  template <typename T>
  bool HexNumber(const Json& parent, const std::string& pointer, const char* key, std::optional<T>& out) {
    if (!parent.contains(key)) return true;
    std::string v;
    if (!String(parent, pointer, key, v)) return false;
    std::uint32_t number = 0;
    if (!ParseHexNumber(v, static_cast<std::uint32_t>(static_cast<T>(~T{0})), number)) {
      const std::string p = pointer + "/" + key;
      return Fail(p, "malformed hex number " + Name(p) + ": \"" + v + "\"");
    }
    out = static_cast<T>(number);
    return true;
  }
  template <typename T>
  bool HexNumber(const Json& parent, const std::string& pointer, const char* key, T& out) {
    std::optional<T> v;
    if (!HexNumber(parent, pointer, key, v)) return false;
    if (v) out = *v;
    return true;
  }
  bool Ipv4(const Json& parent, const std::string& pointer, const char* key, Ipv4Address& out) {
    if (!parent.contains(key)) return true;
    std::string v;
    if (!String(parent, pointer, key, v)) return false;
    const auto address = ParseIpv4(v);
    if (!address) return Fail(pointer + "/" + key, "malformed IPv4 address \"" + v + "\"");
    out = *address;
    return true;
  }
  bool IntList(const Json& parent, const std::string& pointer, const char* key, std::vector<int>& out, long long min,
               long long max) {
    const Json* list = nullptr;
    if (!Array(parent, pointer, key, list) || list == nullptr) return !failed();
    std::vector<int> values;
    for (std::size_t i = 0; i < list->size(); ++i) {
      const std::string p = pointer + "/" + key + "/" + std::to_string(i);
      long long v = 0;
      if (!SignedValue((*list)[i], v) || v < min || v > max) {
        return Fail(p, "entries of " + Name(pointer + "/" + key) + " must be integers between " + std::to_string(min) +
                           " and " + std::to_string(max));
      }
      values.push_back(static_cast<int>(v));
    }
    out = values;
    return true;
  }
  bool StringList(const Json& parent, const std::string& pointer, const char* key, std::vector<std::string>& out) {
    const Json* list = nullptr;
    if (!Array(parent, pointer, key, list) || list == nullptr) return !failed();
    std::vector<std::string> values;
    for (std::size_t i = 0; i < list->size(); ++i) {
      if (!(*list)[i].is_string()) {
        return Fail(pointer + "/" + key + "/" + std::to_string(i),
                    "entries of " + Name(pointer + "/" + key) + " must be texts");
      }
      values.push_back((*list)[i].get<std::string>());
    }
    out = values;
    return true;
  }

 private:
  std::string source_;
  const JsonLineIndex& lines_;
  std::string error_;
};

bool ReadOs(Reader& r, const Json& doc, ScenarioOs& os) {
  const Json* o = nullptr;
  if (!r.Object(doc, "", "os", o) || o == nullptr) return !r.failed();
  const std::string p = "/os";
  return r.Int(*o, p, "major", os.major, 0, 255) && r.Int(*o, p, "minor", os.minor, 0, 255) &&
         r.Int(*o, p, "build", os.build, 0, 0xFFFF) && r.Int(*o, p, "platformId", os.platformId, 1, 2) &&
         r.Enum(*o, p, "productType", os.productType, kProductTypes) && r.Bool(*o, p, "admin", os.admin) &&
         r.Bool(*o, p, "wow64", os.wow64) && r.Bool(*o, p, "extendedVersionInfo", os.extendedVersionInfo);
}

bool ReadVersionPair(Reader& r, const Json& d, const std::string& p, const char* key,
                     std::optional<std::vector<int>>& out) {
  auto it = d.find(key);
  if (it == d.end()) return true;
  if (it->is_null()) {
    out.reset();
    return true;
  }
  std::vector<int> v;
  if (!r.IntList(d, p, key, v, 0, 255)) return false;
  if (v.size() != 2) return r.Fail(p + "/" + key, "\"" + std::string(key) + "\" must be two numbers or null");
  out = v;
  return true;
}

bool ReadDriver(Reader& r, const Json& a, const std::string& ap, ScenarioDriver& d) {
  const Json* o = nullptr;
  if (!r.Object(a, ap, "driver", o) || o == nullptr) return !r.failed();
  const std::string p = ap + "/driver";
  std::vector<std::string> failing;
  if (!r.Int(*o, p, "ndisVersion", d.ndisVersion, 0, 0xFFFF) ||
      !ReadVersionPair(r, *o, p, "eepromVersion", d.eepromVersion) ||
      !ReadVersionPair(r, *o, p, "firmwareVersion", d.firmwareVersion) ||
      !r.Int(*o, p, "rssiChains", d.rssiChains, 1, 3) || !r.Int(*o, p, "noise", d.noise, -143, 0) ||
      !r.Int(*o, p, "opMode", d.opMode, 0, 1) || !r.Int(*o, p, "txPowerPercent", d.txPowerPercent, 0, 100) ||
      !r.Bool(*o, p, "is11n", d.is11n) || !r.StringList(*o, p, "failingOids", failing)) {
    return false;
  }
  if (o->contains("failingOids")) {
    d.failingOids.clear();
    for (std::size_t i = 0; i < failing.size(); ++i) {
      Oid oid = OidFromName(failing[i].c_str());
      if (oid == 0 && (!ParseHexNumber(failing[i], 0xFFFFFFFF, oid) || oid == 0)) {
        return r.Fail(p + "/failingOids/" + std::to_string(i), "unknown OID \"" + failing[i] + "\"");
      }
      d.failingOids.push_back(oid);
    }
  }
  const Json* f = nullptr;
  if (!r.Object(*o, p, "file", f)) return false;
  if (f != nullptr) {
    if (!r.String(*f, p + "/file", "version", d.file.version) || !r.String(*f, p + "/file", "date", d.file.date)) {
      return false;
    }
    unsigned a1, a2, a3, a4;
    char tail;
    if (std::sscanf(d.file.version.c_str(), "%u.%u.%u.%u%c", &a1, &a2, &a3, &a4, &tail) != 4 || a1 > 0xFFFF ||
        a2 > 0xFFFF || a3 > 0xFFFF || a4 > 0xFFFF) {
      return r.Fail(p + "/file/version", "malformed file version \"" + d.file.version + "\" (expected a.b.c.d)");
    }
    int y, m, dd;
    if (std::sscanf(d.file.date.c_str(), "%d-%d-%d%c", &y, &m, &dd, &tail) != 3 || y < 1601 || m < 1 || m > 12 ||
        dd < 1 || dd > 31) {
      return r.Fail(p + "/file/date", "malformed date \"" + d.file.date + "\" (expected YYYY-MM-DD)");
    }
  }
  return true;
}

// The values of one registry key as text; an object member is a subkey with values of its own.
bool ReadRegistryTree(Reader& r, const Json& o, const std::string& p, const std::string& key,
                      std::vector<ScenarioRegistryValue>& out) {
  for (auto it = o.begin(); it != o.end(); ++it) {
    const std::string mp = p + "/" + it.key();
    long long number = 0;
    if (it->is_object()) {
      if (it.key().empty()) return r.Fail(mp, "a registry key name must not be empty");
      if (!ReadRegistryTree(r, *it, mp, key.empty() ? it.key() : key + "\\" + it.key(), out)) return false;
    } else if (it->is_string()) {
      out.push_back({key, it.key(), it->get<std::string>()});
    } else if (SignedValue(*it, number)) {
      out.push_back({key, it.key(), std::to_string(number)});
    } else if (it->is_number_integer()) {
      return r.Fail(mp, "registry value \"" + it.key() + "\" is too large");
    } else {
      return r.Fail(mp, "registry value \"" + it.key() + "\" must be a text, an integer or an object (a subkey)");
    }
  }
  return true;
}

bool ReadAdapter(Reader& r, const Json& a, const std::string& p, ScenarioAdapter& ad) {
  if (!a.is_object()) return r.Fail(p, "an adapter must be an object");
  std::vector<std::string> bands;
  if (!r.String(a, p, "hardwareId", ad.hardwareId) || !r.String(a, p, "friendlyName", ad.friendlyName) ||
      !r.String(a, p, "deviceDescription", ad.deviceDescription) || !r.String(a, p, "location", ad.location) ||
      !r.String(a, p, "manufacturer", ad.manufacturer) || !r.String(a, p, "instanceId", ad.instanceId) ||
      !r.String(a, p, "driverKey", ad.driverKey) || !r.Mac(a, p, "mac", ad.mac) ||
      !r.Bool(a, p, "present", ad.present) || !r.StringList(a, p, "bands", bands) || !ReadDriver(r, a, p, ad.driver)) {
    return false;
  }
  if (!Guid::Parse(ad.instanceId) || ad.instanceId.front() != '{') {
    return r.Fail(p + "/instanceId", "malformed GUID \"" + ad.instanceId + "\" (expected {xxxxxxxx-xxxx-...})");
  }
  if (ad.driverKey.empty()) return r.Fail(p + "/driverKey", "\"driverKey\" must not be empty");
  if (a.contains("bands")) {
    ad.bands = ScenarioBands{false, false};
    for (std::size_t i = 0; i < bands.size(); ++i) {
      if (bands[i] == "2.4GHz") {
        ad.bands.ghz24 = true;
      } else if (bands[i] == "5GHz") {
        ad.bands.ghz5 = true;
      } else {
        return r.Fail(p + "/bands/" + std::to_string(i), "unknown band \"" + bands[i] + "\" (expected 2.4GHz or 5GHz)");
      }
    }
  }
  const Json* reg = nullptr;
  if (!r.Object(a, p, "registry", reg)) return false;
  if (reg != nullptr) {
    ad.registry.clear();
    ad.registrySubkeys.clear();
    std::vector<ScenarioRegistryValue> values;
    if (!ReadRegistryTree(r, *reg, p + "/registry", "", values)) return false;
    for (ScenarioRegistryValue& v : values) {
      if (v.key.empty()) {
        ad.registry.emplace_back(std::move(v.name), std::move(v.value));
      } else {
        ad.registrySubkeys.push_back(std::move(v));
      }
    }
  }
  return true;
}

// The run part of a "wps" block: PIN, push button, credentials handed out, failure.
bool ReadWpsRun(Reader& r, const Json& o, const std::string& wp, ScenarioWps& wps) {
  if (!r.String(o, wp, "pin", wps.pin)) return false;
  const bool digits = wps.pin.size() == 8 && wps.pin.find_first_not_of("0123456789") == std::string::npos;
  if (wps.pin != "any" && !digits) return r.Fail(wp + "/pin", "\"pin\" must be eight digits or \"any\"");
  if (auto it = o.find("pushButton"); it != o.end()) {
    if (it->is_boolean()) {
      wps.pushButton = it->get<bool>();
    } else if (it->is_object()) {
      const std::string bp = wp + "/pushButton";
      double pressedFor = -1;
      if (!r.Double(*it, bp, "at", wps.pushButtonAt) || !r.Double(*it, bp, "for", pressedFor)) return false;
      wps.pushButton = true;
      if (pressedFor >= 0) wps.pushButtonFor = pressedFor;
    } else {
      return r.Fail(wp + "/pushButton", "\"pushButton\" must be true, false or {\"at\", \"for\"}");
    }
  }
  int failAt = -1;
  if (!r.Int(o, wp, "failAt", failAt, 0, 0x0FFFFFFF)) return false;
  if (failAt >= 0) wps.failAt = failAt;
  const Json* list = nullptr;
  if (!r.Array(o, wp, "credentials", list)) return false;
  if (list == nullptr) return true;
  std::vector<ScenarioWpsCredential> credentials;
  for (std::size_t i = 0; i < list->size(); ++i) {
    const std::string cp = wp + "/credentials/" + std::to_string(i);
    const Json& c = (*list)[i];
    if (!c.is_object()) return r.Fail(cp, "a credential must be an object");
    ScenarioWpsCredential credential;
    if (!r.String(c, cp, "ssid", credential.ssid) || !r.Enum(c, cp, "auth", credential.auth, kAuthKinds) ||
        !r.Enum(c, cp, "cipher", credential.cipher, kCipherKinds) || !r.String(c, cp, "key", credential.key) ||
        !r.Int(c, cp, "keyIndex", credential.keyIndex, 0, 3) || !r.Mac(c, cp, "mac", credential.mac)) {
      return false;
    }
    if (credential.auth == AuthKind::WpaNone) return r.Fail(cp + "/auth", "\"wpa-none\" is not handed out by WPS");
    if (credential.ssid.size() > 32) return r.Fail(cp + "/ssid", "\"ssid\" must be at most 32 bytes");
    if (credential.key.size() > 64) return r.Fail(cp + "/key", "\"key\" must be at most 64 bytes");
    credentials.push_back(credential);
  }
  if (credentials.size() > 8) return r.Fail(wp + "/credentials", "at most 8 credentials");
  wps.credentials = credentials;
  return true;
}

bool ReadSecurity(Reader& r, const Json& n, const std::string& p, ScenarioSecurity& s) {
  const Json* o = nullptr;
  if (!r.Object(n, p, "security", o) || o == nullptr) return !r.failed();
  const std::string sp = p + "/security";
  if (!r.Enum(*o, sp, "auth", s.auth, kAuthKinds) || !r.Enum(*o, sp, "cipher", s.cipher, kCipherKinds) ||
      !r.String(*o, sp, "passphrase", s.passphrase) || !r.StringList(*o, sp, "wepKeys", s.wepKeys) ||
      !r.Int(*o, sp, "wepKeyIndex", s.wepKeyIndex, 0, 3)) {
    return false;
  }
  const Json* e = nullptr;
  if (!r.Object(*o, sp, "eap", e) || e == nullptr) return !r.failed();
  const std::string ep = sp + "/eap";
  ScenarioEap eap;
  if (!r.String(*e, ep, "identity", eap.identity) || !r.String(*e, ep, "password", eap.password) ||
      !r.Enum(*e, ep, "ask", eap.ask, kEapAsks) || !r.String(*e, ep, "oneTimePassword", eap.oneTimePassword) ||
      !r.Int(*e, ep, "attempts", eap.attempts, 1, 10)) {
    return false;
  }
  if (s.auth != AuthKind::Wpa && s.auth != AuthKind::Wpa2) {
    return r.Fail(ep, "\"eap\" needs an 802.1X network (auth wpa or wpa2)");
  }
  s.eap = eap;
  return true;
}

bool ReadHt(Reader& r, const Json& n, const std::string& p, std::optional<ScenarioHt>& out) {
  const Json* o = nullptr;
  if (!r.Object(n, p, "ht", o) || o == nullptr) return !r.failed();
  const std::string hp = p + "/ht";
  ScenarioHt ht;
  if (!r.HexNumber(*o, hp, "capabilities", ht.capabilities) || !r.HexNumber(*o, hp, "ampdu", ht.ampdu) ||
      !r.Int(*o, hp, "primaryChannel", ht.primaryChannel, 0, 255) ||
      !r.Int(*o, hp, "secondaryOffset", ht.secondaryOffset, 0, 3) || !r.Int(*o, hp, "width", ht.width, 20, 40)) {
    return false;
  }
  if (ht.width != 20 && ht.width != 40) return r.Fail(hp + "/width", "\"width\" must be 20 or 40");
  out = ht;
  return true;
}

bool ReadWps(Reader& r, const Json& n, const std::string& p, std::optional<ScenarioWps>& out) {
  const Json* o = nullptr;
  if (!r.Object(n, p, "wps", o) || o == nullptr) return !r.failed();
  const std::string wp = p + "/wps";
  ScenarioWps wps;
  std::string uuid;
  if (!r.HexNumber(*o, wp, "version", wps.version) || !r.Int(*o, wp, "state", wps.state, 1, 2) ||
      !r.HexNumber(*o, wp, "configMethods", wps.configMethods) ||
      !r.HexNumber(*o, wp, "devicePasswordId", wps.devicePasswordId) ||
      !r.Bool(*o, wp, "selectedRegistrar", wps.selectedRegistrar) || !r.String(*o, wp, "uuidE", uuid) ||
      !r.OptInt(*o, wp, "rfBands", wps.rfBands, 0, 255) || !r.Bool(*o, wp, "apSetupLocked", wps.apSetupLocked)) {
    return false;
  }
  if (!uuid.empty()) {
    std::vector<std::uint8_t> bytes;
    if (!ParseHexBlob(uuid, bytes) || bytes.size() != 16)
      return r.Fail(wp + "/uuidE", "\"uuidE\" must be 32 hex digits");
    wps.uuidE.emplace();
    std::copy(bytes.begin(), bytes.end(), wps.uuidE->begin());
  }
  if (!ReadWpsRun(r, *o, wp, wps)) return false;
  out = wps;
  return true;
}

bool ReadNetwork(Reader& r, const Json& n, const std::string& p, ScenarioNetwork& net) {
  if (!n.is_object()) return r.Fail(p, "a network must be an object");
  std::optional<std::string> ssidHex;
  std::optional<std::string> ies;
  std::optional<std::string> capture;
  std::vector<std::string> peerTexts;
  if (!r.String(n, p, "ssid", net.ssid) || !r.OptString(n, p, "ssidHex", ssidHex) || !r.Mac(n, p, "bssid", net.bssid) ||
      !r.Int(n, p, "channel", net.channel, 0, 255) || !r.OptInt(n, p, "frequencyKhz", net.frequencyKhz, 0, 7000000) ||
      !r.Int(n, p, "rssi", net.rssi, -200, 0) || !r.Enum(n, p, "bssType", net.bssType, kBssKinds) ||
      !r.Enum(n, p, "phy", net.phy, kPhys) || !r.Int(n, p, "beaconPeriod", net.beaconPeriod, 1, 0xFFFF) ||
      !r.IntList(n, p, "rates", net.rates, 1, 255) || !r.OptBool(n, p, "privacy", net.privacy) ||
      !r.Bool(n, p, "ccx", net.ccx) || !r.OptString(n, p, "ies", ies) || !r.OptString(n, p, "capture", capture) ||
      !r.StringList(n, p, "peers", peerTexts)) {
    return false;
  }
  if (peerTexts.size() > 32) return r.Fail(p + "/peers", "at most 32 \"peers\"");
  for (std::size_t i = 0; i < peerTexts.size(); ++i) {
    const auto mac = ParseMac(peerTexts[i]);
    if (!mac) return r.Fail(p + "/peers/" + std::to_string(i), "malformed MAC address \"" + peerTexts[i] + "\"");
    net.peers.push_back(*mac);
  }
  if (!n.contains("bssid")) return r.Fail(p, "a network needs a \"bssid\"");
  std::vector<std::uint8_t> bytes;
  if (ssidHex) {
    if (!ParseHexBlob(*ssidHex, bytes) || bytes.size() > 32) {
      return r.Fail(p + "/ssidHex", "malformed \"ssidHex\" (up to 32 bytes as hex digits)");
    }
    net.ssid.assign(bytes.begin(), bytes.end());
  }
  // A name longer than an SSID goes on the air cut to 32 bytes.
  if (net.ssid.size() > 32) net.ssid.resize(32);
  if (ies) {
    if (!ParseHexBlob(*ies, bytes)) return r.Fail(p + "/ies", "malformed hex in \"ies\"");
    net.ies = bytes;
  }
  if (!ReadSecurity(r, n, p, net.security) || !ReadHt(r, n, p, net.ht) || !ReadWps(r, n, p, net.wps)) return false;

  const Json* o = nullptr;
  if (!r.Object(n, p, "ip", o)) return false;
  if (o != nullptr) {
    const std::string ip = p + "/ip";
    if (!r.Ipv4(*o, ip, "address", net.ip.address) || !r.Ipv4(*o, ip, "mask", net.ip.mask) ||
        !r.Ipv4(*o, ip, "gateway", net.ip.gateway) || !r.Ipv4(*o, ip, "apAddress", net.ip.apAddress)) {
      return false;
    }
  }
  if (!r.Object(n, p, "link", o)) return false;
  if (o != nullptr) {
    const std::string lp = p + "/link";
    auto& l = net.link;
    if (!r.HexNumber(*o, lp, "txRate", l.txRate) || !r.HexNumber(*o, lp, "rxRate", l.rxRate) ||
        !r.Int(*o, lp, "quality", l.quality, 0, 100) || !r.IntList(*o, lp, "snr", l.snr, 0, 255) ||
        !r.U64(*o, lp, "txBytesPerSecond", l.txBytesPerSecond, kMaxBytesPerSecond) ||
        !r.U64(*o, lp, "rxBytesPerSecond", l.rxBytesPerSecond, kMaxBytesPerSecond)) {
      return false;
    }
  }
  return true;
}

bool ReadEvent(Reader& r, const Json& e, const std::string& p, std::size_t adapterCount, ScenarioEvent& ev) {
  if (!e.is_object()) return r.Fail(p, "an event must be an object");
  if (!e.contains("at") || !e.contains("do")) return r.Fail(p, "an event needs \"at\" and \"do\"");
  std::string action;
  if (!r.Double(e, p, "at", ev.at) || !r.String(e, p, "do", action) || !r.Int(e, p, "adapter", ev.adapter, 0, 63)) {
    return false;
  }
  if (ev.at > kMaxEventSeconds) return r.Fail(p + "/at", "\"at\" must be at most 40 days (3456000 s)");
  bool known = false;
  for (const auto& [name, value] : kEventActions) {
    if (action == name) {
      ev.action = value;
      known = true;
    }
  }
  if (!known) return r.Fail(p + "/do", "unknown event \"" + action + "\"");
  const bool aboutNetworks = ev.action == EventAction::AddNetwork || ev.action == EventAction::RemoveNetwork;
  if (static_cast<std::size_t>(ev.adapter) >= adapterCount && !aboutNetworks) {
    return r.Fail(p + "/adapter", "event names adapter " + std::to_string(ev.adapter) + ", which does not exist");
  }
  if (ev.action == EventAction::AddNetwork) {
    const Json* n = nullptr;
    if (!r.Object(e, p, "network", n)) return false;
    if (n == nullptr) return r.Fail(p, "\"add-network\" needs a \"network\"");
    ScenarioNetwork net;
    if (!ReadNetwork(r, *n, p + "/network", net)) return false;
    ev.network = net;
  }
  if (ev.action == EventAction::RemoveNetwork) {
    if (!e.contains("bssid")) return r.Fail(p, "\"remove-network\" needs a \"bssid\"");
    if (!r.Mac(e, p, "bssid", ev.bssid)) return false;
  }
  return true;
}

bool ReadDocument(Reader& r, const Json& doc, Scenario& s) {
  if (!doc.is_object()) return r.Fail("", "the scenario must be a JSON object");
  if (!r.Int(doc, "", "version", s.version, 1, 1) || !ReadOs(r, doc, s.os)) return false;
  const Json* list = nullptr;
  if (!r.Array(doc, "", "adapters", list)) return false;
  if (list != nullptr) {
    for (std::size_t i = 0; i < list->size(); ++i) {
      ScenarioAdapter a;
      if (!ReadAdapter(r, (*list)[i], "/adapters/" + std::to_string(i), a)) return false;
      s.adapters.push_back(std::move(a));
    }
  }
  const Json* o = nullptr;
  if (!r.Object(doc, "", "wlanService", o)) return false;
  if (o != nullptr && !r.Bool(*o, "/wlanService", "running", s.wlanServiceRunning)) return false;
  if (!r.Array(doc, "", "networks", list)) return false;
  if (list != nullptr) {
    for (std::size_t i = 0; i < list->size(); ++i) {
      ScenarioNetwork n;
      if (!ReadNetwork(r, (*list)[i], "/networks/" + std::to_string(i), n)) return false;
      s.networks.push_back(std::move(n));
    }
  }
  if (!r.StringList(doc, "", "captures", s.captures)) return false;
  if (!r.Array(doc, "", "platformProfiles", list)) return false;
  if (list != nullptr) {
    for (std::size_t i = 0; i < list->size(); ++i) {
      const std::string p = "/platformProfiles/" + std::to_string(i);
      const Json& e = (*list)[i];
      if (!e.is_object()) return r.Fail(p, "a platform profile must be an object");
      ScenarioPlatformProfile pp;
      if (!r.String(e, p, "ssid", pp.ssid) || !r.OptString(e, p, "xml", pp.xml) ||
          !r.Int(e, p, "adapter", pp.adapter, 0, 63)) {
        return false;
      }
      if (static_cast<std::size_t>(pp.adapter) >= s.adapters.size()) {
        return r.Fail(p + "/adapter", "profile names adapter " + std::to_string(pp.adapter) + ", which does not exist");
      }
      s.platformProfiles.push_back(std::move(pp));
    }
  }
  if (!r.Object(doc, "", "registry", o)) return false;
  if (o != nullptr) {
    for (auto it = o->begin(); it != o->end(); ++it) {
      const std::string p = "/registry/" + it.key();
      if (!it->is_object() || it.key().empty()) {
        return r.Fail(p, "\"registry\" maps key paths below HKEY_LOCAL_MACHINE to objects of values");
      }
      if (!ReadRegistryTree(r, *it, p, it.key(), s.machineRegistry)) return false;
    }
  }
  if (!r.Array(doc, "", "events", list)) return false;
  if (list != nullptr) {
    for (std::size_t i = 0; i < list->size(); ++i) {
      ScenarioEvent ev;
      if (!ReadEvent(r, (*list)[i], "/events/" + std::to_string(i), s.adapters.size(), ev)) return false;
      s.events.push_back(std::move(ev));
    }
  }
  return true;
}

}  // namespace

bool ParseHexNumber(std::string_view text, std::uint32_t max, std::uint32_t& value) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.remove_prefix(2);
  if (text.empty() || text.size() > 8) return false;
  std::uint64_t v = 0;
  for (char c : text) {
    const int d = HexDigitValue(c);
    if (d < 0) return false;
    v = v * 16 + static_cast<std::uint64_t>(d);
  }
  if (v > max) return false;
  value = static_cast<std::uint32_t>(v);
  return true;
}

bool ParseHexBlob(std::string_view text, std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint8_t> out;
  // At most one byte per two characters: one allocation instead of growing by doubling.
  out.reserve(text.size() / 2);
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == ' ' || c == '-' || c == ':' || c == '\n' || c == '\t') {
      ++i;
      continue;
    }
    if (i + 1 >= text.size()) return false;
    const int hi = HexDigitValue(c);
    const int lo = HexDigitValue(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    i += 2;
  }
  bytes = std::move(out);
  return true;
}

ScenarioLoadResult ScenarioLoader::LoadText(std::string_view text, std::string_view sourceName) {
  ScenarioLoadResult result;
  const std::string source(sourceName);
  Json doc;
  JsonLineIndex lines;
  if (!ParseJsonText(text, source, doc, lines, result.error)) return result;
  Reader reader(source, lines);
  Scenario scenario;
  scenario.sourceName = source;
  if (!ReadDocument(reader, doc, scenario)) {
    result.error = reader.error();
    return result;
  }
  result.ok = true;
  result.scenario = std::move(scenario);
  return result;
}

ScenarioLoadResult ScenarioLoader::LoadFile(const std::string& path) {
  std::error_code ec;
  std::ifstream in;
  if (!std::filesystem::is_directory(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) {
    ScenarioLoadResult result;
    result.error = path + ":0: cannot open the scenario file";
    return result;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return LoadText(text.str(), path);
}

ScenarioLoadResult ScenarioLoader::LoadEmbedded() { return LoadText(EmbeddedDefaultScenario(), "<embedded>"); }

}  // namespace nxui::sim
