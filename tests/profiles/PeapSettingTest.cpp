#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/StringTable.h"
#include "profiles/CPeapSettingDlg.h"

namespace nxui {
namespace {

class PeapPanel : public ::testing::Test {
 protected:
  StringTable strings{Language::kEnglish};
  std::vector<std::string> messages;
  std::vector<PeapCredentials> handed;
  CPeapSettingDlg panel{strings, PeapPanelActions{[this](const std::string& text) {
                                                    messages.push_back(text);
                                                    return 1;
                                                  },
                                                  [this](const PeapCredentials& c) { handed.push_back(c); }}};
};

TEST_F(PeapPanel, CaptionsFollowTheSituation) {
  struct Row {
    const char* name;
    PeapRequest request;
    const char* caption;
    const char* description;
    const char* identityLabel;
    const char* passwordLabel;
    const char* identity;
    bool identityEnabled;
    bool passwordEnabled;
  };
  const Row rows[] = {
      {"password change",
       {0, true, false, "alice"},
       "Enter your new password",
       "Description : Enter your new password",
       "Identity",
       "Password",
       "alice",
       false,
       true},
      {"password change wins over the protocol",
       {2, true, false, "alice"},
       "Enter your new password",
       "Description : Enter your new password",
       "Identity",
       "Password",
       "alice",
       false,
       true},
      {"PEAP one-time password",
       {0, false, false, "bob"},
       "Peap Setting - One Time Password",
       "Description : Peap Setting - One Time Password",
       "Tunnel Identity",
       "Tunnel Password",
       "bob",
       true,
       true},
      {"other protocol",
       {2, false, false, "carol"},
       "Enter your new username and password",
       "Description : Enter your new username and password",
       "Identity",
       "Password",
       "",
       true,
       true},
      {"optional password",
       {0, false, true, "dave"},
       "Peap Setting - One Time Password",
       "Description : Peap Setting - One Time Password",
       "Tunnel Identity",
       "Tunnel Password",
       "dave",
       true,
       false},
  };
  for (const Row& row : rows) {
    panel.Open(row.request);
    const PeapSettingState& s = panel.State();
    EXPECT_EQ(s.caption, row.caption) << row.name;
    EXPECT_EQ(s.description, row.description) << row.name;
    EXPECT_EQ(s.identityLabel, row.identityLabel) << row.name;
    EXPECT_EQ(s.passwordLabel, row.passwordLabel) << row.name;
    EXPECT_EQ(s.identity, row.identity) << row.name;
    EXPECT_EQ(s.identityEnabled, row.identityEnabled) << row.name;
    EXPECT_EQ(s.passwordEnabled, row.passwordEnabled) << row.name;
  }
}

TEST_F(PeapPanel, OkNeedsAnIdentityAndARequiredPassword) {
  panel.Open({1, false, false, ""});
  EXPECT_FALSE(panel.OnOk());
  panel.SetIdentity("erin");
  EXPECT_FALSE(panel.OnOk());
  EXPECT_EQ(messages, (std::vector<std::string>{"Must input Identity", "Must input Password"}));
  EXPECT_TRUE(handed.empty());
  panel.SetPassword("pw");
  ASSERT_TRUE(panel.OnOk());
  ASSERT_EQ(handed.size(), 1u);
  EXPECT_EQ(handed[0].identity, "erin");
  EXPECT_EQ(handed[0].password, "pw");

  panel.Open({0, false, true, "frank"});
  EXPECT_TRUE(panel.OnOk()) << "an optional password may stay empty";
  EXPECT_EQ(handed.back().password, "");
}

}  // namespace
}  // namespace nxui
