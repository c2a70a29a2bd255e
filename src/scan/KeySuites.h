// Cipher and key-management suites of an RSN element or of a vendor element laid out like the
// WPA element (OUI, type, then the RSN layout up to the key-management list).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace nxui {

struct SuiteSelector {
  std::uint32_t oui = 0;
  std::uint8_t type = 0;
  bool operator==(const SuiteSelector&) const = default;
};

struct KeySuites {
  std::uint32_t vendorOui = 0;  // WPA-style elements only
  std::uint8_t vendorType = 0;
  std::uint16_t version = 1;
  SuiteSelector group;
  std::vector<SuiteSelector> pairwise;
  std::vector<SuiteSelector> akm;
  std::vector<std::uint8_t> tail;  // after the key-management list (RSN capabilities, PMKIDs...)
  // A count pointed past the element: the lists hold the suites that lay inside it.
  bool truncated = false;

  bool operator==(const KeySuites&) const = default;
};

// body: the element's body (after identifier and length). False when the version or the group
// suite is not there; the lists are then left empty.
bool ParseRsnBody(std::span<const std::uint8_t> body, KeySuites& out);
bool ParseWpaStyleBody(std::span<const std::uint8_t> body, KeySuites& out);

// Receives the suites of a body in element order as they are read: the group suite, then each
// pairwise and each key-management suite that lies wholly inside the element. The parsers above
// collect them; the scan decode marks its flags from them without storing anything.
class SuiteVisitor {
 public:
  virtual ~SuiteVisitor() = default;
  virtual void Group(const SuiteSelector& suite) = 0;
  virtual void Pairwise(const SuiteSelector& suite) = 0;
  virtual void Akm(const SuiteSelector& suite) = 0;
};

// What a body holds around its suites.
struct SuiteFrame {
  SuiteSelector vendor;  // WPA-style bodies only
  std::uint16_t version = 1;
  bool truncated = false;
  std::span<const std::uint8_t> tail;
};

// False, with nothing visited, when the version or the group suite is not there.
bool VisitRsnBody(std::span<const std::uint8_t> body, SuiteVisitor& visitor, SuiteFrame& frame);
bool VisitWpaStyleBody(std::span<const std::uint8_t> body, SuiteVisitor& visitor, SuiteFrame& frame);

}  // namespace nxui
