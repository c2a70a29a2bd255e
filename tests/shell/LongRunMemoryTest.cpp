// The utility left running for days: the embedded world, the core with its main window open and
// the pages the window builds, under virtual time. The process's heap must stay flat once the
// first minute has settled the caches and lists.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdint>
#include <iostream>
#include <memory>

#include "adapter/DriverChannelPort.h"
#include "monitor/CLinkStatusDlg.h"
#include "monitor/CPageStatisticsDlg.h"
#include "shell/HeadlessViews.h"
#include "shell/HideDlgSurveyHost.h"
#include "shell/NxCore.h"
#include "shell/ShellFixture.h"
#include "shell/ShellLinkStatusHost.h"
#include "survey/CAPDetailInfoDlg.h"
#include "survey/CPageSiteSurveyDlg.h"
#include "survey/LastSurveySelection.h"
#include "survey/SurveyShared.h"

#if defined(__SANITIZE_ADDRESS__)
#define NXUI_HEAP_FROM_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define NXUI_HEAP_FROM_SANITIZER 1
#endif
#endif
#ifdef NXUI_HEAP_FROM_SANITIZER
#include <sanitizer/allocator_interface.h>
#endif

namespace nxui::shell::test {
namespace {

constexpr std::uint64_t kMinuteMs = 60'000;
constexpr std::uint64_t kHourMs = 60 * kMinuteMs;
constexpr std::uint64_t kDayMs = 24 * kHourMs;

// Bytes the process holds on its heap now (the sanitizer's allocator when it replaced malloc).
std::size_t HeapInUse() {
#ifdef NXUI_HEAP_FROM_SANITIZER
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#endif
}

double Mebibytes(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// What the program runs: the core in the tray with the main window open, its link status,
// survey and statistics pages built and the link status shown.
class LongRun : public ShellFixture {
 protected:
  void SetUp() override {
    auto loaded = sim::ScenarioLoader::LoadEmbedded();
    ASSERT_TRUE(loaded.ok) << loaded.error;
    Build(loaded.scenario);
    HideDlgPorts ports{views, views, views, &views};
    core = std::make_unique<NxCore>(*platform, Language::kEnglish, ports, Options(true));
    core->Start();
    CHideDlg& hidden = core->HiddenWindow();
    driverPort = std::make_unique<DriverChannelPort>(hidden.Driver());
    linkHost = std::make_unique<ShellLinkStatusHost>(hidden.State(), [] { return false; });
    details = std::make_unique<CAPDetailInfoDlg>(core->Strings(), [](int) {});
    surveyHost = std::make_unique<HideDlgSurveyHost>(hidden, *platform, details.get());
    survey = std::make_unique<CPageSiteSurveyDlg>(loop, hidden.Session(), core->Strings(), *surveyHost, surveyShared,
                                                  selection);
    survey->OnInitDialog();
    link = std::make_unique<CLinkStatusDlg>(*platform, hidden.Context(), *driverPort, hidden.Session(), core->Strings(),
                                            *linkHost);
    link->OnInitDialog();
    statistics = std::make_unique<CPageStatisticsDlg>(loop, *driverPort, hidden.Session(), core->Strings(), link.get());
    statistics->OnInitDialog();
    link->OnShow();
  }
  void TearDown() override {
    statistics.reset();
    link.reset();
    survey.reset();
    core.reset();
  }

  // Runs the world to `untilMs` of loop time in one-minute steps (so posted work never piles up).
  void RunUntil(std::uint64_t untilMs) {
    while (loop.TickCount() < untilMs) loop.AdvanceBy(std::min(kMinuteMs, untilMs - loop.TickCount()));
  }

  HeadlessViews views;
  std::unique_ptr<NxCore> core;
  std::unique_ptr<DriverChannelPort> driverPort;
  std::unique_ptr<ShellLinkStatusHost> linkHost;
  std::unique_ptr<CAPDetailInfoDlg> details;
  std::unique_ptr<HideDlgSurveyHost> surveyHost;
  SurveyShared surveyShared;
  LastSurveySelection selection;
  std::unique_ptr<CPageSiteSurveyDlg> survey;
  std::unique_ptr<CLinkStatusDlg> link;
  std::unique_ptr<CPageStatisticsDlg> statistics;
};

TEST_F(LongRun, HeapAfterADayStaysWithinAFewMegabytesOfTheFirstMinute) {
  RunUntil(kMinuteMs);
  ASSERT_NE(link->State().texts.status.find("Home"), std::string::npos) << "the run must be connected";
  const std::size_t afterMinute = HeapInUse();
  RunUntil(kDayMs);
  const std::size_t afterDay = HeapInUse();
  std::cout << "heap after a simulated minute " << Mebibytes(afterMinute) << " MiB, after a simulated day "
            << Mebibytes(afterDay) << " MiB\n";
  EXPECT_LT(afterDay, afterMinute + 3 * 1024 * 1024);
  EXPECT_NE(link->State().texts.status.find("Home"), std::string::npos) << "still connected after a day";
}

// The meter above must see growth where there is some: the driver's request log, kept on request,
// grows with every tick.
TEST_F(LongRun, TheHeapMeterSeesAGrowingRequestLog) {
  RunUntil(kMinuteMs);
  const std::size_t before = HeapInUse();
  world->driver(0).RecordRequests(true);
  RunUntil(kMinuteMs + 2 * kHourMs);
  EXPECT_GT(world->driver(0).requests().size(), 10000u);
  EXPECT_GT(HeapInUse(), before + 1024 * 1024);
}

TEST_F(LongRun, AnIdleMinuteWritesNoFile) {
  RunUntil(kMinuteMs);
  const std::size_t writes = world->registry().fileWrites();
  const std::size_t requests = world->driver(0).CountRequests(OID_WLAN_LAST_EVENT, false);
  RunUntil(2 * kMinuteMs);
  std::cout << "registry file writes in an idle simulated minute: " << world->registry().fileWrites() - writes << "\n";
  EXPECT_EQ(world->registry().fileWrites(), writes);
  EXPECT_GT(world->driver(0).CountRequests(OID_WLAN_LAST_EVENT, false), requests) << "the program was not idle";
}

}  // namespace
}  // namespace nxui::shell::test
