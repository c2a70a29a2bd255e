#include "profiles/PassphraseKey.h"

#include <openssl/evp.h>

#include <algorithm>

#include "base/HexText.h"

namespace nxui {

PreSharedKey PassphraseToPsk(std::string_view passphrase, std::string_view ssid) {
  passphrase = passphrase.substr(0, std::min<std::size_t>(passphrase.size(), 63));
  ssid = ssid.substr(0, std::min<std::size_t>(ssid.size(), 32));
  PreSharedKey key{};
  PKCS5_PBKDF2_HMAC_SHA1(passphrase.data(), static_cast<int>(passphrase.size()),
                         reinterpret_cast<const unsigned char*>(ssid.data()), static_cast<int>(ssid.size()), 4096,
                         static_cast<int>(key.size()), key.data());
  return key;
}

bool ParseHexPsk(std::string_view text, PreSharedKey& key) {
  if (text.size() != 64) return false;
  PreSharedKey parsed{};
  for (std::size_t i = 0; i < parsed.size(); ++i) {
    const int high = HexDigitValue(text[2 * i]);
    const int low = HexDigitValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    parsed[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  key = parsed;
  return true;
}

}  // namespace nxui
