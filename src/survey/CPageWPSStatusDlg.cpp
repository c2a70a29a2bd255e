#include "survey/CPageWPSStatusDlg.h"

#include "display/StringTable.h"
#include "scan/ScanEntryDecoders.h"
#include "survey/ApDetailTexts.h"

namespace nxui {

namespace text = ap_detail_text;

CPageWPSStatusDlg::CPageWPSStatusDlg(const StringTable& strings) {
  state_.authLabel = strings.LoadString(string_id::kAuthenticationTypeLabel);
  state_.cipherLabel = strings.LoadString(string_id::kEncryptionTypeLabel);
  state_.configMethodsLabel = text::kConfigMethods;
  state_.devicePasswordIdLabel = text::kDevicePasswordId;
  state_.selectedRegistrarLabel = text::kSelectedRegistrar;
  state_.stateLabel = text::kState;
  state_.versionLabel = text::kVersion;
  state_.apSetupLockedLabel = text::kApSetupLocked;
  state_.uuidELabel = text::kUuidE;
  state_.rfBandsLabel = text::kRfBands;
}

void CPageWPSStatusDlg::Fill(const WpsDecode& wps, const std::string& authentication, const std::string& encryption) {
  const auto fields = FormatWpsFields(wps);
  state_.authentication = authentication;
  state_.encryption = encryption;
  state_.configMethods = fields[0];
  state_.devicePasswordId = fields[1] == text::kUnknown ? std::string() : fields[1];
  state_.selectedRegistrar = fields[2];
  state_.state = fields[3];
  state_.version = fields[4];
  state_.apSetupLocked = fields[5];
  state_.uuidE = fields[6];
  state_.rfBands = fields[7];
}

}  // namespace nxui
