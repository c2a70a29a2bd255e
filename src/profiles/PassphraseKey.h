// The IEEE 802.11i pass-phrase-to-PSK mapping: PBKDF2 with HMAC-SHA1, 4096 iterations, the network
// name as salt, 32 bytes of key.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace nxui {

using PreSharedKey = std::array<std::uint8_t, 32>;

// `passphrase` is taken up to 63 characters and `ssid` up to 32 bytes, the limits of the mapping.
// False (and `key` untouched) when the key cannot be derived: the crypto library is missing.
bool PassphraseToPsk(std::string_view passphrase, std::string_view ssid, PreSharedKey& key);

// 64 hexadecimal digits as the key itself; false (and `key` untouched) for any other text.
bool ParseHexPsk(std::string_view text, PreSharedKey& key);

}  // namespace nxui
