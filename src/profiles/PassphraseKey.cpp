#include "profiles/PassphraseKey.h"

#include <algorithm>

#include "base/Crypto.h"
#include "base/HexText.h"

namespace nxui {

bool PassphraseToPsk(std::string_view passphrase, std::string_view ssid, PreSharedKey& key) {
  passphrase = passphrase.substr(0, std::min<std::size_t>(passphrase.size(), 63));
  ssid = ssid.substr(0, std::min<std::size_t>(ssid.size(), 32));
  const std::span salt(reinterpret_cast<const std::uint8_t*>(ssid.data()), ssid.size());
  return CryptoLibrary::Process().Pbkdf2HmacSha1(passphrase, salt, 4096, key);
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
