#include "scan/WpsFields.h"

#include <algorithm>

#include "base/ByteReader.h"

namespace nxui {

bool IsWpsBody(std::span<const std::uint8_t> body) {
  return body.size() >= 4 && body[0] == 0x00 && body[1] == 0x50 && body[2] == 0xF2 && body[3] == 0x04;
}

bool ParseWpsBody(std::span<const std::uint8_t> body, WpsFields& out) {
  if (!IsWpsBody(body)) return false;
  WpsFields fields = out;
  ByteReader reader(body.subspan(4));
  for (;;) {
    std::uint16_t type = 0;
    std::uint16_t length = 0;
    std::span<const std::uint8_t> value;
    if (!reader.be16(type) || !reader.be16(length) || !reader.take(length, value)) break;
    ByteReader valueReader(value);
    std::uint8_t byte = 0;
    std::uint16_t word = 0;
    switch (type) {
      case wps::kConfigMethods:
        if (valueReader.be16(word)) fields.configMethods = fields.shownConfigMethods = word;
        break;
      case wps::kSelectedRegistrarConfigMethods:
        if (valueReader.be16(word)) fields.selectedRegistrarConfigMethods = fields.shownConfigMethods = word;
        break;
      case wps::kDevicePasswordId:
        if (valueReader.be16(word)) fields.devicePasswordId = word;
        break;
      case wps::kSelectedRegistrar:
        if (valueReader.u8(byte)) fields.selectedRegistrar = byte != 0;
        break;
      case wps::kState:
        if (valueReader.u8(byte) && (byte == 1 || byte == 2)) fields.state = byte;
        break;
      case wps::kVersion:
        if (valueReader.u8(byte)) fields.version = byte;
        break;
      case wps::kApSetupLocked:
        if (valueReader.u8(byte)) fields.apSetupLocked = byte != 0;
        break;
      case wps::kUuidE:
        if (value.size() >= 16) {
          std::array<std::uint8_t, 16> uuid{};
          std::copy_n(value.begin(), 16, uuid.begin());
          fields.uuidE.push_back(uuid);
        }
        break;
      case wps::kRfBands:
        if (valueReader.u8(byte)) fields.rfBands = byte;
        break;
      default:
        break;
    }
  }
  out = std::move(fields);
  return true;
}

}  // namespace nxui
