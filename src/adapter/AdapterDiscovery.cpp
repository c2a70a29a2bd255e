#include "adapter/AdapterDiscovery.h"

#include <vector>

#include "adapter/AdapterListFile.h"
#include "adapter/CSelCardDlg.h"
#include "adapter/FamilyTable.h"
#include "adapter/HardwareMatch.h"
#include "adapter/ICardChooser.h"
#include "adapter/SupportedHardwareTable.h"
#include "platform/IDeviceIo.h"
#include "platform/IDeviceSetup.h"

namespace nxui {
namespace {

constexpr std::string_view kNetClass = "Net";
constexpr std::string_view kNetCfgInstanceId = "NetCfgInstanceId";

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

bool OpensAndCloses(IDeviceIo& deviceIo, std::string_view path) {
  if (path.empty()) return false;
  DeviceHandle handle = deviceIo.Open(path);
  if (handle == kInvalidDeviceHandle) return false;
  deviceIo.Close(handle);
  return true;
}

std::string FamilyDevicePath(ChipFamily family) {
  const FamilyRow* row = FindFamily(family);
  return row == nullptr ? std::string() : std::string(kDevicePathPrefix) + std::string(row->name);
}

}  // namespace

bool IsAdapterPresent(IDeviceIo& deviceIo, const AdapterContext& context) {
  return OpensAndCloses(deviceIo, context.devicePath);
}

AdapterDiscovery::AdapterDiscovery(IDeviceSetup& deviceSetup, IDeviceIo& deviceIo,
                                   std::filesystem::path adapterListFile, ICardChooser& chooser,
                                   WlanClientHandoff handoff, bool customDirectory)
    : deviceSetup_(deviceSetup),
      deviceIo_(deviceIo),
      adapterListFile_(std::move(adapterListFile)),
      chooser_(chooser),
      handoff_(std::move(handoff)),
      customDirectory_(customDirectory) {}

bool AdapterDiscovery::DiscoverAdapter(AdapterContext& context) {
  std::vector<DeviceInfo> devices;
  if (!deviceSetup_.GetPresentDevices(kNetClass, devices)) return false;
  const std::vector<AdapterListEntry> adapterList = ReadAdapterList(adapterListFile_);
  const OsGeneration os = context.osGeneration;

  std::vector<int> candidates;
  for (std::size_t i = 0; i < devices.size(); ++i) {
    const DeviceInfo& device = devices[i];
    context.usbMatched = false;
    context.pciMatched = false;
    MatchHardwareId(Upper(device.hardwareId), adapterList, context);
    if (!context.usbMatched && !context.pciMatched) continue;

    std::string path;
    if (os == kOsWin98Se || os == kOsWinMe) {
      path = FamilyDevicePath(context.family);
    } else if (os > kOsNt4) {
      std::string instanceId;
      if (!deviceSetup_.ReadDriverKeyValue(device, kNetCfgInstanceId, instanceId)) continue;
      path = std::string(kDevicePathPrefix) + instanceId;
    }
    if (OpensAndCloses(deviceIo_, path)) candidates.push_back(static_cast<int>(i));
  }
  if (candidates.empty()) return false;

  int chosen = candidates.front();
  if (candidates.size() > 1) {
    CSelCardDlg dialog(devices, candidates);
    chooser_.RunModal(dialog);
    chosen = dialog.OnOk();
  }
  const DeviceInfo& device = devices.at(static_cast<std::size_t>(chosen));

  std::string hardwareId = Upper(device.hardwareId);
  context.displayName = device.friendlyName.empty() ? device.deviceDescription : device.friendlyName;
  if (handoff_) handoff_(context.displayName, customDirectory_);
  context.hardwareId = hardwareId.substr(0, kHardwareIdLength);
  context.usbMatched = false;
  context.pciMatched = false;
  MatchHardwareId(hardwareId, adapterList, context);

  const ChipFamily family = context.family;
  context.legacyG = family == kFamilyLark || family == kFamilyLarkU;
  const bool n11Family = family == kFamilyHeronA || family == kFamilyHeron || family == kFamilyHeronU;
  context.is11n = os > kOsNt4 && n11Family;
  context.n11Kind = (os > kOsNt4 && n11Family) ? family - kFamilyHeronA + 1 : 0;

  if (os > kOsNt4) {
    std::string instanceId;
    if (!deviceSetup_.ReadDriverKeyValue(device, kNetCfgInstanceId, instanceId)) return false;
    context.devicePath = std::string(kDevicePathPrefix) + instanceId;
    context.instanceId = instanceId;
  } else if (os == kOsWin98Se || os == kOsWinMe) {
    context.devicePath = FamilyDevicePath(family);
  }

  std::string classKeyPath = std::string(os < kOsWin2000 ? kClassKeyBaseOld : kClassKeyBase) + "\\" + device.driverKey;
  if (!context.classKeyPath.empty() && context.classKeyPath != classKeyPath) context.adapterChanged = true;
  context.classKeyPath = std::move(classKeyPath);
  return true;
}

}  // namespace nxui
