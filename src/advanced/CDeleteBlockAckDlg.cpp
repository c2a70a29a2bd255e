#include "advanced/CDeleteBlockAckDlg.h"

#include "adapter/DriverRequestPort.h"
#include "adapter/Oids.h"

namespace nxui {

CDeleteBlockAckDlg::CDeleteBlockAckDlg(DriverRequestPort& driver, WlanSession& session, const StringTable& strings,
                                       BlockAckWindow window)
    : BlockAckDialogBase(driver, session, strings, std::move(window), string_id::kDeleteBlockAck) {}

void CDeleteBlockAckDlg::Open(int direction) {
  Prepare(direction == kBlockAckRecipient ? kBlockAckRecipient : kBlockAckOriginator);
}

bool CDeleteBlockAckDlg::OnOk() {
  const std::optional<Dot11MacAddress> peer = ChosenPeer();
  if (!peer) return false;
  driver_.Set(OID_WLAN_BA_DELETE, BuildBlockAckDeleteRequest(direction_, *peer, state_.selectedTid));
  ReturnToPage();
  return true;
}

}  // namespace nxui
