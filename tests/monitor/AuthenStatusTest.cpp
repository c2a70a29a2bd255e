// The authentication status panel and the credential prompt on the simulated machine under virtual
// time: the ring's slots and wrap, "NULL STRING", lines at least 100 ms apart without blocking,
// "OK" ending an authentication, the labels from the registry, and the prompt's fields.
#include <gtest/gtest.h>

#include <regex>

#include "adapter/ConnectionSettings.h"
#include "common/SessionWorld.h"
#include "monitor/AuthenticationLog.h"
#include "monitor/CAuthenStatusDlg.h"
#include "monitor/CInvalidIDPW.h"

namespace nxui::test {
namespace {

sim::Scenario OneAdapter() {
  sim::Scenario scenario;
  scenario.adapters.push_back(sim::ScenarioAdapter{});
  return scenario;
}

class AuthenStatus : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(w.Ready()) << w.error;
    panel.OnInitDialog();
  }
  // What a producer does: the text into the slot at the index, the slot's number posted.
  std::size_t Post(const std::string& text) {
    const std::size_t slot = ring.Write(text);
    w.loop.PostMessage(panel.Window(), CAuthenStatusDlg::kMsgAuthenMessage, slot, 0);
    w.loop.DrainMessages();
    return slot;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> out;
    for (const AuthenLogRow& row : panel.State().rows) out.push_back(row.message);
    return out;
  }

  SessionWorld w{OneAdapter()};
  shell::AuthenticationLog ring;
  std::vector<int> panels;
  int shown = CAuthenStatusDlg::kPanel;
  int cancels = 0;
  ConnectionSettings record;
  const ConnectionSettings* inForce = nullptr;
  CAuthenStatusDlg panel{w.loop,
                         w.world->registry(),
                         w.world->systemInfo(),
                         w.context,
                         ring,
                         w.strings,
                         AuthenStatusHost{[this] { return inForce; },
                                          [this](int p) {
                                            panels.push_back(p);
                                            shown = p;
                                          },
                                          [this] { return shown; }, [this] { ++cancels; }}};
};

TEST_F(AuthenStatus, LinesComeAtLeast100MsApartWithoutBlocking) {
  const std::uint64_t start = w.loop.TickCount();
  for (const char* text : {"one", "two", "three", "four"}) Post(text);
  // Posting returned at once: nothing waited.
  EXPECT_EQ(w.loop.TickCount(), start);
  EXPECT_EQ(Messages(), std::vector<std::string>{"one"});
  EXPECT_EQ(panel.Pending(), 3u);
  w.loop.AdvanceBy(99);
  EXPECT_EQ(Messages().size(), 1u);
  w.loop.AdvanceBy(1);
  EXPECT_EQ(Messages().size(), 2u);
  w.loop.AdvanceBy(200);
  EXPECT_EQ(Messages(), (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(panel.State().scrollPixels, 4 * 25);
  // A line long after the last one is shown at once.
  w.loop.AdvanceBy(500);
  Post("five");
  EXPECT_EQ(Messages().size(), 5u);
}

TEST_F(AuthenStatus, EmptyMessageIsNullStringWithItsTimeStamp) {
  Post("");
  ASSERT_EQ(panel.State().rows.size(), 1u);
  EXPECT_EQ(panel.State().rows[0].message, "NULL STRING");
  EXPECT_TRUE(std::regex_match(panel.State().rows[0].time, std::regex(R"(\d\d:\d\d:\d\d\.\d\d\d )")))
      << panel.State().rows[0].time;
}

TEST_F(AuthenStatus, RingWrapsFrom199ToZero) {
  std::size_t last = 0;
  for (int i = 0; i < 200; ++i) last = Post("m" + std::to_string(i));
  EXPECT_EQ(last, 199u);
  EXPECT_EQ(ring.Index(), 0u);
  EXPECT_EQ(Post("next"), 0u);
  EXPECT_EQ(ring.Slot(0), "next");
  EXPECT_EQ(ring.Slot(199), "m199");
  w.loop.AdvanceBy(100 * 201);
  EXPECT_EQ(Messages().size(), 201u);
  EXPECT_EQ(Messages().back(), "next");
  EXPECT_EQ(ring.Write(std::string(300, 'x')), 1u);
  EXPECT_EQ(ring.Slot(1).size(), 255u) << "a slot holds 255 bytes and its terminator";
}

TEST_F(AuthenStatus, OkEndsTheAuthenticationAfterTheLinesBeforeIt) {
  Post("started");
  Post("succeeded");
  Post("OK");
  EXPECT_EQ(ring.Index(), 0u) << "the slots are cleared at once";
  EXPECT_TRUE(ring.Slot(0).empty());
  EXPECT_TRUE(panels.empty()) << "the panel stays until its lines are shown";
  w.loop.AdvanceBy(200);
  EXPECT_EQ(panels, std::vector<int>{0});
  EXPECT_EQ(Messages(), (std::vector<std::string>{"started", "succeeded"})) << "the rows stay";
  // Not shown: "OK" does not switch panels.
  shown = 0;
  panels.clear();
  w.loop.AdvanceBy(500);
  Post("OK");
  EXPECT_TRUE(panels.empty());
}

TEST_F(AuthenStatus, IgnoresSlotsOutsideTheRing) {
  for (WPARAM slot : {static_cast<WPARAM>(-1), static_cast<WPARAM>(200)}) {
    w.loop.PostMessage(panel.Window(), CAuthenStatusDlg::kMsgAuthenMessage, slot, 0);
  }
  w.loop.DrainMessages();
  EXPECT_TRUE(panel.State().rows.empty());
}

TEST_F(AuthenStatus, LabelsFromTheAdapterKey) {
  w.world->registry().WriteTextDirect(kHkeyLocalMachine, w.context.classKeyPath, "CurProfile", "Office");
  panel.OnShow();
  EXPECT_EQ(panel.State().cardText, "Card Name >> VQ-MA310X 11N Wireless Adapter");
  EXPECT_EQ(panel.State().profileText, "") << "no connection record in force";
  inForce = &record;
  panel.OnShow();
  EXPECT_EQ(panel.State().profileText, "Profile Name >> Office");
  w.loop.AdvanceBy(CAuthenStatusDlg::kLabelPeriodMs);
  EXPECT_EQ(panel.State().profileText, "Profile Name >> Office");
  // A connection made by hand for one access point.
  record.byBssid = 1;
  w.loop.AdvanceBy(CAuthenStatusDlg::kLabelPeriodMs);
  EXPECT_EQ(panel.State().profileText, "Connected by manual...");
  panel.OnHide();
}

TEST_F(AuthenStatus, CancelClearsTheRingAndTheListAndGivesUp) {
  Post("a");
  Post("b");
  panel.OnCancel();
  EXPECT_EQ(cancels, 1);
  EXPECT_EQ(panels, std::vector<int>{0});
  EXPECT_TRUE(panel.State().rows.empty());
  EXPECT_EQ(panel.Pending(), 0u);
  EXPECT_TRUE(ring.Slot(0).empty());
  EXPECT_EQ(ring.Index(), 0u);
}

TEST(InvalidIdPw, FieldsFollowTheAuthenticationProtocol) {
  const StringTable strings(Language::kEnglish);
  struct Case {
    int protocol;
    bool password;
    bool domain;
  };
  for (const Case c : {Case{0, true, false}, Case{1, false, false}, Case{2, true, false}, Case{3, true, true},
                       Case{4, true, false}, Case{5, true, true}}) {
    SCOPED_TRACE(c.protocol);
    std::vector<InvalidIdPwCredentials> handed;
    int cancelled = 0;
    CInvalidIDPW prompt(strings,
                        {[&](const InvalidIdPwCredentials& typed) { handed.push_back(typed); }, [&] { ++cancelled; }});
    prompt.Open({"Card", "Office", "The user name or password is not correct.", c.protocol});
    EXPECT_TRUE(prompt.State().identityVisible);
    EXPECT_EQ(prompt.State().passwordVisible, c.password);
    EXPECT_EQ(prompt.State().domainVisible, c.domain);
    EXPECT_EQ(prompt.State().message, "The user name or password is not correct.");
    prompt.SetIdentity("jdoe");
    prompt.SetPassword("secret");
    prompt.SetDomain("CORP");
    prompt.OnOk();
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].identity, "jdoe");
    // Hidden fields hand nothing over.
    EXPECT_EQ(handed[0].password, c.password ? "secret" : "");
    EXPECT_EQ(handed[0].domain, c.domain ? "CORP" : "");
    prompt.OnCancel();
    EXPECT_EQ(cancelled, 1);
    prompt.Open({});
    EXPECT_TRUE(prompt.State().fields.identity.empty()) << "opening again starts empty";
  }
}

}  // namespace
}  // namespace nxui::test
