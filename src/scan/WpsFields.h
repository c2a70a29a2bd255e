// The attributes of a WPS vendor element (00-50-F2 type 4) that the pages show.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace nxui {

namespace wps {
inline constexpr std::uint16_t kConfigMethods = 0x1008;
inline constexpr std::uint16_t kDevicePasswordId = 0x1012;
inline constexpr std::uint16_t kRfBands = 0x103C;
inline constexpr std::uint16_t kSelectedRegistrar = 0x1041;
inline constexpr std::uint16_t kState = 0x1044;
inline constexpr std::uint16_t kUuidE = 0x1047;
inline constexpr std::uint16_t kVersion = 0x104A;
inline constexpr std::uint16_t kSelectedRegistrarConfigMethods = 0x1053;
inline constexpr std::uint16_t kApSetupLocked = 0x1057;
}  // namespace wps

struct WpsFields {
  std::optional<std::uint8_t> version;
  std::optional<std::uint8_t> state;  // only 1 (unconfigured) and 2 (configured) are kept
  std::optional<bool> apSetupLocked;
  std::optional<bool> selectedRegistrar;
  std::optional<std::uint16_t> devicePasswordId;
  std::optional<std::uint16_t> selectedRegistrarConfigMethods;
  std::vector<std::array<std::uint8_t, 16>> uuidE;  // every UUID-E attribute, in order
  std::optional<std::uint16_t> configMethods;
  std::optional<std::uint8_t> rfBands;  // the last one
  // The later of Config Methods and Selected Registrar Config Methods.
  std::optional<std::uint16_t> shownConfigMethods;
};

// body: the element's body. False unless it starts with 00-50-F2 type 4. The attributes found are
// merged into out (later values overwrite, UUID-E values are appended), so that several WPS
// elements in one entry add up. Attributes are read
// only when their value lies inside the element and is at least the field's size; an attribute
// whose length runs past the element ends the attribute walk.
bool ParseWpsBody(std::span<const std::uint8_t> body, WpsFields& out);
bool IsWpsBody(std::span<const std::uint8_t> body);

}  // namespace nxui
