#include "scan/KeySuites.h"

#include "base/ByteReader.h"

namespace nxui {

namespace {

bool ReadSuite(ByteReader& reader, SuiteSelector& suite) {
  std::span<const std::uint8_t> bytes;
  if (!reader.take(4, bytes)) return false;
  suite.oui = (static_cast<std::uint32_t>(bytes[0]) << 16) | (static_cast<std::uint32_t>(bytes[1]) << 8) | bytes[2];
  suite.type = bytes[3];
  return true;
}

// Reads a count and its suites. The count is not trusted: only suites lying wholly inside the
// element are kept.
bool ReadSuiteList(ByteReader& reader, std::vector<SuiteSelector>& suites) {
  std::uint16_t count = 0;
  if (!reader.le16(count)) return false;
  for (std::uint16_t i = 0; i < count; ++i) {
    SuiteSelector suite;
    if (!ReadSuite(reader, suite)) return false;
    suites.push_back(suite);
  }
  return true;
}

bool ParseSuitesFrom(ByteReader& reader, KeySuites& result) {
  if (!reader.le16(result.version) || !ReadSuite(reader, result.group)) return false;
  if (reader.empty()) return true;
  if (!ReadSuiteList(reader, result.pairwise)) {
    result.truncated = true;
    return true;
  }
  if (reader.empty()) return true;
  if (!ReadSuiteList(reader, result.akm)) {
    result.truncated = true;
    return true;
  }
  std::span<const std::uint8_t> rest;
  reader.take(reader.remaining(), rest);
  result.tail.assign(rest.begin(), rest.end());
  return true;
}

}  // namespace

bool ParseRsnBody(std::span<const std::uint8_t> body, KeySuites& out) {
  ByteReader reader(body);
  KeySuites result;
  if (!ParseSuitesFrom(reader, result)) return false;
  out = std::move(result);
  return true;
}

bool ParseWpaStyleBody(std::span<const std::uint8_t> body, KeySuites& out) {
  ByteReader reader(body);
  KeySuites result;
  SuiteSelector vendor;
  if (!ReadSuite(reader, vendor)) return false;
  result.vendorOui = vendor.oui;
  result.vendorType = vendor.type;
  if (!ParseSuitesFrom(reader, result)) return false;
  out = std::move(result);
  return true;
}

}  // namespace nxui
