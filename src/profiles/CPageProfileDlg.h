// The "Profile List" page: the stored profiles with the most recently applied first, the settings
// of the selected one, and Add, Edit, Delete and Apply. Apply makes a profile the station
// configuration and connects with it; Delete removes it from the store and the platform's list.
// The page owns only its display state, rebuilt from the profile file (read once) on every refresh.
#pragma once

#include <string>

#include "platform/IEventLoop.h"
#include "profiles/ProfilePageState.h"

namespace nxui {

class IProfileEditorHost;
class IProfilePageHost;
class ProfileStore;
class StationApplier;
class StoreFileSnapshot;
class StringTable;
class WlanSession;
struct StoreResult;

class CPageProfileDlg final : public IMessageTarget {
 public:
  static constexpr UINT_PTR kTimerId = 2;
  static constexpr UINT kTimerPeriodMs = 3000;

  // Control ids of the dialog template.
  static constexpr int kCtlList = 1024;
  static constexpr int kCtlAdd = 1133;
  static constexpr int kCtlEdit = 1134;
  static constexpr int kCtlDelete = 1135;
  static constexpr int kCtlApply = 1136;

  CPageProfileDlg(IEventLoop& loop, WlanSession& session, ProfileStore& store, StationApplier& applier,
                  const StringTable& strings, IProfilePageHost& host, IProfileEditorHost& editor);
  ~CPageProfileDlg() override;
  CPageProfileDlg(const CPageProfileDlg&) = delete;
  CPageProfileDlg& operator=(const CPageProfileDlg&) = delete;

  // Columns, labels, the first refresh and timer 2.
  void OnInitDialog();

  // Rebuilds the rows from the files; the selected profile stays selected when it is still there.
  void Refresh();
  // -1 (or a row that does not exist): no row.
  void OnRowClicked(int row);
  void OnAdd();
  void OnEdit();
  void OnDelete();
  void OnApply();
  // The editor saved a profile.
  void OnProfileSaved() { Refresh(); }
  // Another page (single sign-on) made `name` the active profile.
  void SetCurrentProfileName(const std::string& name) { state_.currentProfileName = name; }
  // WM_USER + 7 from the platform's 802.1X dialog: 1 when it closed, 0 when it opened.
  void OnEditorState(WPARAM wParam);
  // Timer 2: the connection of the active profile, shown in column 0.
  void OnTick();

  const ProfilePageState& State() const { return state_; }
  HWND Window() const { return window_; }

  void OnTimer(UINT_PTR timerId) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Add, Edit, Delete and Apply act only with the adapter ready and the radio on.
  bool ButtonsLive() const;
  // The focused row, or -1 after "No selected item".
  int FocusedRow();
  void Select(int row);
  void UpdateButtons();
  void UpdateStateMarkers();
  // Activation as Apply does it: station, ApplyStation(0, 1, 0), time stamp, refresh.
  void Activate(const std::string& name);
  // Shows a store failure in the message box; true when `result` was a success.
  bool Report(const StoreResult& result);

  IEventLoop& loop_;
  WlanSession& session_;
  ProfileStore& store_;
  StationApplier& applier_;
  const StringTable& strings_;
  IProfilePageHost& host_;
  IProfileEditorHost& editor_;

  HWND window_ = 0;
  // The platform's 802.1X dialog is open: Edit, Delete and Apply stay disabled until it closes.
  bool platformEditorOpen_ = false;
  ProfilePageState state_;
};

}  // namespace nxui
