#include "survey/CPage80211nDlg.h"

#include "scan/ScanEntryDecoders.h"
#include "survey/ApDetailTexts.h"

namespace nxui {

CPage80211nDlg::CPage80211nDlg() {
  state_.propertyHeader = ap_detail_text::kProperty;
  state_.valueHeader = ap_detail_text::kValue;
}

void CPage80211nDlg::Fill(const HtDecode& ht) {
  const HtFieldValues fields = HtFieldsOf(ht);
  state_.htInformationPresent = fields[kHtInformationPresentField].value == 1;
  state_.rows.clear();
  for (std::size_t i = 0; i < kHtFieldRows.size(); ++i) {
    const HtFieldRow& row = kHtFieldRows[i];
    if (row.groupHeader != nullptr) {
      state_.rows.push_back({HtListRow::Kind::GroupHeader, row.groupHeader, "", kGroupImage});
    }
    HtListRow& item = state_.rows.emplace_back(HtListRow{HtListRow::Kind::Item, row.property, "", kItemImage});
    if (state_.htInformationPresent) {
      AppendHtField(fields[i], item.value);
    } else {
      item.value = ap_detail_text::kNotAvailable;
    }
  }
}

}  // namespace nxui
