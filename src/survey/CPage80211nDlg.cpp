#include "survey/CPage80211nDlg.h"

#include "scan/ScanEntryDecoders.h"
#include "survey/ApDetailTexts.h"

namespace nxui {

CPage80211nDlg::CPage80211nDlg() {
  state_.propertyHeader = ap_detail_text::kProperty;
  state_.valueHeader = ap_detail_text::kValue;
}

void CPage80211nDlg::Fill(const ScanEntryRecord& entry) {
  const HtFieldList fields = FormatHtFields(DecodeHt(entry));
  state_.htInformationPresent = fields[kHtInformationPresentField] == "TRUE";
  state_.rows.clear();
  for (std::size_t i = 0; i < kHtFieldRows.size(); ++i) {
    const HtFieldRow& row = kHtFieldRows[i];
    if (row.groupHeader != nullptr) {
      state_.rows.push_back({HtListRow::Kind::GroupHeader, row.groupHeader, "", kGroupImage});
    }
    state_.rows.push_back({HtListRow::Kind::Item, row.property,
                           state_.htInformationPresent ? fields[i] : ap_detail_text::kNotAvailable, kItemImage});
  }
}

}  // namespace nxui
