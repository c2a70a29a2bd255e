// A WLAN session bound to the simulated service under virtual time, with a driver that records
// every request and an owner window that records every message.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "adapter/Oids.h"
#include "base/ByteReader.h"
#include "common/SimTestHelpers.h"
#include "platform/VirtualEventLoop.h"
#include "sim/SimWlanService.h"
#include "wlan/WlanSession.h"

namespace nxui::testing {

struct DriverRequest {
  Oid oid = 0;
  bool set = false;
  std::vector<std::uint8_t> bytes;
  std::uint32_t U32() const { return bytes.size() >= 4 ? LoadLe32(bytes.data()) : 0xDEADBEEF; }
};

class RecordingDriver final : public DriverRequestPort {
 public:
  bool Query(Oid oid, std::span<std::uint8_t> record) override {
    requests.push_back({oid, false, {}});
    const auto it = answers.find(oid);
    if (it == answers.end()) return false;
    std::copy_n(it->second.begin(), std::min(record.size(), it->second.size()), record.begin());
    return true;
  }
  bool Set(Oid oid, std::span<const std::uint8_t> record) override {
    requests.push_back({oid, true, std::vector<std::uint8_t>(record.begin(), record.end())});
    return true;
  }
  std::vector<DriverRequest> Sets(Oid oid) const {
    std::vector<DriverRequest> out;
    for (const auto& r : requests) {
      if (r.set && r.oid == oid) out.push_back(r);
    }
    return out;
  }
  std::vector<Oid> SetOrder() const {
    std::vector<Oid> out;
    for (const auto& r : requests) {
      if (r.set) out.push_back(r.oid);
    }
    return out;
  }
  std::map<Oid, std::vector<std::uint8_t>> answers;
  std::vector<DriverRequest> requests;
};

struct PostedMessage {
  UINT message;
  WPARAM wParam;
  std::uint64_t atMs;
};

class RecordingWindow final : public IMessageTarget {
 public:
  explicit RecordingWindow(IEventLoop& loop) : loop_(loop) {}
  void OnTimer(UINT_PTR) override {}
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    messages.push_back({message, wParam, loop_.TickCount()});
    if (handler) handler(message, wParam);
    return 0;
  }
  int Count(UINT message) const {
    int n = 0;
    for (const auto& m : messages) n += m.message == message ? 1 : 0;
    return n;
  }
  std::vector<UINT> Sequence() const {
    std::vector<UINT> out;
    for (const auto& m : messages) out.push_back(m.message);
    return out;
  }
  std::vector<PostedMessage> messages;
  std::function<void(UINT, WPARAM)> handler;

 private:
  IEventLoop& loop_;
};

inline std::filesystem::path MakeTempDirectory() {
  std::string pattern = (std::filesystem::temp_directory_path() / "nxui-wlan-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

inline sim::ScenarioNetwork MakeNetwork(std::string ssid, std::string_view bssid,
                                        sim::AuthKind auth = sim::AuthKind::Open,
                                        sim::CipherKind cipher = sim::CipherKind::None, std::string passphrase = "") {
  sim::ScenarioNetwork n;
  n.ssid = std::move(ssid);
  n.bssid = test::Mac(bssid);
  n.security.auth = auth;
  n.security.cipher = cipher;
  n.security.passphrase = std::move(passphrase);
  return n;
}

inline ConnectionSettings MakeRecord(std::string_view ssid, AuthMode authMode, CipherMode cipherMode,
                                     std::string_view key = {}) {
  ConnectionSettings r;
  r.ssidLength = static_cast<std::uint32_t>(ssid.size());
  std::copy(ssid.begin(), ssid.end(), r.ssid.begin());
  r.networkType = NetworkType::kInfrastructure;
  r.authMode = authMode;
  r.cipherMode = cipherMode;
  std::copy(key.begin(), key.end(), r.preSharedKey.begin());
  r.preSharedKeyLength = static_cast<std::int32_t>(key.size());
  r.rtsThreshold = 2347;
  r.fragThreshold = 2346;
  r.psMode = 1;
  r.txPower = 2;
  r.fromProfile = 1;
  return r;
}

inline const Guid kInterfaceGuid = *Guid::Parse("{6F2A61C4-1D9B-4E37-9B0C-2A7D3E5F8A11}");
inline const Guid kOtherGuid = *Guid::Parse("{11111111-2222-3333-4444-555555555555}");
inline constexpr const char* kDescription = "VQ-MA310X 11N Wireless Adapter";

class WlanFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    stateDirectory = MakeTempDirectory();
    Build();
  }
  void TearDown() override {
    test::ExpectArmedFaultsFired(faults);
    session.reset();
    service.reset();
    std::error_code error;
    std::filesystem::remove_all(stateDirectory, error);
  }

  // (Re)creates the service and the session over the same state directory.
  void Build(bool startSession = true) {
    session.reset();
    service.reset();
    service = std::make_unique<sim::SimWlanService>(loop, networks, stateDirectory, faults);
    service->AddInterface(kInterfaceGuid, kDescription,
                          {kDot11PhyTypeHrDsss, kDot11PhyTypeErp, kDot11PhyTypeOfdm, kDot11PhyTypeHt}, association);
    session = std::make_unique<WlanSession>(*service, loop, driver);
    if (startSession) {
      ASSERT_EQ(session->Open(), 0u);
      ASSERT_EQ(session->Start(kDescription, window, false), 0u);
    }
    loop.DrainMessages();
    owner.messages.clear();
  }

  // Runs the loop for `ms` of virtual time.
  void Run(std::uint64_t ms) { loop.AdvanceBy(ms); }

  VirtualEventLoop loop;
  RecordingWindow owner{loop};
  HWND window = loop.CreateWindow(owner);
  RecordingDriver driver;
  std::vector<sim::ScenarioNetwork> networks;
  sim::SimAssociation association;
  sim::SimFaults faults;
  std::filesystem::path stateDirectory;
  std::unique_ptr<sim::SimWlanService> service;
  std::unique_ptr<WlanSession> session;
};

}  // namespace nxui::testing
