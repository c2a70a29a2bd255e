#include "monitor/CInvalidIDPW.h"

#include "display/StringTable.h"

namespace nxui {

CInvalidIDPW::CInvalidIDPW(const StringTable& strings, InvalidIdPwActions actions)
    : strings_(strings), actions_(std::move(actions)) {
  Open(InvalidIdPwRequest{});
}

void CInvalidIDPW::Open(const InvalidIdPwRequest& request) {
  using namespace string_id;
  state_.cardLabel = strings_.LoadString(kCardNameLabel);
  state_.profileLabel = strings_.LoadString(kProfileNameLabel);
  state_.messageLabel = strings_.LoadString(kMessageLabel);
  state_.identityLabel = strings_.LoadString(kIdentityLabel);
  state_.passwordLabel = strings_.LoadString(kPasswordLabel);
  state_.domainLabel = strings_.LoadString(kDomainNameLabel);
  state_.okLabel = strings_.LoadString(kOk);
  state_.cancelLabel = strings_.LoadString(kCancel);
  state_.card = request.card;
  state_.profile = request.profile;
  state_.message = request.message;
  state_.fields = {};
  state_.identityVisible = true;
  state_.passwordVisible = request.authenProtocol != 1;
  state_.domainVisible = request.authenProtocol == 3 || request.authenProtocol == 5;
}

void CInvalidIDPW::OnOk() {
  InvalidIdPwCredentials typed = state_.fields;
  if (!state_.passwordVisible) typed.password.clear();
  if (!state_.domainVisible) typed.domain.clear();
  if (actions_.done) actions_.done(typed);
}

void CInvalidIDPW::OnCancel() {
  if (actions_.cancelled) actions_.cancelled();
}

}  // namespace nxui
