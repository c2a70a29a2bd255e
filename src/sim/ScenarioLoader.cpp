#include "sim/ScenarioLoader.h"

#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "adapter/Oids.h"
#include "base/HexText.h"
#include "platform/Guid.h"

namespace nxui::sim {
namespace {

using Json = nlohmann::ordered_json;

// Bounds that keep the simulation's arithmetic exact: traffic is summed in byte-milliseconds,
// event times become 32-bit millisecond timers.
constexpr std::uint64_t kMaxBytesPerSecond = 1000000000;
constexpr double kMaxEventSeconds = 3600.0 * 24 * 40;

// Finds the line of every value in an already validated JSON text, keyed by JSON pointer, so
// that semantic errors can name the line of the offending member.
class LineIndex {
 public:
  explicit LineIndex(std::string_view text) : text_(text) {
    SkipBlanks();
    Value("", 0);
  }
  int LineOf(const std::string& pointer) const {
    // The member itself, else its nearest recorded parent.
    std::string p = pointer;
    for (;;) {
      auto it = lines_.find(p);
      if (it != lines_.end()) return it->second;
      const auto slash = p.rfind('/');
      if (slash == std::string::npos) return 1;
      p.resize(slash);
    }
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
      } else if (c != ' ' && c != '\t' && c != '\r') {
        break;
      }
      ++pos_;
    }
  }
  std::string String() {
    std::string out;
    if (pos_ >= text_.size() || text_[pos_] != '"') return out;
    ++pos_;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      if (text_[pos_] == '\\' && pos_ + 1 < text_.size()) {
        out += text_[pos_ + 1];
        pos_ += 2;
        continue;
      }
      out += text_[pos_++];
    }
    ++pos_;
    return out;
  }
  static std::string Escape(const std::string& key) {
    std::string out;
    for (char c : key) {
      if (c == '~') {
        out += "~0";
      } else if (c == '/') {
        out += "~1";
      } else {
        out += c;
      }
    }
    return out;
  }
  void Value(const std::string& path, int depth) {
    if (pos_ >= text_.size() || depth > 256) return;
    lines_.emplace(path, line_);
    const char c = text_[pos_];
    if (c == '{') {
      ++pos_;
      SkipBlanks();
      while (pos_ < text_.size() && text_[pos_] != '}') {
        const std::string key = String();
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ':') ++pos_;
        SkipBlanks();
        Value(path + "/" + Escape(key), depth + 1);
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
        SkipBlanks();
      }
      ++pos_;
    } else if (c == '[') {
      ++pos_;
      SkipBlanks();
      int index = 0;
      while (pos_ < text_.size() && text_[pos_] != ']') {
        Value(path + "/" + std::to_string(index++), depth + 1);
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
        SkipBlanks();
      }
      ++pos_;
    } else if (c == '"') {
      String();
    } else {
      while (pos_ < text_.size() && std::string_view(",}] \t\r\n").find(text_[pos_]) == std::string_view::npos) {
        ++pos_;
      }
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::map<std::string, int> lines_;
};

// Walks the document; the first error wins and stops the walk.
class Reader {
 public:
  Reader(std::string source, const LineIndex& lines) : source_(std::move(source)), lines_(lines) {}

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
  bool Int(const Json& parent, const std::string& pointer, const char* key, int& out, long long min, long long max) {
    auto it = parent.find(key);
    if (it == parent.end()) return true;
    const std::string p = pointer + "/" + key;
    if (!it->is_number_integer()) return Fail(p, Name(p) + " must be an integer");
    const long long v = it->get<long long>();
    if (v < min || v > max) {
      return Fail(p, Name(p) + " must be between " + std::to_string(min) + " and " + std::to_string(max));
    }
    out = static_cast<int>(v);
    return true;
  }
  bool U64(const Json& parent, const std::string& pointer, const char* key, std::uint64_t& out, std::uint64_t max) {
    auto it = parent.find(key);
    if (it == parent.end()) return true;
    const std::string p = pointer + "/" + key;
    if (!it->is_number_integer() || it->get<long long>() < 0 || it->get<std::uint64_t>() > max) {
      return Fail(p, Name(p) + " must be an integer between 0 and " + std::to_string(max));
    }
    out = it->get<std::uint64_t>();
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
  bool Enum(const Json& parent, const std::string& pointer, const char* key, std::string& out,
            std::initializer_list<const char*> allowed) {
    std::string v = out;
    if (!String(parent, pointer, key, v)) return false;
    if (!parent.contains(key)) return true;
    std::string list;
    for (const char* a : allowed) {
      if (v == a) {
        out = v;
        return true;
      }
      list += list.empty() ? "" : ", ";
      list += a;
    }
    const std::string p = pointer + "/" + key;
    return Fail(p, "unknown " + Name(p) + " value \"" + v + "\" (expected one of: " + list + ")");
  }
  bool Mac(const Json& parent, const std::string& pointer, const char* key, std::string& out) {
    std::string v = out;
    if (!String(parent, pointer, key, v)) return false;
    std::uint8_t mac[6];
    if (parent.contains(key) && !ParseMacText(v, mac)) {
      const std::string p = pointer + "/" + key;
      return Fail(p, "malformed MAC address " + Name(p) + ": \"" + v + "\"");
    }
    out = v;
    return true;
  }
  bool HexText(const Json& parent, const std::string& pointer, const char* key, std::string& out, std::uint32_t max) {
    std::string v = out;
    if (!String(parent, pointer, key, v)) return false;
    std::uint32_t number = 0;
    if (parent.contains(key) && !ParseHexNumber(v, max, number)) {
      const std::string p = pointer + "/" + key;
      return Fail(p, "malformed hex number " + Name(p) + ": \"" + v + "\"");
    }
    out = v;
    return true;
  }
  bool IntList(const Json& parent, const std::string& pointer, const char* key, std::vector<int>& out, long long min,
               long long max) {
    const Json* list = nullptr;
    if (!Array(parent, pointer, key, list) || list == nullptr) return !failed();
    std::vector<int> values;
    for (std::size_t i = 0; i < list->size(); ++i) {
      const std::string p = pointer + "/" + key + "/" + std::to_string(i);
      const Json& v = (*list)[i];
      if (!v.is_number_integer() || v.get<long long>() < min || v.get<long long>() > max) {
        return Fail(p, "entries of " + Name(pointer + "/" + key) + " must be integers between " + std::to_string(min) +
                           " and " + std::to_string(max));
      }
      values.push_back(v.get<int>());
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
  const LineIndex& lines_;
  std::string error_;
};

bool ReadOs(Reader& r, const Json& doc, ScenarioOs& os) {
  const Json* o = nullptr;
  if (!r.Object(doc, "", "os", o) || o == nullptr) return !r.failed();
  const std::string p = "/os";
  return r.Int(*o, p, "major", os.major, 0, 255) && r.Int(*o, p, "minor", os.minor, 0, 255) &&
         r.Int(*o, p, "build", os.build, 0, 0xFFFF) && r.Int(*o, p, "platformId", os.platformId, 1, 2) &&
         r.Enum(*o, p, "productType", os.productType, {"workstation", "server", "domainController"}) &&
         r.Bool(*o, p, "admin", os.admin) && r.Bool(*o, p, "wow64", os.wow64) &&
         r.Bool(*o, p, "extendedVersionInfo", os.extendedVersionInfo);
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
  if (!r.Int(*o, p, "ndisVersion", d.ndisVersion, 0, 0xFFFF) ||
      !ReadVersionPair(r, *o, p, "eepromVersion", d.eepromVersion) ||
      !ReadVersionPair(r, *o, p, "firmwareVersion", d.firmwareVersion) ||
      !r.Int(*o, p, "rssiChains", d.rssiChains, 1, 3) || !r.Int(*o, p, "noise", d.noise, -143, 0) ||
      !r.Int(*o, p, "opMode", d.opMode, 0, 1) || !r.Int(*o, p, "txPowerPercent", d.txPowerPercent, 0, 100) ||
      !r.Bool(*o, p, "is11n", d.is11n) || !r.StringList(*o, p, "failingOids", d.failingOids)) {
    return false;
  }
  for (std::size_t i = 0; i < d.failingOids.size(); ++i) {
    std::uint32_t code = 0;
    if (OidFromName(d.failingOids[i].c_str()) == 0 && !ParseHexNumber(d.failingOids[i], 0xFFFFFFFF, code)) {
      return r.Fail(p + "/failingOids/" + std::to_string(i), "unknown OID \"" + d.failingOids[i] + "\"");
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

bool ReadAdapter(Reader& r, const Json& a, const std::string& p, ScenarioAdapter& ad) {
  if (!a.is_object()) return r.Fail(p, "an adapter must be an object");
  if (!r.String(a, p, "hardwareId", ad.hardwareId) || !r.String(a, p, "friendlyName", ad.friendlyName) ||
      !r.String(a, p, "deviceDescription", ad.deviceDescription) || !r.String(a, p, "location", ad.location) ||
      !r.String(a, p, "manufacturer", ad.manufacturer) || !r.String(a, p, "instanceId", ad.instanceId) ||
      !r.String(a, p, "driverKey", ad.driverKey) || !r.Mac(a, p, "mac", ad.mac) ||
      !r.Bool(a, p, "present", ad.present) || !r.StringList(a, p, "bands", ad.bands) ||
      !ReadDriver(r, a, p, ad.driver)) {
    return false;
  }
  if (!Guid::Parse(ad.instanceId) || ad.instanceId.front() != '{') {
    return r.Fail(p + "/instanceId", "malformed GUID \"" + ad.instanceId + "\" (expected {xxxxxxxx-xxxx-...})");
  }
  if (ad.driverKey.empty()) return r.Fail(p + "/driverKey", "\"driverKey\" must not be empty");
  for (std::size_t i = 0; i < ad.bands.size(); ++i) {
    if (ad.bands[i] != "2.4GHz" && ad.bands[i] != "5GHz") {
      return r.Fail(p + "/bands/" + std::to_string(i),
                    "unknown band \"" + ad.bands[i] + "\" (expected 2.4GHz or 5GHz)");
    }
  }
  const Json* reg = nullptr;
  if (!r.Object(a, p, "registry", reg)) return false;
  if (reg != nullptr) {
    ad.registry.clear();
    for (auto it = reg->begin(); it != reg->end(); ++it) {
      if (it->is_string()) {
        ad.registry.emplace_back(it.key(), it->get<std::string>());
      } else if (it->is_number_integer()) {
        ad.registry.emplace_back(it.key(), std::to_string(it->get<long long>()));
      } else {
        return r.Fail(p + "/registry/" + it.key(), "registry value \"" + it.key() + "\" must be a text or an integer");
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
    if (!r.String(c, cp, "ssid", credential.ssid) ||
        !r.Enum(c, cp, "auth", credential.auth,
                {"open", "shared", "wpa", "wpa-psk", "wpa2", "wpa2-psk", "wpa-psk+wpa2-psk"}) ||
        !r.Enum(c, cp, "cipher", credential.cipher, {"none", "wep", "tkip", "aes", "tkip+aes"}) ||
        !r.String(c, cp, "key", credential.key) || !r.Int(c, cp, "keyIndex", credential.keyIndex, 0, 3) ||
        !r.Mac(c, cp, "mac", credential.mac)) {
      return false;
    }
    if (credential.ssid.size() > 32) return r.Fail(cp + "/ssid", "\"ssid\" must be at most 32 bytes");
    if (credential.key.size() > 64) return r.Fail(cp + "/key", "\"key\" must be at most 64 bytes");
    credentials.push_back(credential);
  }
  if (credentials.size() > 8) return r.Fail(wp + "/credentials", "at most 8 credentials");
  wps.credentials = credentials;
  return true;
}

bool ReadNetwork(Reader& r, const Json& n, const std::string& p, ScenarioNetwork& net) {
  if (!n.is_object()) return r.Fail(p, "a network must be an object");
  int frequency = -1;
  bool privacy = false;
  if (!r.String(n, p, "ssid", net.ssid) || !r.OptString(n, p, "ssidHex", net.ssidHex) ||
      !r.Mac(n, p, "bssid", net.bssid) || !r.Int(n, p, "channel", net.channel, 0, 255) ||
      !r.Int(n, p, "frequencyKhz", frequency, 0, 7000000) || !r.Int(n, p, "rssi", net.rssi, -200, 0) ||
      !r.Enum(n, p, "bssType", net.bssType, {"infrastructure", "independent"}) ||
      !r.Enum(n, p, "phy", net.phy, {"a", "b", "g", "n"}) ||
      !r.Int(n, p, "beaconPeriod", net.beaconPeriod, 1, 0xFFFF) || !r.IntList(n, p, "rates", net.rates, 1, 255) ||
      !r.Bool(n, p, "privacy", privacy) || !r.Bool(n, p, "ccx", net.ccx) || !r.OptString(n, p, "ies", net.ies) ||
      !r.OptString(n, p, "capture", net.capture)) {
    return false;
  }
  if (!n.contains("bssid")) return r.Fail(p, "a network needs a \"bssid\"");
  if (frequency >= 0) net.frequencyKhz = static_cast<std::uint32_t>(frequency);
  if (n.contains("privacy")) net.privacy = privacy;
  std::vector<std::uint8_t> bytes;
  if (net.ssidHex && (!ParseHexBlob(*net.ssidHex, bytes) || bytes.size() > 32)) {
    return r.Fail(p + "/ssidHex", "malformed \"ssidHex\" (up to 32 bytes as hex digits)");
  }
  if (net.ies && !ParseHexBlob(*net.ies, bytes)) return r.Fail(p + "/ies", "malformed hex in \"ies\"");

  const Json* o = nullptr;
  if (!r.Object(n, p, "security", o)) return false;
  if (o != nullptr) {
    const std::string sp = p + "/security";
    auto& s = net.security;
    if (!r.Enum(*o, sp, "auth", s.auth,
                {"open", "shared", "wpa", "wpa-psk", "wpa2", "wpa2-psk", "wpa-psk+wpa2-psk", "wpa-none"}) ||
        !r.Enum(*o, sp, "cipher", s.cipher, {"none", "wep", "tkip", "aes", "tkip+aes"}) ||
        !r.String(*o, sp, "passphrase", s.passphrase) || !r.StringList(*o, sp, "wepKeys", s.wepKeys) ||
        !r.Int(*o, sp, "wepKeyIndex", s.wepKeyIndex, 0, 3)) {
      return false;
    }
  }
  if (!r.Object(n, p, "ht", o)) return false;
  if (o != nullptr) {
    const std::string hp = p + "/ht";
    ScenarioHt ht;
    if (!r.HexText(*o, hp, "capabilities", ht.capabilities, 0xFFFF) || !r.HexText(*o, hp, "ampdu", ht.ampdu, 0xFF) ||
        !r.Int(*o, hp, "primaryChannel", ht.primaryChannel, 0, 255) ||
        !r.Int(*o, hp, "secondaryOffset", ht.secondaryOffset, 0, 3) || !r.Int(*o, hp, "width", ht.width, 20, 40)) {
      return false;
    }
    if (ht.width != 20 && ht.width != 40) return r.Fail(hp + "/width", "\"width\" must be 20 or 40");
    net.ht = ht;
  }
  if (!r.Object(n, p, "wps", o)) return false;
  if (o != nullptr) {
    const std::string wp = p + "/wps";
    ScenarioWps wps;
    int rfBands = -1;
    if (!r.HexText(*o, wp, "version", wps.version, 0xFF) || !r.Int(*o, wp, "state", wps.state, 1, 2) ||
        !r.HexText(*o, wp, "configMethods", wps.configMethods, 0xFFFF) ||
        !r.OptString(*o, wp, "devicePasswordId", wps.devicePasswordId) ||
        !r.Bool(*o, wp, "selectedRegistrar", wps.selectedRegistrar) || !r.String(*o, wp, "uuidE", wps.uuidE) ||
        !r.Int(*o, wp, "rfBands", rfBands, 0, 255) || !r.Bool(*o, wp, "apSetupLocked", wps.apSetupLocked)) {
      return false;
    }
    std::uint32_t v = 0;
    if (wps.devicePasswordId && !ParseHexNumber(*wps.devicePasswordId, 0xFFFF, v)) {
      return r.Fail(wp + "/devicePasswordId", "malformed hex number \"devicePasswordId\"");
    }
    if (!wps.uuidE.empty() && (!ParseHexBlob(wps.uuidE, bytes) || bytes.size() != 16)) {
      return r.Fail(wp + "/uuidE", "\"uuidE\" must be 32 hex digits");
    }
    if (rfBands >= 0) wps.rfBands = rfBands;
    if (!ReadWpsRun(r, *o, wp, wps)) return false;
    net.wps = wps;
  }
  if (!r.Object(n, p, "ip", o)) return false;
  if (o != nullptr) {
    const std::string ip = p + "/ip";
    const char* keys[] = {"address", "mask", "gateway", "apAddress"};
    std::string* fields[] = {&net.ip.address, &net.ip.mask, &net.ip.gateway, &net.ip.apAddress};
    for (int i = 0; i < 4; ++i) {
      if (!r.String(*o, ip, keys[i], *fields[i])) return false;
      unsigned b[4];
      char tail;
      if (std::sscanf(fields[i]->c_str(), "%u.%u.%u.%u%c", &b[0], &b[1], &b[2], &b[3], &tail) != 4 || b[0] > 255 ||
          b[1] > 255 || b[2] > 255 || b[3] > 255) {
        return r.Fail(ip + "/" + keys[i], "malformed IPv4 address \"" + *fields[i] + "\"");
      }
    }
  }
  if (!r.Object(n, p, "link", o)) return false;
  if (o != nullptr) {
    const std::string lp = p + "/link";
    auto& l = net.link;
    if (!r.HexText(*o, lp, "txRate", l.txRate, 0xFFFF) || !r.HexText(*o, lp, "rxRate", l.rxRate, 0xFFFF) ||
        !r.Int(*o, lp, "quality", l.quality, 0, 100) || !r.IntList(*o, lp, "snr", l.snr, 0, 255) ||
        !r.U64(*o, lp, "txBytesPerSecond", l.txBytesPerSecond, kMaxBytesPerSecond) ||
        !r.U64(*o, lp, "rxBytesPerSecond", l.rxBytesPerSecond, kMaxBytesPerSecond)) {
      return false;
    }
  }
  return true;
}

const char* const kEventActions[] = {"unplug",      "plug",           "icv-error",       "icv-clear",
                                     "add-network", "remove-network", "press-wps-button"};

bool ReadEvent(Reader& r, const Json& e, const std::string& p, std::size_t adapterCount, ScenarioEvent& ev) {
  if (!e.is_object()) return r.Fail(p, "an event must be an object");
  if (!e.contains("at") || !e.contains("do")) return r.Fail(p, "an event needs \"at\" and \"do\"");
  if (!r.Double(e, p, "at", ev.at) || !r.String(e, p, "do", ev.action) || !r.Int(e, p, "adapter", ev.adapter, 0, 63)) {
    return false;
  }
  if (ev.at > kMaxEventSeconds) return r.Fail(p + "/at", "\"at\" must be at most 40 days (3456000 s)");
  bool known = false;
  for (const char* a : kEventActions) known = known || ev.action == a;
  if (!known) return r.Fail(p + "/do", "unknown event \"" + ev.action + "\"");
  if (static_cast<std::size_t>(ev.adapter) >= adapterCount && ev.action != "add-network" &&
      ev.action != "remove-network") {
    return r.Fail(p + "/adapter", "event names adapter " + std::to_string(ev.adapter) + ", which does not exist");
  }
  if (ev.action == "add-network") {
    const Json* n = nullptr;
    if (!r.Object(e, p, "network", n)) return false;
    if (n == nullptr) return r.Fail(p, "\"add-network\" needs a \"network\"");
    ScenarioNetwork net;
    if (!ReadNetwork(r, *n, p + "/network", net)) return false;
    ev.network = net;
  }
  if (ev.action == "remove-network") {
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

bool ParseMacText(std::string_view text, std::uint8_t (&mac)[6]) {
  if (text.size() != 17) return false;
  for (int i = 0; i < 6; ++i) {
    const int hi = HexDigitValue(text[static_cast<std::size_t>(i * 3)]);
    const int lo = HexDigitValue(text[static_cast<std::size_t>(i * 3 + 1)]);
    if (hi < 0 || lo < 0) return false;
    if (i < 5) {
      const char sep = text[static_cast<std::size_t>(i * 3 + 2)];
      if (sep != '-' && sep != ':') return false;
    }
    mac[i] = static_cast<std::uint8_t>(hi * 16 + lo);
  }
  return true;
}

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
  Json doc = Json::parse(text.begin(), text.end(), nullptr, false);
  if (doc.is_discarded()) {
    // The parser's own position: re-run the lexer on prefixes is costly, so ask the SAX
    // interface, which reports the byte where parsing stopped.
    struct Sax : nlohmann::json_sax<Json> {
      std::size_t errorByte = 0;
      std::string message;
      bool null() override { return true; }
      bool boolean(bool) override { return true; }
      bool number_integer(number_integer_t) override { return true; }
      bool number_unsigned(number_unsigned_t) override { return true; }
      bool number_float(number_float_t, const string_t&) override { return true; }
      bool string(string_t&) override { return true; }
      bool binary(binary_t&) override { return true; }
      bool start_object(std::size_t) override { return true; }
      bool key(string_t&) override { return true; }
      bool end_object() override { return true; }
      bool start_array(std::size_t) override { return true; }
      bool end_array() override { return true; }
      bool parse_error(std::size_t position, const std::string& last, const nlohmann::detail::exception& ex) override {
        errorByte = position;
        message = ex.what();
        (void)last;
        return false;
      }
    } sax;
    Json::sax_parse(text.begin(), text.end(), &sax);
    int line = 1;
    const std::size_t end = sax.errorByte == 0 ? 0 : std::min(sax.errorByte - 1, text.size());
    for (std::size_t i = 0; i < end; ++i) {
      if (text[i] == '\n') ++line;
    }
    // Keep only the parser's description, without its own position text.
    std::string what = sax.message;
    if (auto colon = what.find(": syntax error"); colon != std::string::npos) what = what.substr(colon + 2);
    if (auto at = what.find(" at line "); at != std::string::npos) {
      if (auto colon2 = what.find(": ", at); colon2 != std::string::npos)
        what = what.substr(0, at) + what.substr(colon2);
    }
    result.error = source + ":" + std::to_string(line) + ": " + (what.empty() ? "syntax error" : what);
    return result;
  }
  LineIndex lines(text);
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
  std::ifstream in(path, std::ios::binary);
  if (!in) {
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
