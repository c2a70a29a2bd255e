// Display state of the WPS page: the access point list, the credential list with its marks, the PIN
// field, "Config Mode", the buttons and check boxes, the progress bar and the status line.
#pragma once

#include <string>
#include <vector>

#include "display/PercentBarState.h"
#include "wps/WpsApList.h"

namespace nxui {

struct WpsColumn {
  std::string header;
  double widthFraction;  // of the list's width

  bool operator==(const WpsColumn&) const = default;
};

// One credential row: its mark (0 connected, 1 trying, -1 none) draws the connection image.
struct WpsCredentialRow {
  int mark = -1;
  std::string ssid;
  std::string bssid;    // never filled: the MAC address is shown in the detail view only
  bool locked = false;  // anything but open with no encryption

  bool operator==(const WpsCredentialRow&) const = default;
};

struct WpsPageLabels {
  std::string apList, profileList, rescan, information, pinCodeGroup, renew, configModeGroup;
  std::string detail, connect, rotate, disconnect, remove, exportProfile, pin, pbc;
  std::string assocIe, probeIe, autoSelectAp;
  std::vector<std::string> configModes;  // "Enrollee", "Registrar"

  bool operator==(const WpsPageLabels&) const = default;
};

struct WpsPageState {
  WpsPageLabels labels;
  std::vector<WpsColumn> apColumns;
  std::vector<WpsApRow> apRows;
  int selectedAp = -1;
  std::vector<WpsColumn> credentialColumns;
  std::vector<WpsCredentialRow> credentialRows;
  int selectedCredential = -1;

  std::string pinText;
  bool pinReadOnly = true;
  int pinMaxLength = 8;
  // A refusal shown as a pop-up tip at the PIN field (empty: none), with the focus there.
  std::string pinTip;
  bool pinFocused = false;

  int configMode = 0;  // position in the "Config Mode" list: 0 enrollee, 1 registrar

  bool rescanEnabled = true;
  bool informationEnabled = false;
  bool pinEnabled = false;
  bool pbcEnabled = true;
  bool renewEnabled = true;
  bool detailEnabled = false;
  bool connectEnabled = false;
  bool rotateEnabled = false;
  bool disconnectEnabled = true;
  bool deleteEnabled = false;
  bool deleteVisible = true;
  bool exportEnabled = false;

  bool assocIeChecked = true;
  bool probeIeChecked = true;
  // "Automatically select the AP": created hidden and unchecked, never shown.
  bool autoSelectVisible = false;
  bool autoSelectChecked = false;

  PercentBarState progress;
  std::string progressFont;
  int progressFontHeight = 0;
  std::string statusText;

  bool operator==(const WpsPageState&) const = default;
};

}  // namespace nxui
