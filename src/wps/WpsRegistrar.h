// The registrar's own credential as the detail view edits it: the key check with its exact texts,
// the question for an open network, and the save into credential 0.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace nxui {

class WpsEngine;

namespace wps_text {
inline constexpr const char* kWepKey5 = "WEP 密钥长度非法。 WEP 密钥应该为5位ASCII字符。";
inline constexpr const char* kWepKey10 = "WEP 密钥长度非法。 WEP 密钥应该为10位16进制数字。";
inline constexpr const char* kWepKey13 = "WEP 密钥长度非法。 WEP 密钥应该为13位ASCII字符。";
inline constexpr const char* kWepKey26 = "WEP 密钥长度非法。 WEP 密钥应该为26位16进制数字。";
inline constexpr const char* kWpaKey = "WPA 预共享密钥非法。 WPA-PSK 应位64位16进制数字。";
inline constexpr const char* kOpenRisk = "您的配置尚存在风险。";
}  // namespace wps_text

// The detail view's lists: authentication "Open", "WPA-PSK", "WPA2-PSK"; encryption "无", "WEP"
// (Open) or "TKIP", "AES" (WPA); WEP key length "5", "10", "13", "26"; key index "1" to "4".
enum RegistrarAuthPosition : int { kRegistrarOpen = 0, kRegistrarWpaPsk = 1, kRegistrarWpa2Psk = 2 };
inline constexpr std::size_t kRegistrarWepKeyLengths[4] = {5, 10, 13, 26};
inline constexpr std::size_t kRegistrarWpaKeyLimit = 64;

struct RegistrarCredentialInput {
  std::string ssid;
  int authPosition = kRegistrarWpa2Psk;
  int encPosition = 1;
  int keyLengthPosition = 0;  // WEP only
  int keyIndexPosition = 0;   // WEP only: the key index
  std::string key;
  std::size_t keyLimit = kRegistrarWpaKeyLimit;  // the key field's limit: 5, 10, 13, 26 or 64
  bool keyReadOnly = false;                      // open with no encryption: the key is not checked
};

// The text a refused key shows at the key field; nullopt when the key may be saved. The limits
// 5, 10, 13 and 26 need exactly that many characters (10 and 26 hexadecimal digits); 64 needs
// 8 to 63 characters of pass phrase or 64 hexadecimal digits.
std::optional<std::string> CheckRegistrarKey(const RegistrarCredentialInput& input);

// How the detail view asks.
class IRegistrarSavePrompt {
 public:
  virtual ~IRegistrarSavePrompt() = default;
  // A pop-up tip at the key field, with the focus there.
  virtual void ShowKeyTip(const std::string& text) = 0;
  // OK / Cancel with the question icon; true for OK.
  virtual bool Confirm(const std::string& text) = 0;
};

enum class RegistrarSaveResult {
  Saved,       // credential 0 replaced; the view returns to the previous one
  KeyRefused,  // the tip was shown; the view stays open
  Cancelled,   // the open-network question was answered Cancel; the view stays open
  ReadOnly,    // enrollee mode, or registrar without a credential: "OK" only returns
};

// "OK" of the detail view.
RegistrarSaveResult SaveRegistrarCredential(WpsEngine& engine, const RegistrarCredentialInput& input,
                                            IRegistrarSavePrompt& prompt);

}  // namespace nxui
