// The driver-facing WPS engine: PIN check, the start of a PIN or push-button run with its fixed
// OID sets, the status poll with its code table, the credentials fetched on success and the
// connection made from them (in turn, while rotating) through the normal connect path.
//
// It has two hosts. While the WPS page exists the page's timers drive it (2: status poll 200 ms,
// 4: connection monitor 2000 ms, 6: poll for a push-button run begun by the driver 1000 ms) and it
// shows its progress on the page. Otherwise the hidden window's timers drive a reduced copy
// (5: push-button poll 1000 ms, 6: status poll 200 ms, 4: next credential 10000 ms), so a run
// started by the adapter's own button still ends in a stored credential and a connection. The page
// hands over at its creation and destruction (AttachPage, DetachPage).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "adapter/ConnectionSettings.h"
#include "adapter/DriverRequestPort.h"
#include "platform/IEventLoop.h"
#include "profiles/ProfileStore.h"
#include "wps/WpsEngineState.h"
#include "wps/WpsExport.h"
#include "wps/WpsPin.h"
#include "wps/WpsRecords.h"
#include "wps/WpsStatus.h"
#include "wps/WpsStore.h"

namespace nxui {

class WlanSession;

// Marks of a credential row.
inline constexpr int kCredentialConnected = 0;
inline constexpr int kCredentialTrying = 1;
inline constexpr int kCredentialUnmarked = -1;

// What the engine asks of the WPS page that hosts it (CPageWPSDlg). The page owns its lists and
// controls; the engine only says what happens to them.
class IWpsPage {
 public:
  virtual ~IWpsPage() = default;
  // The page's window: its timers 1 to 4 and 6.
  virtual HWND Window() const = 0;

  virtual void SetStatusText(const std::string& text) = 0;
  virtual void SetProgress(int percent) = 0;
  virtual int Progress() const = 0;
  virtual void EnableRescan(bool enabled) = 0;
  virtual void EnablePbc(bool enabled) = 0;

  // The WPS AP list: rebuild it from the scan results, then refresh the buttons.
  virtual void RefillApList() = 0;
  virtual int ApRowCount() const = 0;
  // The selected row, -1 when none.
  virtual int SelectedApRow() const = 0;
  // The scan entry of a row as the page's snapshot holds it (empty for a row that does not exist).
  virtual std::span<const std::uint8_t> ApScanEntry(int row) const = 0;

  // The credential list: empty it; build it from the table (which sets currentCredential and
  // nextCredential to 0, Part of the list's own rule); mark a row (0 connected, 1 trying, -1 none;
  // marking one row unmarks the others).
  virtual void ClearCredentialList() = 0;
  virtual void RebuildCredentialList() = 0;
  virtual void MarkCredential(int row, int mark) = 0;
  virtual void RefreshButtons() = 0;

  // The check boxes "WPS Associate IE" and "WPS Probe IE".
  virtual bool AssocIeChecked() const = 0;
  virtual bool ProbeIeChecked() const = 0;

  // The PIN field: its text; a refusal shown as a pop-up tip at the field, or in the message box
  // (both put the focus on the field).
  virtual std::string PinText() const = 0;
  virtual void ShowPinTip(const std::string& text) = 0;
  virtual void ShowPinMessage(const std::string& text) = 0;
};

// What the engine asks of the hidden window.
class IWpsHost {
 public:
  virtual ~IWpsHost() = default;
  // The hidden window (its timers 4, 5 and 6).
  virtual HWND HiddenWindow() const = 0;
  // Queue a connect action on the hidden window's action queue and work it off when it says so.
  virtual void QueueConnect(std::unique_ptr<ConnectionSettings> record) = 0;
  // A store file could not be written: tell the user (the store is left as it was).
  virtual void ReportStoreFailure(const StoreResult& result) = 0;
};

class WpsEngine {
 public:
  WpsEngine(WpsEngineState& state, IEventLoop& loop, DriverRequestPort& driver, WlanSession& session, WpsStore& store,
            IWpsHost& host);
  WpsEngine(const WpsEngine&) = delete;
  WpsEngine& operator=(const WpsEngine&) = delete;

  const WpsEngineState& State() const { return state_; }
  WpsEngineState& MutableState() { return state_; }
  WpsStore& Store() { return store_; }
  // Connection-monitor ticks of the page (starts at 1).

  // --- hand-over ---------------------------------------------------------------------------
  // Page creation: the hidden window's timers 4 and 5 stop; the page drives from now on.
  void AttachPage(IWpsPage& page);
  // The end of the page's creation: pollCount = 1, timer 4 when wscConnect and credentials exist,
  // timer 6 (push-button poll) always.
  void StartPageTimers();
  // Page destruction: the run is forgotten (autoApIndex -1, no method), the page's timers stop,
  // the hidden window monitors a rotation (timer 4) and watches for push-button runs (timer 5).
  void DetachPage();

  // --- page actions ------------------------------------------------------------------------
  // Reads the PIN field; on success stores PinCode and writes the store (flag 0).
  bool ValidatePin();
  void StartPinRun();
  void StartPbcRun();
  // "Renew": the page's new PIN becomes PinCode; the store is written (flag 0).
  void Renew(std::uint32_t pin);
  // "Config Mode" selection (nothing when the mode is already in force). `pagePin` is the page's
  // own PIN, which enrollee mode takes back.
  void ChangeConfigMode(WpsConfigMode mode, std::uint32_t pagePin);
  // "Connect" with the credential of a row (-1: nothing selected), "Rotate", "Disconnect".
  void Connect(int row);
  void Rotate();
  void Disconnect();
  // "Delete" of a credential row (-1: nothing).
  void DeleteCredential(int row);
  // "Export Profile": the profile editor opens for a new profile filled from each credential in
  // turn; the next one opens when the editor is closed (saved or cancelled).
  void ExportCredentials(CProfileEditorDlg& editor);
  void OnProfileEditorClosed();
  // The editor goes away with the main window: the export ends there.
  void ForgetProfileEditor() { export_.reset(); }
  bool Exporting() const { return export_ && export_->Active(); }
  // The detail view saved the registrar's credential 0: the turn starts at 0; with the page, the
  // WSC flag and the store are written and the credential list rebuilt.
  void RegistrarCredentialSaved();

  // --- timers ------------------------------------------------------------------------------
  // The page's timers 2, 4 and 6.
  void OnPageTimer(UINT_PTR timerId);
  // The hidden window's timers: 5 (true when the driver began a push-button run; the engine has
  // started timer 6 itself), 6 and 4.
  bool OnHiddenPbcPoll();
  void OnHiddenStatusPoll();
  void OnHiddenCredentialStep();

  // --- shared steps ------------------------------------------------------------------------
  void StopPageTimers();
  void ResetRun(bool zeroProgress);
  // Connect with credential currentCredential (rotating: the next one in turn).
  void ConnectWithCredential();
  // The platform is connected to credential currentCredential (SSID, authentication, cipher).
  bool IsConnectedToCredential();
  // Leave WPS connection mode.
  void EndWpsConnection();

  // The platform's algorithm numbers a credential is expected to connect with.
  static std::uint32_t ExpectedAuthAlgorithm(std::uint32_t wpsAuthType);
  static std::uint32_t ExpectedCipherAlgorithm(std::uint32_t wpsEncrType);

 private:
  // The PIN start; true when the run was sent (its own status text stands).
  bool StartPinRunFromStep1();
  void BeginStatusPolling();
  void ClearForEnrolleeStart();
  void DropPlatformConnection();
  void OnStatusPoll();
  void OnPageMonitor();
  void OnPagePbcPoll();
  void Success();
  void FetchCredentials();
  void Forget();
  void WriteStore(int flag);
  void WriteWsc();
  void SendStartRequest(const WpsStartRequest& request, bool pinRun);
  void SetStatus(const std::string& text);
  void SetProgress(int percent);
  void MarkCurrent(int mark);
  void SetPageTimer(UINT_PTR id, UINT periodMs);
  void KillPageTimer(UINT_PTR id);
  void SetHiddenTimer(UINT_PTR id, UINT periodMs);
  void KillHiddenTimer(UINT_PTR id);

  WpsEngineState& state_;
  IEventLoop& loop_;
  DriverRequestPort& driver_;
  WlanSession& session_;
  WpsStore& store_;
  IWpsHost& host_;
  IWpsPage* page_ = nullptr;
  int pollCount_ = 1;
  std::optional<WpsCredentialExport> export_;
};

}  // namespace nxui
