#include "wps/WpsRegistrar.h"

#include <algorithm>

#include "wps/WpsEngine.h"
#include "wps/WpsRecords.h"

namespace nxui {

namespace {

bool IsHexText(const std::string& text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); });
}

}  // namespace

std::optional<std::string> CheckRegistrarKey(const RegistrarCredentialInput& input) {
  if (input.keyReadOnly) return std::nullopt;
  const std::string& key = input.key;
  switch (input.keyLimit) {
    case 5:
      if (key.size() != 5) return wps_text::kWepKey5;
      break;
    case 10:
      // The text names hexadecimal digits: other characters cannot become key bytes.
      if (key.size() != 10 || !IsHexText(key)) return wps_text::kWepKey10;
      break;
    case 13:
      if (key.size() != 13) return wps_text::kWepKey13;
      break;
    case 26:
      if (key.size() != 26 || !IsHexText(key)) return wps_text::kWepKey26;
      break;
    default:
      // A pass phrase is 8 to 63 characters; 64 characters can only be the key in hexadecimal.
      if (key.size() < 8 || key.size() > 64 || (key.size() == 64 && !IsHexText(key))) return wps_text::kWpaKey;
      break;
  }
  return std::nullopt;
}

RegistrarSaveResult SaveRegistrarCredential(WpsEngine& engine, const RegistrarCredentialInput& input,
                                            IRegistrarSavePrompt& prompt) {
  WpsEngineState& state = engine.MutableState();
  if (state.configMode != WpsConfigMode::Registrar || state.table.count == 0) return RegistrarSaveResult::ReadOnly;
  if (const std::optional<std::string> refused = CheckRegistrarKey(input)) {
    prompt.ShowKeyTip(*refused);
    return RegistrarSaveResult::KeyRefused;
  }
  const bool open = input.authPosition == kRegistrarOpen;
  if (open && input.encPosition == 0 && !prompt.Confirm(wps_text::kOpenRisk)) return RegistrarSaveResult::Cancelled;

  WpsCredential& credential = state.table.credentials[0];
  SetCredentialSsid(credential, input.ssid);
  SetCredentialKey(credential, "");
  if (open) {
    credential.authType = wps_auth::kOpen;
    if (input.encPosition == 1) {
      const int lengthPosition = std::clamp(input.keyLengthPosition, 0, 3);
      credential.encrType = wps_encr::kWep;
      credential.keyIndex = static_cast<std::uint32_t>(std::clamp(input.keyIndexPosition, 0, 3));
      SetCredentialKey(credential, input.key.substr(0, kRegistrarWepKeyLengths[lengthPosition]));
      credential.keyLength = static_cast<std::uint32_t>(kRegistrarWepKeyLengths[lengthPosition]);
    } else {
      credential.encrType = wps_encr::kNone;
      credential.keyLength = 0;
    }
  } else {
    credential.authType = input.authPosition == kRegistrarWpaPsk ? wps_auth::kWpaPsk : wps_auth::kWpa2Psk;
    credential.encrType = input.encPosition == 0 ? wps_encr::kTkip : wps_encr::kAes;
    credential.keyIndex = 0;
    SetCredentialKey(credential, input.key);
  }

  engine.RegistrarCredentialSaved();
  return RegistrarSaveResult::Saved;
}

}  // namespace nxui
