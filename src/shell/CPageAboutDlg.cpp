#include "shell/CPageAboutDlg.h"

#include <array>
#include <cstdio>
#include <utility>

#include "adapter/AdapterContext.h"
#include "adapter/DriverRequestPort.h"
#include "adapter/FamilyTable.h"
#include "adapter/Oids.h"
#include "display/StringTable.h"
#include "platform/IEventLoop.h"
#include "platform/IShell.h"
#include "platform/Platform.h"

namespace nxui {

std::string FormatFileVersion(const FileVersion& version) {
  char text[64];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d\n", version.major, version.minor, version.build, version.revision);
  return text;
}

std::string FormatFileDate(const SystemTime& time) {
  char text[64];
  std::snprintf(text, sizeof text, "%02d-%02d-%04d", time.month, time.day, time.year);
  return text;
}

CPageAboutDlg::CPageAboutDlg(Platform& platform, const AdapterContext& context, DriverRequestPort& driver,
                             const StringTable& strings, std::optional<ProgramVersionResource> program)
    : platform_(platform), context_(context), driver_(driver), strings_(strings), program_(std::move(program)) {}

void CPageAboutDlg::OnInitDialog() {
  namespace id = string_id;
  state_.utilityVersion.label = strings_.LoadString(id::kUtilityVersion);
  state_.utilityDate.label = strings_.LoadString(id::kDate);
  state_.driverVersion.label = strings_.LoadString(id::kDriverVersion);
  state_.driverDate.label = strings_.LoadString(id::kDate);
  state_.eepromVersion.label = strings_.LoadString(id::kEepromVersion);
  state_.firmwareVersion.label = strings_.LoadString(id::kFirmwareVersion);
  state_.firmwareVersion.visible = false;
  state_.macAddress.label = strings_.LoadString(id::kPhyAddress);
  state_.linkCaption = strings_.LoadString(id::kMakerWebAddress);
}

void CPageAboutDlg::OnShow() {
  // Values come from this showing only: a resource that went missing leaves its value empty.
  for (AboutLine* line : {&state_.utilityVersion, &state_.utilityDate, &state_.driverVersion, &state_.driverDate}) {
    line->value.clear();
  }
  state_.legalNotice.clear();
  FillProgram();
  FillDriver();
  FillAdapter();
}

void CPageAboutDlg::FillProgram() {
  ISystemInfo& system = platform_.systemInfo;
  if (!program_) return;
  state_.utilityVersion.value = FormatFileVersion(program_->fileVersion);
  state_.legalNotice = program_->legalCopyright;
  SystemTime modified;
  if (system.GetFileModificationTime(system.GetModuleFileName(), modified)) {
    state_.utilityDate.value = FormatFileDate(modified);
  }
}

CPageAboutDlg::DriverImage CPageAboutDlg::ChooseDriverImage(const std::string& systemDirectory,
                                                            const AdapterContext& context) {
  const FamilyRow* row = FindFamily(context.family);
  if (row == nullptr) return {};
  auto image = [row](DriverImageColumn column) {
    return std::string(row->driverImages[static_cast<std::size_t>(column)]);
  };

  std::string name;
  std::string folder = "\\drivers\\";
  bool redirectionOff = false;
  switch (context.osGeneration) {
    case kOsVista:
      name = image(context.isWow64 ? DriverImageColumn::Vista64 : DriverImageColumn::Vista32);
      redirectionOff = context.isWow64;
      break;
    case kOsXp64:
      name = image(DriverImageColumn::XpServer2003);
      redirectionOff = context.isWow64;
      break;
    case kOsWinXp:
    case kOsServer2003:
    case kOsOtherWorkstation:
    case kOsOtherServer:
      name = image(DriverImageColumn::XpServer2003);
      break;
    case kOsWin2000:
      name = image(DriverImageColumn::Win2000);
      break;
    case kOsWin98:
    case kOsWin98Se:
    case kOsWinMe:
    case kOsNt4:
      name = image(DriverImageColumn::Win9xNt4);
      folder = "\\";
      break;
    default:  // Windows 95 and unclassified systems have no driver file to read
      return {};
  }
  if (name.empty()) return {};
  return {systemDirectory + folder + name, redirectionOff};
}

void CPageAboutDlg::FillDriver() {
  ISystemInfo& system = platform_.systemInfo;
  const DriverImage image = ChooseDriverImage(system.GetSystemDirectory(), context_);
  state_.driverImagePath = image.path;
  if (image.path.empty()) return;

  // A 32-bit program on 64-bit Windows would otherwise read the redirected (32-bit) directory.
  if (image.redirectionOff) system.EnableWow64FsRedirection(false);
  FileVersion version;
  SystemTime modified;
  const bool hasVersion = system.GetFileVersion(image.path, version);
  const bool hasDate = hasVersion && system.GetFileModificationTime(image.path, modified);
  if (image.redirectionOff) system.EnableWow64FsRedirection(true);

  if (!hasVersion) return;
  state_.driverVersion.value = FormatFileVersion(version);
  if (hasDate) state_.driverDate.value = FormatFileDate(modified);
}

void CPageAboutDlg::FillAdapter() {
  char text[64];

  std::array<std::uint8_t, 4> eeprom{};
  if (driver_.Query(OID_WLAN_EEPROM_VERSION, eeprom)) {
    std::snprintf(text, sizeof text, "%d.%d\n", eeprom[0], eeprom[1]);
    state_.eepromVersion.value = text;
    state_.eepromVersion.visible = true;
  } else {
    state_.eepromVersion.visible = false;
  }

  std::array<std::uint8_t, 6> mac{};
  driver_.Query(OID_802_3_CURRENT_ADDRESS, mac);
  std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
  state_.macAddress.value = text;

  if (context_.family >= kFamilyTern && context_.family <= kFamilyHeronU) {
    std::array<std::uint8_t, 4> firmware{};
    if (driver_.Query(OID_WLAN_FIRMWARE_VERSION, firmware)) {
      std::snprintf(text, sizeof text, "%d.%d\n", firmware[1], firmware[0]);
      state_.firmwareVersion.value = text;
      state_.firmwareVersion.visible = true;
    } else {
      state_.firmwareVersion.visible = false;
    }
  }
}

void CPageAboutDlg::OnLinkClicked() {
  IShell& shell = platform_.shell;
  std::string address = strings_.LoadString(string_id::kMakerWebAddress);
  if (address.empty()) return;
  platform_.loop.RunOnWorker([&shell, address = std::move(address)] { shell.Open(address); });
}

}  // namespace nxui
