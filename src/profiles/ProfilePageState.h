// Display state of the profile page: the list (one row per stored profile, most recently applied
// first), its columns, the detail panel of the selected profile and the buttons.
#pragma once

#include <string>
#include <vector>

#include "profiles/ProfileTexts.h"

namespace nxui {

namespace profile_state {
// Column 0: the active profile, connected (0) or not connected (1); kNone for other rows.
inline constexpr int kNone = -1;
inline constexpr int kConnected = 0;
inline constexpr int kActive = 1;
}  // namespace profile_state

struct ProfileRow {
  ProfileTexts texts;
  int state = profile_state::kNone;
  bool secured = false;         // column 3: authentication not "Open" or encryption not "None"
  bool infrastructure = false;  // column 4: network type not "Ad hoc"

  friend bool operator==(const ProfileRow&, const ProfileRow&) = default;
};

struct ProfileColumn {
  std::string header;
  double widthFraction;  // of the list's client width

  friend bool operator==(const ProfileColumn&, const ProfileColumn&) = default;
};

struct ProfilePageLabels {
  std::string title;  // "Profile List"
  std::string profileName, ssid, networkType, authentication, encryption, use8021X, txPower, channel, powerSave,
      rtsThreshold, fragThreshold;
  std::string add, edit, remove, apply;

  friend bool operator==(const ProfilePageLabels&, const ProfilePageLabels&) = default;
};

struct ProfilePageState {
  ProfilePageLabels labels;
  std::vector<ProfileColumn> columns;
  std::vector<ProfileRow> rows;
  int selectedRow = -1;  // the focused row; -1 none
  ProfileTexts details;  // of the selected row; all empty without one
  std::string currentProfileName;
  bool addEnabled = true;
  bool editEnabled = false;
  bool deleteEnabled = false;
  bool applyEnabled = false;

  friend bool operator==(const ProfilePageState&, const ProfilePageState&) = default;
};

}  // namespace nxui
