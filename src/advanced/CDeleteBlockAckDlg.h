// Panel 10: tears down the Block Ack session with a connected peer for one TID, as originator or
// as recipient depending on the page's list the dialog was opened from.
#pragma once

#include "advanced/BlockAckDialogBase.h"

namespace nxui {

class CDeleteBlockAckDlg final : public BlockAckDialogBase {
 public:
  static constexpr int kPanel = 10;

  CDeleteBlockAckDlg(DriverRequestPort& driver, WlanSession& session, const StringTable& strings,
                     BlockAckWindow window);

  // The page's "-" of the originator (kBlockAckOriginator) or recipient list.
  void Open(int direction);
  // True when the request went out and the page is back; false without a chosen peer.
  bool OnOk();
};

}  // namespace nxui
