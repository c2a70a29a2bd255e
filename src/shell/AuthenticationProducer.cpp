#include "shell/AuthenticationProducer.h"

#include <cstring>

#include "adapter/AdapterContext.h"
#include "adapter/AdapterRegistry.h"
#include "adapter/ConnectionSettings.h"
#include "display/PanelIds.h"
#include "monitor/AuthenticationLog.h"
#include "monitor/CAuthenStatusDlg.h"
#include "monitor/CInvalidIDPW.h"
#include "profiles/CPeapSettingDlg.h"
#include "shell/CNxUI2007Dlg.h"
#include "wlan/WlanSession.h"

namespace nxui::shell {
namespace {

std::string Text(const RecordText& text) { return std::string(text.data(), strnlen(text.data(), text.size())); }

}  // namespace

AuthenticationProducer::AuthenticationProducer(IEventLoop& loop, AuthenticationLog& ring, WlanSession& session,
                                               IRegistry& registry, const AdapterContext& context,
                                               std::function<CNxUI2007Dlg*()> mainWindow,
                                               std::function<const ConnectionSettings*()> recordInForce)
    : loop_(loop),
      ring_(ring),
      session_(session),
      registry_(registry),
      context_(context),
      mainWindow_(std::move(mainWindow)),
      recordInForce_(std::move(recordInForce)) {}

void AuthenticationProducer::OnNotifications(const std::vector<WlanNotification>& notifications) {
  for (const WlanNotification& n : notifications) {
    if (n.source != kWlanNotificationSourceOneX) continue;
    if (!running_) {
      // A new exchange: followed on panel 5 from its first step.
      running_ = true;
      following_ = true;
      promptCancelled_ = false;
      storedTried_ = false;
      ShowPanel(CAuthenStatusDlg::kPanel);
    }
    if (n.code == kWlanOneXCredentialsRequest) {
      OnRequest(n.oneX);
    } else if (n.code == kWlanOneXResultUpdate) {
      OnStep(n.oneX);
    }
  }
}

void AuthenticationProducer::OnStep(const WlanOneXData& data) {
  Write(data.text);
  if (data.status == kOneXInProgress) return;
  Write(std::string(AuthenticationLog::kEndOfAuthentication));
  running_ = false;
  following_ = false;
  asking_ = false;
}

void AuthenticationProducer::OnRequest(const WlanOneXData& data) {
  Write(data.text);
  const ConnectionSettings* record = recordInForce_ ? recordInForce_() : nullptr;
  std::string identity;
  std::string password;
  if (record != nullptr) {
    identity = Text(record->leapEnabled != 0 ? record->leapUserName : record->identity);
    password = Text(record->leapEnabled != 0 ? record->leapPassword : record->password);
  }
  // The first ask is answered with the profile's own credentials when it has them.
  if (data.request == kOneXAskIdentity && !storedTried_ && !identity.empty()) {
    storedTried_ = true;
    Answer({identity, password, {}, false});
    return;
  }
  asking_ = true;
  if (data.request == kOneXAskNewPassword || data.request == kOneXAskOneTimePassword) {
    if (!panels_.openPeap) return OnPromptCancelled();
    PeapRequest request;
    request.authenProtocol = record != nullptr ? record->authenProtocol : 0;
    request.passwordChange = data.request == kOneXAskNewPassword;
    request.storedIdentity = identity;
    panels_.openPeap(request);
    ShowPanel(CPeapSettingDlg::kPanel);
    return;
  }
  if (!panels_.openInvalidIdPw) return OnPromptCancelled();
  InvalidIdPwRequest request;
  AdapterRegistry(registry_, context_.classKeyPath).ReadText("DriverDesc", request.card);
  if (request.card.empty()) request.card = context_.displayName;
  if (!AdapterRegistry(registry_, context_.classKeyPath).ReadText("CurProfile", request.profile) && record != nullptr) {
    request.profile = std::string(reinterpret_cast<const char*>(record->ssid.data()),
                                  std::min<std::size_t>(record->ssidLength, record->ssid.size()));
  }
  request.message = data.text;
  request.authenProtocol = record != nullptr ? record->authenProtocol : 0;
  panels_.openInvalidIdPw(request);
  ShowPanel(CInvalidIDPW::kPanel);
}

void AuthenticationProducer::OnCredentials(const WlanOneXCredentials& credentials) {
  if (!asking_) return;
  asking_ = false;
  if (following_) ShowPanel(CAuthenStatusDlg::kPanel);
  Answer(credentials);
}

void AuthenticationProducer::OnPromptCancelled() {
  following_ = false;
  promptCancelled_ = true;
  const bool wasAsking = asking_;
  asking_ = false;
  ShowPanel(kPanelLinkStatus);
  if (wasAsking || running_) {
    WlanOneXCredentials cancelled;
    cancelled.cancelled = true;
    session_.SetOneXCredentials(cancelled);
  }
}

void AuthenticationProducer::Answer(const WlanOneXCredentials& credentials) {
  // An exchange that ended meanwhile has nothing to answer; the service says so.
  session_.SetOneXCredentials(credentials);
}

void AuthenticationProducer::Write(const std::string& text) {
  const std::size_t slot = ring_.Write(text);
  if (panels_.statusWindow != 0) loop_.PostMessage(panels_.statusWindow, CAuthenStatusDlg::kMsgAuthenMessage, slot, 0);
}

void AuthenticationProducer::ShowPanel(int panel) {
  CNxUI2007Dlg* window = mainWindow_ ? mainWindow_() : nullptr;
  if (window == nullptr) return;
  // Panel 5 only while the exchange is followed; a prompt always.
  if (panel == CAuthenStatusDlg::kPanel && !following_) return;
  window->ShowPanel(panel);
}

}  // namespace nxui::shell
