#include "advanced/BlockAckDialogBase.h"

#include <array>

#include "adapter/DriverRequestPort.h"
#include "adapter/Oids.h"
#include "display/PanelIds.h"
#include "wlan/WlanSession.h"

namespace nxui {

BlockAckDialogBase::BlockAckDialogBase(DriverRequestPort& driver, WlanSession& session, const StringTable& strings,
                                       BlockAckWindow window, StringId title)
    : driver_(driver), session_(session), strings_(strings), mainWindow_(std::move(window)) {
  state_.title = strings_.LoadString(title);
  state_.peersLabel = strings_.LoadString(string_id::kConnectedBssidsLabel);
  state_.peerColumn = strings_.LoadString(string_id::kBssidColumn);
  state_.tidLabel = strings_.LoadString(string_id::kTidLabel);
  for (int tid = 0; tid < kTidCount; ++tid) state_.tids.push_back(std::to_string(tid));
  state_.okLabel = strings_.LoadString(string_id::kOk);
  state_.cancelLabel = strings_.LoadString(string_id::kCancel);
}

void BlockAckDialogBase::Prepare(int direction) {
  direction_ = direction;
  state_.directionCaption =
      strings_.LoadString(direction == kBlockAckRecipient ? string_id::kRecipientOf : string_id::kOriginatorOf);

  std::array<std::uint8_t, kPeerListSize> list{};
  std::vector<Dot11MacAddress> peers;
  // A failed query lists nobody.
  if (driver_.Query(OID_WLAN_PEER_LIST, list)) peers = ParsePeerList(list);
  std::optional<Dot11MacAddress> current;
  Dot11MacAddress bssid{};
  if (session_.CurrentBssid(bssid) == kErrorSuccess) current = bssid;

  state_.peers.clear();
  for (const Dot11MacAddress& peer : OrderConnectedPeers(peers, current)) state_.peers.push_back(FormatPeer(peer));
  state_.selectedPeer = state_.peers.empty() ? -1 : 0;
  state_.selectedTid = 0;
}

void BlockAckDialogBase::SelectPeer(int row) {
  if (row >= -1 && row < static_cast<int>(state_.peers.size())) state_.selectedPeer = row;
}

void BlockAckDialogBase::SelectTid(int tid) {
  if (tid >= 0 && tid < kTidCount) state_.selectedTid = tid;
}

std::optional<Dot11MacAddress> BlockAckDialogBase::ChosenPeer() {
  std::optional<Dot11MacAddress> peer;
  if (state_.selectedPeer >= 0 && state_.selectedPeer < static_cast<int>(state_.peers.size())) {
    peer = ParsePeerText(state_.peers[static_cast<std::size_t>(state_.selectedPeer)]);
  }
  if (!peer && mainWindow_.showMessage) mainWindow_.showMessage(strings_.LoadString(string_id::kPleaseChooseBssid));
  return peer;
}

void BlockAckDialogBase::OnCancel() { ReturnToPage(); }

void BlockAckDialogBase::ReturnToPage() {
  // The lower frame goes back to the link status.
  if (mainWindow_.showPanel) mainWindow_.showPanel(kPanelLinkStatus);
}

}  // namespace nxui
