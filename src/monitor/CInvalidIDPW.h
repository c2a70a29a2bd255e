// Panel 7: the credential prompt shown when an 802.1X authentication refused the identity or
// password. Whoever shows it fills the card, profile and message texts; the fields offered follow
// the authentication protocol of the connection record in force. OK hands what was typed to the
// producer, which retries the exchange with it; Cancel gives the authentication up.
#pragma once

#include <functional>
#include <string>

namespace nxui {

class StringTable;

struct InvalidIdPwRequest {
  std::string card;
  std::string profile;
  std::string message;
  int authenProtocol = 0;  // of the connection record in force
};

struct InvalidIdPwCredentials {
  std::string identity;
  std::string password;
  std::string domain;

  bool operator==(const InvalidIdPwCredentials&) const = default;
};

struct InvalidIdPwState {
  std::string cardLabel, profileLabel, messageLabel;  // "Card Name >>", "Profile Name >>", "Message >>"
  std::string card, profile, message;
  std::string identityLabel, passwordLabel, domainLabel;
  std::string okLabel, cancelLabel;
  InvalidIdPwCredentials fields;
  bool identityVisible = true;
  bool passwordVisible = true;
  bool domainVisible = false;

  bool operator==(const InvalidIdPwState&) const = default;
};

struct InvalidIdPwActions {
  // OK: the values typed (only the visible fields; the others empty).
  std::function<void(const InvalidIdPwCredentials&)> done;
  // Cancel: the producer's flag A cleared, flag B set, and the normal panel shown.
  std::function<void()> cancelled;
};

class CInvalidIDPW {
 public:
  static constexpr int kPanel = 7;

  CInvalidIDPW(const StringTable& strings, InvalidIdPwActions actions);

  // Texts filled and the fields chosen for the request; the fields start empty.
  void Open(const InvalidIdPwRequest& request);
  void SetIdentity(const std::string& text) { state_.fields.identity = text; }
  void SetPassword(const std::string& text) { state_.fields.password = text; }
  void SetDomain(const std::string& text) { state_.fields.domain = text; }
  void OnOk();
  void OnCancel();

  const InvalidIdPwState& State() const { return state_; }

 private:
  const StringTable& strings_;
  InvalidIdPwActions actions_;
  InvalidIdPwState state_;
};

}  // namespace nxui
