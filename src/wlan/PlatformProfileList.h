// The platform service's own ordered profile list for the adapter's interface: the utility writes
// one profile when it connects (named after the network, first in the list) and removes it when
// the matching utility profile is deleted or a WPS run starts.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "adapter/ConnectionSettings.h"
#include "platform/IEventLoop.h"
#include "platform/IWlanApi.h"
#include "wlan/WlanProfileBuilder.h"

namespace nxui {

// What the connect sequence did.
enum class ProfileConnectPath {
  kProfile,            // profile written, moved first, connected in profile mode
  kInteractiveEditor,  // 802.1X: profile written, the platform's editor opened
  kEditorAlreadyOpen,  // 802.1X while an editor is open: nothing done
  kDiscovery,          // connected to a surveyed access point without a stored profile
  kDocumentRejected,   // the document could not be built: nothing written, no connection
};

class PlatformProfileList {
 public:
  // The handle and GUID are the session's; they are read at each call, so a rebinding session
  // is followed. `allUsers` writes profiles for all users (custom settings directory).
  PlatformProfileList(IWlanApi& api, IEventLoop& loop, const WlanHandle& clientHandle, const Guid& interfaceGuid,
                      bool allUsers);

  void SetAllUsers(bool allUsers) { allUsers_ = allUsers; }

  // Results of the platform calls do not change what callers do next (a rejected document shows
  // up as a failed connect), so these return nothing but the call's code for diagnostics.
  DWORD SetProfile(std::string_view xml);
  DWORD DeleteProfile(std::string_view name);
  // Every profile of the interface; a failed list query deletes nothing.
  void DeleteAllProfiles();
  DWORD SetProfilePosition(std::string_view name, DWORD position);
  // 1 when a profile of exactly this name (case-sensitive) exists. `name` is the network name's
  // bytes as the utility keeps them; they are turned into a profile name as the builder does.
  int FindProfile(std::string_view name);
  // Opens the platform's profile dialog on a worker; the owner gets 0x407 with wParam 0 now and
  // with wParam 1 when the dialog has closed, and the worker then connects with the profile.
  void EditProfileInteractively(std::string_view name, DWORD bssType, HWND owner);
  bool EditorBusy() const { return editorBusy_->load(); }

  // The connect sequence for a connection record. `lastScanList` is the hidden window's copy of
  // the last scan (used for a record without a network name). Connect errors post 0x40A to
  // `owner`; a document that cannot be built posts 0x40B (attempt failed).
  ProfileConnectPath Connect(const ConnectionSettings& settings, std::span<const std::uint8_t> lastScanList,
                             HWND owner);

  // The text of the last SetProfile reason code, for diagnostics only.
  const std::string& LastReasonText() const { return lastReasonText_; }

 private:
  IWlanApi& api_;
  IEventLoop& loop_;
  const WlanHandle& clientHandle_;
  const Guid& interfaceGuid_;
  bool allUsers_;
  std::string lastReasonText_;
  // Shared with the editor worker, which may outlive this object.
  std::shared_ptr<std::atomic<bool>> editorBusy_ = std::make_shared<std::atomic<bool>>(false);
};

}  // namespace nxui
