// Panel 9: adds an originator Block Ack session with a connected peer for one TID, with the
// window size limit the user enters (its low 8 bits go to the driver).
#pragma once

#include <string>

#include "advanced/BlockAckDialogBase.h"

namespace nxui {

class CAddBlockAckDlg final : public BlockAckDialogBase {
 public:
  static constexpr int kPanel = 9;
  // What the field holds when the dialog opens for the first time.
  static constexpr const char* kInitialWindowSize = "64";

  CAddBlockAckDlg(DriverRequestPort& driver, WlanSession& session, const StringTable& strings, BlockAckWindow window);

  // The page's originator "+": fills the peer list; the entered window size stays.
  void Open();
  void SetWindowSizeText(std::string text);
  // True when the request went out and the page is back; false when the dialog stays (a window
  // size that is not a number, no peer chosen).
  bool OnOk();
};

}  // namespace nxui
