// The WPS page: the access points in range that advertise WPS, PIN and push-button runs with their
// progress, "Config Mode", and the credentials the runs produced with Connect, Rotate, Disconnect,
// Delete, Detail and "Export Profile". The engine does the runs and the connections; the page owns
// its display state and tells the engine what the user did. While the page exists its timers drive
// the engine; at its creation and destruction the engine is handed over with the hidden window.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "display/DisplayColour.h"
#include "platform/IEventLoop.h"
#include "platform/IRandom.h"
#include "wps/WpsApList.h"
#include "wps/WpsEngine.h"
#include "wps/WpsPageState.h"

namespace nxui {

class CPageWPSProfile;
class CProfileEditorDlg;
class IWpsPageHost;
class StringTable;
class WlanSession;

// The progress bar's end colour: green below 35, yellow from 35 to 69, blue from 70.
DisplayColour WpsProgressColour(int progress);

class CPageWPSDlg final : public IMessageTarget, public IWpsPage {
 public:
  // Positions of the access point list's and the credential list's columns.
  static constexpr int kApLockColumn = 4;  // the unused marker column is dropped
  static constexpr int kCredentialMarkColumn = 0;
  static constexpr int kCredentialLockColumn = 3;

  // `detail` and `editor` may be null: "Detail" and "Export Profile" then do nothing.
  // `random` makes the page's PINs.
  CPageWPSDlg(IEventLoop& loop, IRandom& random, WpsEngine& engine, WlanSession& session, const StringTable& strings,
              IWpsPageHost& host, CPageWPSProfile* detail, CProfileEditorDlg* editor);
  ~CPageWPSDlg() override;
  CPageWPSDlg(const CPageWPSDlg&) = delete;
  CPageWPSDlg& operator=(const CPageWPSDlg&) = delete;

  // Captions, columns, the engine taken over from the hidden window, a new PIN, the lists and the
  // page's timers.
  void OnInitDialog();

  // --- the user's actions ---------------------------------------------------------------------
  void OnRescan();
  void OnInformation();
  // -1 (or a row that does not exist): no row.
  void OnApRowClicked(int row);
  void OnCredentialRowClicked(int row);
  void OnPin();
  void OnPbc();
  void OnRenew();
  // The "Config Mode" list: 0 enrollee, 1 registrar.
  void OnConfigModeChanged(int position);
  void OnConnect();
  void OnRotate();
  void OnDisconnect();
  void OnDelete();
  void OnDetail();
  void OnExportProfile();
  // The PIN field's text as typed (ignored while it is read-only; at most 8 characters are kept).
  void OnPinEdited(const std::string& text);
  void OnAssocIeChanged(bool checked);
  void OnProbeIeChanged(bool checked);
  void OnAutoSelectChanged(bool checked);

  // --- messages relayed by the hidden window ----------------------------------------------------
  // WM_USER + 4: new scan results (or the radio went off).
  void OnScanCompleted();
  // WM_USER + 6: the scan failed.
  void OnScanFailed();

  const WpsPageState& State() const { return state_; }
  const WpsApList& ApList() const { return apList_; }
  const WpsEngine& Engine() const { return engine_; }
  // The page's own PIN: generated at creation, replaced by "Renew".
  std::uint32_t PagePin() const { return pagePin_; }
  bool Exporting() const;

  // IWpsPage (what the engine does to the page) and IMessageTarget.
  HWND Window() const override { return window_; }
  void SetStatusText(const std::string& text) override { state_.statusText = text; }
  void SetProgress(int percent) override { state_.progress.SetPosition(percent); }
  int Progress() const override { return state_.progress.position; }
  void EnableRescan(bool enabled) override { state_.rescanEnabled = enabled; }
  void EnablePbc(bool enabled) override { state_.pbcEnabled = enabled; }
  void RefillApList() override;
  int ApRowCount() const override { return static_cast<int>(apList_.Size()); }
  int SelectedApRow() const override { return state_.selectedAp; }
  std::span<const std::uint8_t> ApScanEntry(int row) const override;
  void ClearCredentialList() override;
  void RebuildCredentialList() override;
  void MarkCredential(int row, int mark) override;
  void RefreshButtons() override;
  bool AssocIeChecked() const override { return state_.assocIeChecked; }
  bool ProbeIeChecked() const override { return state_.probeIeChecked; }
  std::string PinText() const override { return state_.pinText; }
  void ShowPinTip(const std::string& text) override;
  void ShowPinMessage(const std::string& text) override;

  void OnTimer(UINT_PTR timerId) override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Before every action: the pop-up tip of the last one goes.
  void BeginAction();
  void ApplyModeControls();
  void PaintProgress();
  std::uint32_t NewPin();

  IEventLoop& loop_;
  IRandom& random_;
  WpsEngine& engine_;
  WlanSession& session_;
  const StringTable& strings_;
  IWpsPageHost& host_;
  CPageWPSProfile* detail_;
  // "Export Profile" hands it to the engine, which goes on through the credentials as it closes.
  CProfileEditorDlg* editor_;

  HWND window_ = 0;
  std::uint32_t pagePin_ = 0;
  WpsApList apList_;
  WpsPageState state_;
};

}  // namespace nxui
