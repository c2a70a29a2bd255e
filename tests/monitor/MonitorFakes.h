// Scripted ports for the monitor pages: a driver that answers from a table, a WLAN service whose
// interface state, connection and channel the test sets, an IP helper and the page host.
#pragma once

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "adapter/AdapterContext.h"
#include "adapter/DriverRequestPort.h"
#include "adapter/Oids.h"
#include "adapter/fakes/FakeDeviceIo.h"
#include "adapter/fakes/FakeDeviceSetup.h"
#include "adapter/fakes/FakeRegistry.h"
#include "adapter/fakes/FakeSystemInfo.h"
#include "base/ByteReader.h"
#include "display/StringTable.h"
#include "monitor/ILinkStatusHost.h"
#include "platform/IDriverEvents.h"
#include "platform/IIpHelper.h"
#include "platform/IShell.h"
#include "platform/IWlanApi.h"
#include "platform/Platform.h"
#include "platform/SystemRandom.h"
#include "platform/VirtualEventLoop.h"
#include "wlan/WlanSession.h"

namespace nxui::test {

class FakeDriverPort final : public DriverRequestPort {
 public:
  std::map<Oid, std::vector<std::uint8_t>> answers;  // an OID without answer fails
  std::set<Oid> failing;
  std::vector<Oid> queries;
  std::vector<Oid> sets;

  bool Query(Oid oid, std::span<std::uint8_t> record) override {
    queries.push_back(oid);
    auto it = answers.find(oid);
    if (failing.count(oid) != 0 || it == answers.end()) return false;
    std::memcpy(record.data(), it->second.data(), std::min(record.size(), it->second.size()));
    return true;
  }
  bool Set(Oid oid, std::span<const std::uint8_t>) override {
    sets.push_back(oid);
    return failing.count(oid) == 0;
  }

  void Word(Oid oid, std::int64_t value) {
    std::vector<std::uint8_t> bytes(4);
    StoreLe32(bytes.data(), static_cast<std::uint32_t>(value));
    answers[oid] = bytes;
  }
  void Bytes(Oid oid, std::vector<std::uint8_t> bytes) { answers[oid] = std::move(bytes); }
  void LinkStatus(std::uint32_t txRateUnits, std::uint32_t quality, std::uint32_t txBytes, std::uint32_t rxBytes,
                  std::uint32_t centralChannel = 0) {
    std::vector<std::uint8_t> bytes(20);
    StoreLe32(bytes.data(), txRateUnits);
    StoreLe32(bytes.data() + 4, quality);
    StoreLe32(bytes.data() + 8, txBytes);
    StoreLe32(bytes.data() + 12, rxBytes);
    StoreLe32(bytes.data() + 16, centralChannel);
    answers[OID_WLAN_LINK_STATUS] = bytes;
  }
  std::size_t QueryCount(Oid oid) const {
    return static_cast<std::size_t>(std::count(queries.begin(), queries.end(), oid));
  }
};

class FakeWlanApi final : public IWlanApi {
 public:
  bool serviceRunning = true;
  DWORD stateResult = kErrorSuccess;
  DWORD state = kWlanInterfaceConnected;
  DWORD connectionResult = kErrorSuccess;
  WlanConnectionAttributes connection;
  DWORD channelResult = kErrorSuccess;
  ULONG channel = 6;

  DWORD OpenHandle(DWORD, DWORD& negotiated, WlanHandle& handle) override {
    if (!serviceRunning) return kErrorServiceNotActive;
    negotiated = kWlanClientVersion2;
    handle = 1;
    return kErrorSuccess;
  }
  DWORD CloseHandle(WlanHandle) override { return kErrorSuccess; }
  DWORD EnumInterfaces(WlanHandle, std::vector<WlanInterfaceInfo>& interfaces) override {
    if (!serviceRunning) return kErrorServiceNotActive;
    WlanInterfaceInfo info;
    info.description = "Adapter";
    info.state = state;
    interfaces = {info};
    return kErrorSuccess;
  }
  DWORD Scan(WlanHandle, const Guid&, const Dot11Ssid*, const std::vector<std::uint8_t>*) override {
    return kErrorNotSupported;
  }
  DWORD GetAvailableNetworkList(WlanHandle, const Guid&, DWORD, std::vector<WlanAvailableNetwork>&) override {
    return kErrorNotSupported;
  }
  DWORD GetNetworkBssList(WlanHandle, const Guid&, const Dot11Ssid*, DWORD, bool, std::vector<WlanBssEntry>&) override {
    return kErrorNotSupported;
  }
  DWORD QueryInterfaceState(WlanHandle, const Guid&, DWORD& value) override {
    if (stateResult == kErrorSuccess) value = state;
    return stateResult;
  }
  DWORD QueryCurrentConnection(WlanHandle, const Guid&, WlanConnectionAttributes& attributes) override {
    if (connectionResult == kErrorSuccess) attributes = connection;
    return connectionResult;
  }
  DWORD QueryBssType(WlanHandle, const Guid&, DWORD&) override { return kErrorNotSupported; }
  DWORD QueryChannelNumber(WlanHandle, const Guid&, ULONG& value) override {
    if (channelResult == kErrorSuccess) value = channel;
    return channelResult;
  }
  DWORD QueryRadioState(WlanHandle, const Guid&, WlanRadioState&) override { return kErrorNotSupported; }
  DWORD QuerySupportedAuthCipherPairs(WlanHandle, const Guid&, bool, std::vector<WlanAuthCipherPair>&) override {
    return kErrorNotSupported;
  }
  DWORD GetInterfaceCapability(WlanHandle, const Guid&, WlanInterfaceCapability&) override {
    return kErrorNotSupported;
  }
  DWORD SetRadioState(WlanHandle, const Guid&, const WlanPhyRadioState&) override { return kErrorNotSupported; }
  DWORD Connect(WlanHandle, const Guid&, const WlanConnectionParameters&) override { return kErrorNotSupported; }
  DWORD Disconnect(WlanHandle, const Guid&) override { return kErrorNotSupported; }
  DWORD SetProfile(WlanHandle, const Guid&, DWORD, std::string_view, bool, DWORD&) override {
    return kErrorNotSupported;
  }
  DWORD DeleteProfile(WlanHandle, const Guid&, std::string_view) override { return kErrorNotSupported; }
  DWORD GetProfileList(WlanHandle, const Guid&, std::vector<WlanProfileInfo>&) override { return kErrorNotSupported; }
  DWORD SetProfilePosition(WlanHandle, const Guid&, std::string_view, DWORD) override { return kErrorNotSupported; }
  DWORD GetProfile(WlanHandle, const Guid&, std::string_view, std::string&, DWORD&) override {
    return kErrorNotSupported;
  }
  DWORD UIEditProfile(DWORD, std::string_view, const Guid&, HWND, DWORD, DWORD&) override { return kErrorNotSupported; }
  DWORD RegisterNotification(WlanHandle, DWORD, bool, WlanNotificationCallback) override { return kErrorSuccess; }
  DWORD ReasonCodeToString(DWORD, std::string&) override { return kErrorNotSupported; }
};

class FakeIpHelper final : public IIpHelper {
 public:
  bool succeeds = true;
  std::vector<IpAdapterInfo> adapters;
  bool GetAdaptersInfo(std::vector<IpAdapterInfo>& out) override {
    if (!succeeds) return false;
    out = adapters;
    return true;
  }
};

class FakeShell final : public IShell {
 public:
  std::vector<std::string> opened;
  bool NotifyIcon(NotifyIconAction, const NotifyIconData&) override { return true; }
  bool Open(std::string_view target) override {
    opened.emplace_back(target);
    return true;
  }
  bool RunMinimised(std::string_view) override { return true; }
};

class FakeDriverEvents final : public IDriverEvents {
 public:
  EventSubscription Subscribe(std::string_view, std::function<void()>) override { return 1; }
  void Unsubscribe(EventSubscription) override {}
};

class FakeLinkHost final : public ILinkStatusHost {
 public:
  bool radioOn = true;
  bool icvError = false;
  bool showDbm = false;
  bool surveyRowIs11n = false;
  bool RadioOn() const override { return radioOn; }
  bool IcvError() const override { return icvError; }
  bool ShowDbm() const override { return showDbm; }
  bool ConnectedSurveyRowIs11n() const override { return surveyRowIs11n; }
};

// Every port of a page's world, scripted.
struct FakeWorld {
  VirtualEventLoop loop;
  FakeDeviceSetup deviceSetup;
  FakeDeviceIo deviceIo;
  FakeRegistry registry;
  FakeSystemInfo systemInfo;
  FakeShell shell;
  FakeIpHelper ipHelper;
  FakeDriverEvents driverEvents;
  FakeWlanApi wlan;
  SeededRandom random{1};
  Platform platform{deviceSetup, deviceIo, registry, systemInfo, shell, ipHelper, driverEvents, loop, wlan, random};
  FakeDriverPort driver;
  AdapterContext context;
  StringTable strings{Language::kEnglish};
  FakeLinkHost host;
  WlanSession session{wlan, loop, driver};

  FakeWorld() {
    context.family = kFamilyHeronU;
    context.is11n = true;
    context.osGeneration = kOsVista;
    session.Open();
    session.Start("Adapter", 0, false);
  }
};

}  // namespace nxui::test
