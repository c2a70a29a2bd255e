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
// element are handed on.
template <typename Each>
bool ReadSuiteList(ByteReader& reader, Each each) {
  std::uint16_t count = 0;
  if (!reader.le16(count)) return false;
  for (std::uint16_t i = 0; i < count; ++i) {
    SuiteSelector suite;
    if (!ReadSuite(reader, suite)) return false;
    each(suite);
  }
  return true;
}

bool VisitSuitesFrom(ByteReader& reader, SuiteVisitor& visitor, SuiteFrame& frame) {
  SuiteSelector group;
  if (!reader.le16(frame.version) || !ReadSuite(reader, group)) return false;
  visitor.Group(group);
  if (reader.empty()) return true;
  if (!ReadSuiteList(reader, [&](const SuiteSelector& suite) { visitor.Pairwise(suite); })) {
    frame.truncated = true;
    return true;
  }
  if (reader.empty()) return true;
  if (!ReadSuiteList(reader, [&](const SuiteSelector& suite) { visitor.Akm(suite); })) {
    frame.truncated = true;
    return true;
  }
  reader.take(reader.remaining(), frame.tail);
  return true;
}

class SuiteCollector final : public SuiteVisitor {
 public:
  explicit SuiteCollector(KeySuites& suites) : suites_(suites) {}
  void Group(const SuiteSelector& suite) override { suites_.group = suite; }
  void Pairwise(const SuiteSelector& suite) override { suites_.pairwise.push_back(suite); }
  void Akm(const SuiteSelector& suite) override { suites_.akm.push_back(suite); }

 private:
  KeySuites& suites_;
};

template <typename Visit>
bool Collect(std::span<const std::uint8_t> body, KeySuites& out, Visit visit) {
  KeySuites result;
  SuiteCollector collector(result);
  SuiteFrame frame;
  if (!visit(body, collector, frame)) return false;
  result.vendorOui = frame.vendor.oui;
  result.vendorType = frame.vendor.type;
  result.version = frame.version;
  result.truncated = frame.truncated;
  result.tail.assign(frame.tail.begin(), frame.tail.end());
  out = std::move(result);
  return true;
}

}  // namespace

bool VisitRsnBody(std::span<const std::uint8_t> body, SuiteVisitor& visitor, SuiteFrame& frame) {
  ByteReader reader(body);
  return VisitSuitesFrom(reader, visitor, frame);
}

bool VisitWpaStyleBody(std::span<const std::uint8_t> body, SuiteVisitor& visitor, SuiteFrame& frame) {
  ByteReader reader(body);
  if (!ReadSuite(reader, frame.vendor)) return false;
  return VisitSuitesFrom(reader, visitor, frame);
}

bool ParseRsnBody(std::span<const std::uint8_t> body, KeySuites& out) { return Collect(body, out, VisitRsnBody); }

bool ParseWpaStyleBody(std::span<const std::uint8_t> body, KeySuites& out) {
  return Collect(body, out, VisitWpaStyleBody);
}

}  // namespace nxui
