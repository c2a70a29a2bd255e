#include "profiles/CPeapSettingDlg.h"

#include "display/StringTable.h"

namespace nxui {

using namespace string_id;

CPeapSettingDlg::CPeapSettingDlg(const StringTable& strings, PeapPanelActions actions)
    : strings_(strings), actions_(std::move(actions)) {
  state_.okLabel = strings_.LoadString(kOk);
}

void CPeapSettingDlg::Open(const PeapRequest& request) {
  request_ = request;
  auto text = [this](StringId id) { return strings_.LoadString(id); };
  state_.password.clear();
  if (request.passwordChange) {
    state_.caption = text(kEnterNewPassword);
    state_.description = text(kEnterNewPasswordDescription);
    state_.identityLabel = text(kIdentity);
    state_.passwordLabel = text(kPassword);
    state_.identity = request.storedIdentity;
    state_.identityEnabled = false;
  } else if (request.authenProtocol == 0) {
    state_.caption = text(kPeapOneTimePassword);
    state_.description = text(kPeapOneTimePasswordDescription);
    state_.identityLabel = text(kTunnelIdentity);
    state_.passwordLabel = text(kTunnelPassword);
    state_.identity = request.storedIdentity;
    state_.identityEnabled = true;
  } else {
    state_.caption = text(kEnterNewUserAndPassword);
    state_.description = text(kEnterNewUserAndPasswordDescription);
    state_.identityLabel = text(kIdentity);
    state_.passwordLabel = text(kPassword);
    state_.identity.clear();
    state_.identityEnabled = true;
  }
  state_.passwordEnabled = !request.passwordOptional;
}

bool CPeapSettingDlg::OnOk() {
  auto show = [this](StringId id) {
    if (actions_.showMessage) actions_.showMessage(strings_.LoadString(id));
  };
  if (state_.identity.empty()) {
    show(kMustInputIdentity);
    return false;
  }
  if (!request_.passwordOptional && state_.password.empty()) {
    show(kMustInputPassword);
    return false;
  }
  if (actions_.done) actions_.done(PeapCredentials{state_.identity, state_.password});
  return true;
}

}  // namespace nxui
