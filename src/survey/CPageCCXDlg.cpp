#include "survey/CPageCCXDlg.h"

#include "scan/ScanEntryDecoders.h"
#include "survey/ApDetailTexts.h"

namespace nxui {

CPageCCXDlg::CPageCCXDlg() {
  state_.cckmLabel = ap_detail_text::kCckm;
  state_.cmicLabel = ap_detail_text::kCmic;
  state_.ckipLabel = ap_detail_text::kCkip;
}

void CPageCCXDlg::Fill(const CcxFlags& flags) {
  state_.cckm = flags.cckm ? "TRUE" : "FALSE";
  state_.cmic = flags.cmic ? "TRUE" : "FALSE";
  state_.ckip = flags.ckip ? "TRUE" : "FALSE";
}

}  // namespace nxui
