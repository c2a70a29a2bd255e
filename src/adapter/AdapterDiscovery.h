// Finding the adapter: enumerate the present network devices, keep the supported ones that open,
// let the user choose when there are several, and fill the AdapterContext.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "adapter/AdapterContext.h"

namespace nxui {

class IDeviceSetup;
class IDeviceIo;
class ICardChooser;

// Hands the chosen adapter's display name and the custom-directory flag to the WLAN client.
using WlanClientHandoff = std::function<void(const std::string& displayName, bool customDirectory)>;

inline constexpr std::string_view kDevicePathPrefix = "\\\\.\\";
inline constexpr std::string_view kClassKeyBase = "System\\CurrentControlSet\\Control\\Class";
inline constexpr std::string_view kClassKeyBaseOld = "System\\CurrentControlSet\\Services\\Class";

// Opens the device path with no access rights and closes it again; true when the open succeeded.
bool IsAdapterPresent(IDeviceIo& deviceIo, const AdapterContext& context);

class AdapterDiscovery {
 public:
  // `adapterListFile` is the override beside the executable (AdapterListFilePath); it is read
  // afresh by every discovery, so that editing it needs no restart.
  AdapterDiscovery(IDeviceSetup& deviceSetup, IDeviceIo& deviceIo, std::filesystem::path adapterListFile,
                   ICardChooser& chooser, WlanClientHandoff handoff, bool customDirectory);

  // True when an adapter was chosen and the context filled. The context's osGeneration must have
  // been classified before. A failed discovery leaves what it had not yet rewritten.
  bool DiscoverAdapter(AdapterContext& context);

 private:
  IDeviceSetup& deviceSetup_;
  IDeviceIo& deviceIo_;
  std::filesystem::path adapterListFile_;
  ICardChooser& chooser_;
  WlanClientHandoff handoff_;
  bool customDirectory_;
};

}  // namespace nxui
