#include "survey/CAPDetailInfoDlg.h"

#include "display/PanelIds.h"
#include "display/StringTable.h"
#include "scan/ScanEntryDecoders.h"
#include "scan/ScanEntryRecord.h"
#include "survey/ApDetailTexts.h"

namespace nxui {

namespace text = ap_detail_text;

CAPDetailInfoDlg::CAPDetailInfoDlg(const StringTable& strings, std::function<void(int)> showPanel)
    : showPanel_(std::move(showPanel)), general_(strings), wps_(strings) {
  state_.tabs = {{{text::kTabGeneral, true}, {text::kTabWps, true}, {text::kTabCcx, true}, {text::kTab80211n, false}}};
  state_.tabFont = text::kTabFont;
  state_.tabFontHeight = text::kTabFontHeight;
  state_.okLabel = strings.LoadString(string_id::kOk);
}

void CAPDetailInfoDlg::ShowEntry(std::span<const std::uint8_t> entry) {
  entry_.assign(entry.begin(), entry.end());
  ScanEntryRecord record;
  ReadScanEntry(entry_, record);
  const ScanEntryDecode decode = DecodeScanEntry(record);
  general_.Fill(record, decode.security);
  wps_.Fill(decode.wps, general_.State().authentication, general_.State().encryption);
  ccx_.Fill(decode.ccx);
  ht_.Fill(decode.ht);
  state_.tabs[kTab80211n].visible = ht_.State().htInformationPresent;
  state_.selectedTab = kTabGeneral;
}

void CAPDetailInfoDlg::OnTabSelected(int tab) {
  if (tab < 0 || tab >= static_cast<int>(state_.tabs.size())) return;
  if (!state_.tabs[static_cast<std::size_t>(tab)].visible) return;
  state_.selectedTab = tab;
}

void CAPDetailInfoDlg::OnOk() {
  if (showPanel_) showPanel_(kPanelLinkStatus);
}

}  // namespace nxui
