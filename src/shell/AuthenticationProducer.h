// The writer of the authentication log and the one who asks for credentials: it turns the WLAN
// service's 802.1X notifications into messages in the program's ring (each posted to the
// authentication status panel as WM_APP + 2, "OK" at the end), shows that panel while an exchange
// runs, and shows the credential prompt (panel 7 after refused credentials, panel 8 for a new or
// one-time password). What the user types there goes back to the exchange.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/IEventLoop.h"
#include "platform/IWlanApi.h"

namespace nxui {
struct AdapterContext;
struct ConnectionSettings;
class IRegistry;
class WlanSession;
struct InvalidIdPwRequest;
struct PeapRequest;
}  // namespace nxui

namespace nxui::shell {

class AuthenticationLog;
class CNxUI2007Dlg;

// The panels while the main window has them.
struct AuthenticationPanels {
  HWND statusWindow = 0;                                           // panel 5
  std::function<void(const InvalidIdPwRequest&)> openInvalidIdPw;  // panel 7
  std::function<void(const PeapRequest&)> openPeap;                // panel 8
};

class AuthenticationProducer {
 public:
  AuthenticationProducer(IEventLoop& loop, AuthenticationLog& ring, WlanSession& session, IRegistry& registry,
                         const AdapterContext& context, std::function<CNxUI2007Dlg*()> mainWindow,
                         std::function<const ConnectionSettings*()> recordInForce);

  // wlan_msg::kOneX: the notifications that arrived.
  void OnNotifications(const std::vector<WlanNotification>& notifications);

  void SetPanels(AuthenticationPanels panels) { panels_ = std::move(panels); }
  void ClearPanels() { panels_ = {}; }

  // Panels 7 and 8: the credentials typed, or the prompt given up.
  void OnCredentials(const WlanOneXCredentials& credentials);
  void OnPromptCancelled();
  // Panel 5's Cancel: the exchange is no longer followed on screen.
  void OnStatusCancelled() { following_ = false; }

  // Flag A: an exchange runs and panel 5 follows it. Flag B: the user gave a prompt up.
  bool Following() const { return following_; }
  bool PromptCancelled() const { return promptCancelled_; }
  // A credential request is waiting for the user.
  bool Asking() const { return asking_; }
  // Between the first step of an exchange and its end.
  bool Running() const { return running_; }

 private:
  void OnStep(const WlanOneXData& data);
  void OnRequest(const WlanOneXData& data);
  void Write(const std::string& text);
  void ShowPanel(int panel);
  void Answer(const WlanOneXCredentials& credentials);

  IEventLoop& loop_;
  AuthenticationLog& ring_;
  WlanSession& session_;
  IRegistry& registry_;
  const AdapterContext& context_;
  std::function<CNxUI2007Dlg*()> mainWindow_;
  std::function<const ConnectionSettings*()> recordInForce_;
  AuthenticationPanels panels_;
  bool running_ = false;  // between the first step and the end of an exchange
  bool following_ = false;
  bool promptCancelled_ = false;
  bool asking_ = false;
  bool storedTried_ = false;  // the profile's own credentials were offered once
};

}  // namespace nxui::shell
