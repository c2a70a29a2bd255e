// What the two Block Ack dialogs (panels 9 and 10) share: the connected-peer list read from the
// driver with the current BSSID first, the TID list, the peer choice that "OK" needs, and the
// return to the page.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "advanced/BlockAckRecords.h"
#include "display/StringTable.h"

namespace nxui {

class DriverRequestPort;
class WlanSession;

struct BlockAckDialogState {
  std::string title;
  std::string directionCaption;  // "Originator of" / "Recipient of"
  std::string peersLabel;        // "Connected Bssids >>"
  std::string peerColumn;        // "BSSID", 90 % of the list's width
  std::vector<std::string> peers;
  int selectedPeer = -1;
  std::string tidLabel;  // "TID >>"
  std::vector<std::string> tids;
  int selectedTid = 0;
  // The add dialog only.
  bool windowSizeVisible = false;
  std::string windowSizeLabel;
  std::string windowSizeText;
  std::string okLabel;
  std::string cancelLabel;

  bool operator==(const BlockAckDialogState&) const = default;
};

// The main window's ShowPanel and ShowMessage, as the dialogs and the page use them.
struct BlockAckWindow {
  std::function<void(int panel)> showPanel;
  std::function<void(const std::string& text)> showMessage;
};

class BlockAckDialogBase {
 public:
  static constexpr int kPeerColumnPercent = 90;

  const BlockAckDialogState& State() const { return state_; }
  // Which list the dialog was opened for (the add dialog: always the originator list).
  int Direction() const { return direction_; }

  void SelectPeer(int row);
  void SelectTid(int tid);
  // "Cancel": back to the page without a request.
  void OnCancel();

 protected:
  BlockAckDialogBase(DriverRequestPort& driver, WlanSession& session, const StringTable& strings, BlockAckWindow window,
                     StringId title);
  ~BlockAckDialogBase() = default;
  BlockAckDialogBase(const BlockAckDialogBase&) = delete;
  BlockAckDialogBase& operator=(const BlockAckDialogBase&) = delete;

  // Opening: the peer list read again with row 0 selected, TID 0.
  void Prepare(int direction);
  // The selected peer's address, or "Please choose BSSID" and nothing.
  std::optional<Dot11MacAddress> ChosenPeer();
  void ReturnToPage();

  DriverRequestPort& driver_;
  WlanSession& session_;
  const StringTable& strings_;
  BlockAckWindow mainWindow_;
  BlockAckDialogState state_;
  int direction_ = kBlockAckOriginator;
};

}  // namespace nxui
