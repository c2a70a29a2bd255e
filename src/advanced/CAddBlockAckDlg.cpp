#include "advanced/CAddBlockAckDlg.h"

#include "adapter/DriverRequestPort.h"
#include "adapter/Oids.h"

namespace nxui {

CAddBlockAckDlg::CAddBlockAckDlg(DriverRequestPort& driver, WlanSession& session, const StringTable& strings,
                                 BlockAckWindow window)
    : BlockAckDialogBase(driver, session, strings, std::move(window), string_id::kAddBlockAck) {
  state_.windowSizeVisible = true;
  state_.windowSizeLabel = strings_.LoadString(string_id::kBaWindowSizeLabel);
  state_.windowSizeText = kInitialWindowSize;
}

void CAddBlockAckDlg::Open() { Prepare(kBlockAckOriginator); }

void CAddBlockAckDlg::SetWindowSizeText(std::string text) { state_.windowSizeText = std::move(text); }

bool CAddBlockAckDlg::OnOk() {
  const std::optional<std::uint32_t> windowSize = ParseUnsignedField(state_.windowSizeText);
  if (!windowSize) {
    if (mainWindow_.showMessage) mainWindow_.showMessage(strings_.LoadString(string_id::kPleaseEnterPositiveInteger));
    return false;
  }
  const std::optional<Dot11MacAddress> peer = ChosenPeer();
  if (!peer) return false;
  // The request channel retries a refused set on its own; the outcome shows in the page's lists.
  driver_.Set(OID_WLAN_BA_TABLE, BuildBlockAckAddRequest(*peer, state_.selectedTid, *windowSize));
  ReturnToPage();
  return true;
}

}  // namespace nxui
