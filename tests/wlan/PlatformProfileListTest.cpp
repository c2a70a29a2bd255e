#include "wlan/PlatformProfileList.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/VirtualEventLoop.h"
#include "wlan/WlanSession.h"

namespace nxui {
namespace {

// A hand fake of the service: one interface's ordered profile list, every call logged.
class FakeWlanApi : public IWlanApi {
 public:
  struct StoredProfile {
    std::string name;
    std::string xml;
    DWORD flags;
  };

  std::vector<StoredProfile> profiles;
  std::vector<std::string> log;
  std::vector<WlanConnectionParameters> connects;
  DWORD listResult = kErrorSuccess;
  DWORD connectResult = kErrorSuccess;
  std::function<void()> onEditor;  // runs inside UIEditProfile, while the dialog is "open"
  WlanHandle expectedHandle = 7;
  Guid expectedGuid;

  DWORD OpenHandle(DWORD, DWORD&, WlanHandle&) override { return kErrorNotSupported; }
  DWORD CloseHandle(WlanHandle) override { return kErrorNotSupported; }
  DWORD EnumInterfaces(WlanHandle, std::vector<WlanInterfaceInfo>&) override { return kErrorNotSupported; }
  DWORD Scan(WlanHandle, const Guid&, const Dot11Ssid*, const std::vector<std::uint8_t>*) override {
    return kErrorNotSupported;
  }
  DWORD GetAvailableNetworkList(WlanHandle, const Guid&, DWORD, std::vector<WlanAvailableNetwork>&) override {
    return kErrorNotSupported;
  }
  DWORD GetNetworkBssList(WlanHandle, const Guid&, const Dot11Ssid*, DWORD, bool, std::vector<WlanBssEntry>&) override {
    return kErrorNotSupported;
  }
  DWORD QueryInterfaceState(WlanHandle, const Guid&, DWORD&) override { return kErrorNotSupported; }
  DWORD QueryCurrentConnection(WlanHandle, const Guid&, WlanConnectionAttributes&) override {
    return kErrorNotSupported;
  }
  DWORD QueryBssType(WlanHandle, const Guid&, DWORD&) override { return kErrorNotSupported; }
  DWORD QueryChannelNumber(WlanHandle, const Guid&, ULONG&) override { return kErrorNotSupported; }
  DWORD QueryRadioState(WlanHandle, const Guid&, WlanRadioState&) override { return kErrorNotSupported; }
  DWORD QuerySupportedAuthCipherPairs(WlanHandle, const Guid&, bool, std::vector<WlanAuthCipherPair>&) override {
    return kErrorNotSupported;
  }
  DWORD GetInterfaceCapability(WlanHandle, const Guid&, WlanInterfaceCapability&) override {
    return kErrorNotSupported;
  }
  DWORD SetRadioState(WlanHandle, const Guid&, const WlanPhyRadioState&) override { return kErrorNotSupported; }
  DWORD Disconnect(WlanHandle, const Guid&) override { return kErrorNotSupported; }
  DWORD GetProfile(WlanHandle, const Guid&, std::string_view, std::string&, DWORD&) override {
    return kErrorNotSupported;
  }
  DWORD RegisterNotification(WlanHandle, DWORD, bool, WlanNotificationCallback) override { return kErrorNotSupported; }

  DWORD Connect(WlanHandle handle, const Guid& guid, const WlanConnectionParameters& parameters) override {
    CheckTarget(handle, guid);
    log.push_back("Connect " + parameters.profile);
    connects.push_back(parameters);
    return connectResult;
  }

  // Like the service: the name comes from the document, which must parse.
  DWORD SetProfile(WlanHandle handle, const Guid& guid, DWORD flags, std::string_view xml, bool overwrite,
                   DWORD& reasonCode) override {
    CheckTarget(handle, guid);
    pugi::xml_document doc;
    if (!doc.load_buffer(xml.data(), xml.size())) {
      log.push_back("SetProfile <bad xml>");
      reasonCode = kWlanReasonInvalidProfileSchema;
      return kErrorInvalidParameter;
    }
    std::string name = doc.child("WLANProfile").child_value("name");
    log.push_back("SetProfile " + name + " flags " + std::to_string(flags));
    reasonCode = kWlanReasonSuccess;
    auto it = Find(name);
    if (it != profiles.end()) {
      if (!overwrite) return kErrorAlreadyExists;
      it->xml = std::string(xml);
      it->flags = flags;
    } else {
      profiles.push_back({name, std::string(xml), flags});
    }
    return kErrorSuccess;
  }
  DWORD DeleteProfile(WlanHandle handle, const Guid& guid, std::string_view name) override {
    CheckTarget(handle, guid);
    log.push_back("DeleteProfile " + std::string(name));
    auto it = Find(name);
    if (it == profiles.end()) return kErrorNotFound;
    profiles.erase(it);
    return kErrorSuccess;
  }
  DWORD GetProfileList(WlanHandle handle, const Guid& guid, std::vector<WlanProfileInfo>& out) override {
    CheckTarget(handle, guid);
    log.push_back("GetProfileList");
    if (listResult != kErrorSuccess) return listResult;
    out.clear();
    for (const auto& p : profiles) out.push_back({p.name, p.flags});
    return kErrorSuccess;
  }
  DWORD SetProfilePosition(WlanHandle handle, const Guid& guid, std::string_view name, DWORD position) override {
    CheckTarget(handle, guid);
    log.push_back("SetProfilePosition " + std::string(name) + " " + std::to_string(position));
    auto it = Find(name);
    if (it == profiles.end() || position >= profiles.size()) return kErrorInvalidParameter;
    StoredProfile moved = *it;
    profiles.erase(it);
    profiles.insert(profiles.begin() + position, moved);
    return kErrorSuccess;
  }
  DWORD UIEditProfile(DWORD uiVersion, std::string_view name, const Guid& guid, HWND owner, DWORD startPage,
                      DWORD& reasonCode) override {
    EXPECT_EQ(guid, expectedGuid);
    log.push_back("UIEditProfile " + std::string(name) + " v" + std::to_string(uiVersion) + " page " +
                  std::to_string(startPage) + " owner " + std::to_string(owner));
    if (onEditor) onEditor();
    reasonCode = kWlanReasonSuccess;
    return kErrorSuccess;
  }
  DWORD ReasonCodeToString(DWORD reasonCode, std::string& text) override {
    log.push_back("ReasonCodeToString " + std::to_string(reasonCode));
    text = reasonCode == 0 ? "The operation was successful." : "The profile is invalid.";
    return kErrorSuccess;
  }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& p : profiles) names.push_back(p.name);
    return names;
  }

 private:
  std::vector<StoredProfile>::iterator Find(std::string_view name) {
    return std::find_if(profiles.begin(), profiles.end(), [&](const StoredProfile& p) { return p.name == name; });
  }
  void CheckTarget(WlanHandle handle, const Guid& guid) const {
    EXPECT_EQ(handle, expectedHandle);
    EXPECT_EQ(guid, expectedGuid);
  }
};

struct Owner : IMessageTarget {
  std::vector<std::pair<UINT, WPARAM>> messages;
  void OnTimer(UINT_PTR) override {}
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    messages.emplace_back(message, wParam);
    return 0;
  }
};

ConnectionSettings Record(std::string_view ssid) {
  ConnectionSettings s;
  s.ssidLength = static_cast<std::uint32_t>(ssid.size());
  std::memcpy(s.ssid.data(), ssid.data(), ssid.size());
  s.networkType = NetworkType::kInfrastructure;
  s.authMode = AuthMode::kWpa2Psk;
  s.cipherMode = CipherMode::kAes;
  const std::string_view key = "correct horse";
  std::memcpy(s.preSharedKey.data(), key.data(), key.size());
  s.preSharedKeyLength = static_cast<std::int32_t>(key.size());
  return s;
}

class PlatformProfileListTest : public testing::Test {
 protected:
  PlatformProfileListTest() : owner(loop.CreateWindow(ownerTarget)) {
    guid = *Guid::Parse("{12345678-1234-1234-1234-123456789ABC}");
    api.expectedGuid = guid;
  }

  VirtualEventLoop loop;
  Owner ownerTarget;
  HWND owner;
  FakeWlanApi api;
  WlanHandle handle = 7;
  Guid guid;
  PlatformProfileList list{api, loop, handle, guid, false};
};

TEST_F(PlatformProfileListTest, ProfileConnectWritesMovesFirstAndConnectsByName) {
  api.profiles = {{"Office", "<x/>", 2}};
  EXPECT_EQ(list.Connect(Record("Home"), {}, owner), ProfileConnectPath::kProfile);
  EXPECT_EQ(api.log, (std::vector<std::string>{"SetProfile Home flags 2", "ReasonCodeToString 0",
                                               "SetProfilePosition Home 0", "Connect Home"}));
  EXPECT_EQ(api.Names(), (std::vector<std::string>{"Home", "Office"}));
  ASSERT_EQ(api.connects.size(), 1u);
  EXPECT_EQ(api.connects[0].connectionMode, kWlanConnectionModeProfile);
  EXPECT_EQ(api.connects[0].bssType, kDot11BssTypeInfrastructure);
  EXPECT_FALSE(api.connects[0].hasSsid);
  EXPECT_TRUE(api.connects[0].desiredBssids.empty());
  loop.DrainMessages();
  EXPECT_TRUE(ownerTarget.messages.empty());
}

TEST_F(PlatformProfileListTest, ConnectingTwiceOverwritesAndKeepsTheProfileFirst) {
  list.Connect(Record("Home"), {}, owner);
  list.Connect(Record("Office"), {}, owner);
  auto changed = Record("Home");
  changed.preSharedKeyLength = 9;  // a different key
  list.Connect(changed, {}, owner);
  EXPECT_EQ(api.Names(), (std::vector<std::string>{"Home", "Office"}));
  EXPECT_NE(api.profiles[0].xml.find("<keyMaterial>correct&#32;h</keyMaterial>"), std::string::npos)
      << api.profiles[0].xml;
}

TEST_F(PlatformProfileListTest, AllUsersWritesSharedProfiles) {
  list.SetAllUsers(true);
  list.SetProfile(BuildWlanProfile(Record("Home")).document);
  ASSERT_EQ(api.profiles.size(), 1u);
  EXPECT_EQ(api.profiles[0].flags, 0u);
}

TEST_F(PlatformProfileListTest, RejectedDocumentStillLeadsToConnectAndItsErrorIsPosted) {
  api.connectResult = kErrorNotFound;
  EXPECT_EQ(list.SetProfile("<broken"), kErrorInvalidParameter);
  EXPECT_EQ(list.LastReasonText(), "The profile is invalid.");
  list.Connect(Record("Home"), {}, owner);
  loop.DrainMessages();
  EXPECT_EQ(ownerTarget.messages, (std::vector<std::pair<UINT, WPARAM>>{{wlan_msg::kConnectError, 0}}));
}

TEST_F(PlatformProfileListTest, UnbuildableDocumentWritesNothingAndReportsAFailedAttempt) {
  auto record = Record("Home");
  record.preSharedKey[2] = '\x01';
  api.profiles = {{"Home", "<old/>", 2}};
  EXPECT_EQ(list.Connect(record, {}, owner), ProfileConnectPath::kDocumentRejected);
  EXPECT_TRUE(api.log.empty());
  EXPECT_EQ(api.profiles[0].xml, "<old/>");
  loop.DrainMessages();
  EXPECT_EQ(ownerTarget.messages, (std::vector<std::pair<UINT, WPARAM>>{{wlan_msg::kConnectionFailed, 0}}));
}

struct DiscoveryCase {
  const char* label;
  std::int32_t byBssid;
  AuthMode authMode;
  CipherMode cipherMode;
  DWORD mode;
  bool desiredBssid;
};

class DiscoveryConnect : public PlatformProfileListTest, public testing::WithParamInterface<DiscoveryCase> {};

TEST_P(DiscoveryConnect, SurveyedAccessPointConnectsWithoutStoredProfile) {
  const auto& c = GetParam();
  auto record = Record("Cafe");
  record.byBssid = c.byBssid;
  record.authMode = c.authMode;
  record.cipherMode = c.cipherMode;
  record.bssid = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55};
  EXPECT_EQ(list.Connect(record, {}, owner), ProfileConnectPath::kDiscovery);
  EXPECT_EQ(api.log, (std::vector<std::string>{"Connect "}));
  ASSERT_EQ(api.connects.size(), 1u);
  const auto& p = api.connects[0];
  EXPECT_EQ(p.connectionMode, c.mode);
  EXPECT_TRUE(p.profile.empty());
  ASSERT_TRUE(p.hasSsid);
  EXPECT_EQ(p.ssid.View(), "Cafe");
  EXPECT_EQ(p.bssType, kDot11BssTypeInfrastructure);
  if (c.desiredBssid) {
    EXPECT_EQ(p.desiredBssids, (std::vector<Dot11MacAddress>{record.bssid}));
  } else {
    EXPECT_TRUE(p.desiredBssids.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(PlatformProfileList, DiscoveryConnect,
                         testing::Values(DiscoveryCase{"secure_with_bssid", 1, AuthMode::kWpa2Psk, CipherMode::kAes,
                                                       kWlanConnectionModeDiscoverySecure, true},
                                         DiscoveryCase{"unsecure_with_bssid", 1, AuthMode::kOpen, CipherMode::kNone,
                                                       kWlanConnectionModeDiscoveryUnsecure, true},
                                         DiscoveryCase{"wep_is_secure", 1, AuthMode::kOpen, CipherMode::kWep,
                                                       kWlanConnectionModeDiscoverySecure, true},
                                         DiscoveryCase{"other_nonzero_has_no_bssid_list", 2, AuthMode::kOpen,
                                                       CipherMode::kNone, kWlanConnectionModeDiscoveryUnsecure, false}),
                         [](const auto& row) { return std::string(row.param.label); });

TEST_F(PlatformProfileListTest, DiscoveryConnectErrorIsPosted) {
  api.connectResult = kErrorInvalidState;
  auto record = Record("Cafe");
  record.byBssid = 1;
  list.Connect(record, {}, owner);
  loop.DrainMessages();
  EXPECT_EQ(ownerTarget.messages, (std::vector<std::pair<UINT, WPARAM>>{{wlan_msg::kConnectError, 0}}));
}

TEST_F(PlatformProfileListTest, OneXOpensThePlatformEditorAndConnectsWhenItCloses) {
  auto record = Record("Corp");
  record.authMode = AuthMode::kWpa2;
  record.use8021X = 1;
  api.profiles = {{"Corp", "<old/>", 2}, {"Home", "<x/>", 2}};
  api.connectResult = kErrorInvalidState;  // not reported from the worker

  std::vector<std::pair<UINT, WPARAM>> seenWhileOpen;
  bool busyWhileOpen = false;
  api.onEditor = [&] {
    seenWhileOpen = ownerTarget.messages;
    busyWhileOpen = list.EditorBusy();
  };

  EXPECT_EQ(list.Connect(record, {}, owner), ProfileConnectPath::kInteractiveEditor);
  EXPECT_TRUE(list.EditorBusy());
  // A second 802.1X request while the dialog is open does nothing.
  EXPECT_EQ(list.Connect(record, {}, owner), ProfileConnectPath::kEditorAlreadyOpen);
  loop.DrainMessages();

  EXPECT_EQ(api.log,
            (std::vector<std::string>{"DeleteProfile Corp", "SetProfile Corp flags 2", "ReasonCodeToString 0",
                                      "UIEditProfile Corp v1 page 1 owner " + std::to_string(owner), "Connect Corp"}));
  EXPECT_EQ(api.Names(), (std::vector<std::string>{"Home", "Corp"}));  // not moved first
  EXPECT_TRUE(busyWhileOpen);
  EXPECT_EQ(seenWhileOpen, (std::vector<std::pair<UINT, WPARAM>>{{wlan_msg::kEditorState, 0}}));
  EXPECT_EQ(ownerTarget.messages,
            (std::vector<std::pair<UINT, WPARAM>>{{wlan_msg::kEditorState, 0}, {wlan_msg::kEditorState, 1}}));
  EXPECT_FALSE(list.EditorBusy());
  ASSERT_EQ(api.connects.size(), 1u);
  EXPECT_EQ(api.connects[0].connectionMode, kWlanConnectionModeProfile);
  EXPECT_EQ(api.connects[0].profile, "Corp");
  EXPECT_FALSE(api.connects[0].hasSsid);
  EXPECT_TRUE(api.connects[0].desiredBssids.empty());
  EXPECT_EQ(api.connects[0].flags, 0u);

  // Closed again: the next request opens a new editor.
  EXPECT_EQ(list.Connect(record, {}, owner), ProfileConnectPath::kInteractiveEditor);
}

struct FindCase {
  const char* label;
  std::string name;
  int expected;
};

class FindProfile : public PlatformProfileListTest, public testing::WithParamInterface<FindCase> {};

TEST_P(FindProfile, ExactCaseSensitiveMatchOnTheConvertedName) {
  api.profiles = {{"Home", "", 2}, {"Caf\xC3\xA9", "", 2}, {"a?b", "", 2}, {std::string(60, 'L'), "", 2}};
  EXPECT_EQ(list.FindProfile(GetParam().name), GetParam().expected);
  EXPECT_EQ(api.log, (std::vector<std::string>{"GetProfileList"}));
}

INSTANTIATE_TEST_SUITE_P(PlatformProfileList, FindProfile,
                         testing::Values(FindCase{"exact", "Home", 1}, FindCase{"other_case", "home", 0},
                                         FindCase{"prefix", "Hom", 0}, FindCase{"longer", "Home ", 0},
                                         FindCase{"empty", "", 0}, FindCase{"utf8_name", "Caf\xC3\xA9", 1},
                                         FindCase{"latin1_bytes", "Caf\xE9", 1},
                                         FindCase{"control_byte_as_written",
                                                  std::string("a\x01"
                                                              "b"),
                                                  1},
                                         FindCase{"long_name_not_cut", std::string(60, 'L'), 1},
                                         FindCase{"long_name_prefix", std::string(39, 'L'), 0}),
                         [](const auto& row) { return std::string(row.param.label); });

TEST_F(PlatformProfileListTest, FailedListQueryFindsNothingAndDeletesNothing) {
  api.profiles = {{"Home", "", 2}, {"Office", "", 2}};
  api.listResult = kErrorServiceNotActive;
  EXPECT_EQ(list.FindProfile("Home"), 0);
  list.DeleteAllProfiles();
  EXPECT_EQ(api.Names().size(), 2u);
  EXPECT_EQ(api.log, (std::vector<std::string>{"GetProfileList", "GetProfileList"}));
}

TEST_F(PlatformProfileListTest, DeleteAllRemovesEveryProfileOfTheInterface) {
  api.profiles = {{"Home", "", 2}, {"Office", "", 0}, {"Cafe", "", 2}};
  list.DeleteAllProfiles();
  EXPECT_TRUE(api.profiles.empty());
  EXPECT_EQ(api.log, (std::vector<std::string>{"GetProfileList", "DeleteProfile Home", "DeleteProfile Office",
                                               "DeleteProfile Cafe"}));
}

TEST_F(PlatformProfileListTest, DeleteAndPositionPassTheNameThrough) {
  api.profiles = {{"A", "", 2}, {"B", "", 2}};
  EXPECT_EQ(list.SetProfilePosition("B", 0), kErrorSuccess);
  EXPECT_EQ(api.Names(), (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(list.DeleteProfile("a"), kErrorNotFound);
  EXPECT_EQ(list.DeleteProfile("A"), kErrorSuccess);
  EXPECT_EQ(api.Names(), (std::vector<std::string>{"B"}));
}

TEST_F(PlatformProfileListTest, FollowsTheSessionsRebinding) {
  handle = 9;
  api.expectedHandle = 9;
  guid = *Guid::Parse("{AAAAAAAA-1234-1234-1234-123456789ABC}");
  api.expectedGuid = guid;
  EXPECT_EQ(list.FindProfile("x"), 0);
  EXPECT_EQ(api.log.size(), 1u);
}

}  // namespace
}  // namespace nxui
