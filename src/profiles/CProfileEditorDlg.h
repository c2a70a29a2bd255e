// The profile editor: the main window's panel on which a profile is created or changed, with the
// tabs "配置" and "认证 \ 加密", OK and Cancel. The profile page opens it for a new or an existing
// profile, the site survey's "Add to Profile" for a network in range. OK checks both tabs and
// saves the profile; every refusal leaves the values as typed and writes nothing.
#pragma once

#include <cstdint>
#include <string>

#include "profiles/CPageAuthEncryDlg.h"
#include "profiles/CPageSystemConfigDlg.h"
#include "profiles/IProfileEditorHost.h"
#include "profiles/IProfileEditorWindow.h"
#include "profiles/ISurveyProfileTarget.h"
#include "profiles/ProfileRecord.h"

namespace nxui {

class IProfileEditorEnvironment;
class ProfileStore;
class StringTable;

enum class EditorMode { Closed, New, Existing, FromSurvey };

// The 802.1X values that have no controls: a new profile gets these, an edited one keeps its own.
struct Dot1xDetails {
  std::string authenProtocol = "0";
  std::string peapTunnel = "26";  // TunnelProtocol unless AuthenProtocol is 2
  std::string ttlsTunnel = "3";   // TunnelProtocol when AuthenProtocol is 2
  std::string provisioningTunnel = "26";
  std::string passwordMode = "1";
  std::string provisionMode = "1";
  std::string id, password, domainName, tunnelId, tunnelPassword;
  std::string sessionResumption = "0";
  std::string useClientCert = "0", clientCertLen = "0", clientCertData;
  std::string useServerCert = "0", serverCertLen = "0", serverCertData;
  std::string usePac = "0", pacFilePath;
  std::string serverName, nameRule = "0", intermediateCert = "0";

  void Load(const ProfileRecord& record);
  void Store(ProfileRecord& record) const;
};

enum class EditorTab { SystemConfig = 0, AuthEncry = 1 };

struct ProfileEditorState {
  std::string systemTabCaption, securityTabCaption, okLabel, cancelLabel;
  EditorTab tab = EditorTab::SystemConfig;
  EditorMode mode = EditorMode::Closed;

  friend bool operator==(const ProfileEditorState&, const ProfileEditorState&) = default;
};

// What OK did: saved; refused a value (reported beside it or in the message box); or the store
// could not write the file (reported, the file unchanged).
enum class EditorOkResult { Saved, Refused, SaveFailed };

class CProfileEditorDlg final : public ISurveyProfileTarget, public IProfileEditorHost {
 public:
  static constexpr int kPanel = 2;  // ShowPanel number of the editor

  CProfileEditorDlg(const StringTable& strings, ProfileStore& store, IProfileEditorEnvironment& environment,
                    IProfileEditorWindow& window);

  // Add: a new profile with the default name.
  void OpenNew();
  // Edit: the stored profile.
  void OpenExisting(const std::string& name);
  // "Add to Profile": a new profile for the network the survey selected.
  void OpenFromNetwork(const SurveySelection& selection);
  void NewProfileFromSurvey(const SurveySelection& selection) override { OpenFromNetwork(selection); }

  // The profile page's way in.
  void OpenForNewProfile() override { OpenNew(); }
  void OpenForProfile(const std::string& name) override { OpenExisting(name); }
  bool Visible() const override { return state_.mode != EditorMode::Closed; }
  void Close() override {
    if (Visible()) OnCancel();
  }

  void OnTab(EditorTab tab) { state_.tab = tab; }
  EditorOkResult OnOk();
  void OnCancel();

  // The profile as OK would save it (name trimmed, keys in the editor's form).
  ProfileRecord BuildRecord() const;

  const ProfileEditorState& State() const { return state_; }
  CPageSystemConfigDlg& SystemConfig() { return system_; }
  CPageAuthEncryDlg& AuthEncry() { return security_; }
  const CPageSystemConfigDlg& SystemConfig() const { return system_; }
  const CPageAuthEncryDlg& AuthEncry() const { return security_; }
  const Dot1xDetails& Details() const { return details_; }
  // Bits 0 and 1 of the adapter key's "CCX2Control" as read when the editor opened.
  bool CcxFlag0() const { return ccxFlag0_; }
  bool CcxFlag1() const { return ccxFlag1_; }

 private:
  // Forwards hints to the window after turning to the tab that holds the field.
  class TabWindow final : public IProfileEditorWindow {
   public:
    explicit TabWindow(CProfileEditorDlg& editor) : editor_(editor) {}
    int ShowMessage(const std::string& text) override { return editor_.window_.ShowMessage(text); }
    bool Confirm(const std::string& text) override { return editor_.window_.Confirm(text); }
    void ShowHint(EditorField field, const std::string& text) override;
    void ShowEditorPanel() override { editor_.window_.ShowEditorPanel(); }
    void CloseEditorPanel(bool saved) override { editor_.window_.CloseEditorPanel(saved); }

   private:
    CProfileEditorDlg& editor_;
  };

  void Begin(EditorMode mode);
  void ReadCcx2Control();
  void ShowHint(EditorField field, const std::string& text);
  std::string Text(std::uint32_t id) const;

  const StringTable& strings_;
  ProfileStore& store_;
  IProfileEditorEnvironment& environment_;
  IProfileEditorWindow& window_;
  TabWindow tabWindow_{*this};
  CPageAuthEncryDlg security_;
  CPageSystemConfigDlg system_;
  ProfileEditorState state_;
  Dot1xDetails details_;
  std::string originalName_;  // the edited profile's name
  bool ccxFlag0_ = false;
  bool ccxFlag1_ = false;
};

}  // namespace nxui
