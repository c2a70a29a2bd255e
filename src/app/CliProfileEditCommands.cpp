// `profile add` and `profile edit NAME`: the profile editor driven from options. Every option is
// applied through the editor's tabs in the order a user fills them, and OK runs the editor's own
// checks, so a refused profile gets the editor's texts on stderr and nothing is written.
#include <optional>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "app/CliProfileCommands.h"
#include "app/CliRun.h"
#include "display/StringTable.h"
#include "profiles/CProfileEditorDlg.h"

namespace nxui::cli {

namespace {

struct EditorArgs {
  std::string editedName;  // `edit` only
  std::optional<std::string> name, ssid, network, channel, preamble, txPower, powerSave, rts, frag;
  std::optional<std::string> auth, cipher, psk, leapUser, leapPassword, leapDomain, leapCipher;
  std::vector<std::string> wepKeys;
  std::optional<int> defaultKey;
  bool use8021X = false;
  bool no8021X = false;
  bool replace = false;
};

// The command line's window for the editor: what the message box and the hint window would show is
// collected for stderr, and replacing another profile is what --replace says.
class CliEditorWindow final : public IProfileEditorWindow {
 public:
  explicit CliEditorWindow(bool replace) : replace_(replace) {}
  int ShowMessage(const std::string& text) override {
    said.push_back(text);
    return 1;
  }
  bool Confirm(const std::string&) override {
    declined = !replace_;
    return replace_;
  }
  void ShowHint(EditorField, const std::string& text) override { said.push_back(text); }
  void ShowEditorPanel() override {}
  void CloseEditorPanel(bool) override {}

  std::vector<std::string> said;
  bool declined = false;

 private:
  bool replace_;
};

// A usage problem with an option: said on stderr, exit code 2.
struct Refusal {
  std::string text;
};

int IndexOf(const std::string& value, std::initializer_list<const char*> names) {
  int i = 0;
  for (const char* name : names) {
    if (value == name) return i;
    ++i;
  }
  return -1;
}

// "off" or a non-negative whole number.
std::optional<int> Threshold(const std::string& option, const std::string& value) {
  if (value == "off") return std::nullopt;
  if (value.empty() || value.size() > 9 || value.find_first_not_of("0123456789") != std::string::npos) {
    throw Refusal{option + " takes \"off\" or a number such as 2347, not \"" + value + "\""};
  }
  return std::stoi(value);
}

void ApplySystemTab(CPageSystemConfigDlg& tab, const EditorArgs& a) {
  if (a.name && !tab.SetProfileName(*a.name)) throw Refusal{"--name: a profile name holds at most 32 characters"};
  if (a.ssid && !tab.SetSsid(*a.ssid)) throw Refusal{"--ssid: a network name holds at most 32 bytes"};
  if (a.network) tab.OnNetworkTypeSelected(*a.network == "adhoc" ? NetworkType::kAdhoc : NetworkType::kInfrastructure);
  const bool adhoc = tab.Values().networkType == NetworkType::kAdhoc;
  if (a.channel) {
    if (!adhoc) throw Refusal{"--channel applies to ad hoc networks only"};
    if (!tab.OnChannelSelected(*a.channel)) {
      std::string offered;
      for (const std::string& c : tab.State().channelItems) offered += (offered.empty() ? "" : " ") + c;
      throw Refusal{"--channel " + *a.channel + " is not offered by this adapter; it offers " + offered};
    }
  }
  if (a.preamble && !tab.OnPreambleSelected(*a.preamble == "long" ? kPreambleLongIndex : kPreambleAutoIndex)) {
    throw Refusal{"--preamble applies to ad hoc networks only"};
  }
  if (a.txPower) tab.OnTxPowerSelected(IndexOf(*a.txPower, {"auto", "100", "75", "50", "25", "10", "lowest"}));
  if (a.powerSave && !tab.OnPowerSave(*a.powerSave == "psm" ? 1 : 0)) {
    throw Refusal{"--power-save applies to infrastructure networks only"};
  }
  if (a.rts) {
    const std::optional<int> value = Threshold("--rts", *a.rts);
    tab.OnUseRts(value.has_value());
    if (value) tab.OnRtsEdited(*value);
  }
  if (a.frag) {
    const std::optional<int> value = Threshold("--frag", *a.frag);
    tab.OnUseFrag(value.has_value());
    if (value) tab.OnFragEdited(*value);
  }
}

void ApplyWepKey(CPageAuthEncryDlg& tab, const std::string& spec) {
  // N:hex:DIGITS or N:ascii:TEXT; the text may hold colons.
  const std::size_t first = spec.find(':');
  const std::size_t second = first == std::string::npos ? std::string::npos : spec.find(':', first + 1);
  const std::string number = spec.substr(0, first);
  const std::string type = first == std::string::npos ? "" : spec.substr(first + 1, second - first - 1);
  if (second == std::string::npos || number.size() != 1 || number[0] < '1' || number[0] > '4' ||
      (type != "hex" && type != "ascii")) {
    throw Refusal{"--wep-key takes N:hex:DIGITS or N:ascii:TEXT with N from 1 to 4, not \"" + spec + "\""};
  }
  const int key = number[0] - '1';
  const bool hex = type == "hex";
  tab.OnKeyTypeSelected(key, hex ? kKeyHex : kKeyAscii);
  if (!tab.SetKeyText(key, spec.substr(second + 1))) {
    throw Refusal{"--wep-key " + number + ": " +
                  (hex ? std::string("a hexadecimal key holds at most 26 hexadecimal digits")
                       : std::string("an ASCII key holds at most 13 bytes"))};
  }
}

void ApplySecurityTab(CPageAuthEncryDlg& tab, const EditorArgs& a) {
  if (a.auth) {
    const int index = IndexOf(*a.auth, {"open", "shared", "leap", "wpa", "wpa-psk", "wpa2", "wpa2-psk", "wpa-none"});
    tab.OnAuthMenuOpen();
    if (!tab.OnAuthSelected(index)) {
      throw Refusal{"--auth " + *a.auth + " is not offered for this network type, system and adapter"};
    }
  }
  if (a.cipher) {
    tab.OnEncMenuOpen();
    if (!tab.OnEncSelected(IndexOf(*a.cipher, {"none", "wep", "tkip", "aes"}))) {
      throw Refusal{"--cipher " + *a.cipher + " is not offered with this authentication"};
    }
  }
  if ((a.use8021X || a.no8021X) && !tab.On8021X(a.use8021X)) {
    throw Refusal{"--8021x applies to Open authentication with WEP on infrastructure networks only"};
  }
  if ((!a.wepKeys.empty() || a.defaultKey) && !tab.State().keysEnabled) {
    throw Refusal{"WEP keys are used only with Shared, or Open with WEP and without 802.1X"};
  }
  for (const std::string& spec : a.wepKeys) ApplyWepKey(tab, spec);
  if (a.defaultKey) tab.OnDefaultKey(*a.defaultKey - 1);
  if (a.psk) {
    if (!tab.State().pskEnabled) throw Refusal{"--psk applies to WPA-PSK, WPA2-PSK and WPA-None only"};
    if (!tab.SetPreSharedKey(*a.psk)) throw Refusal{"--psk: a pre-shared key holds at most 64 characters"};
  }
  if (a.leapUser || a.leapPassword || a.leapDomain || a.leapCipher) {
    if (!tab.State().leapVisible) throw Refusal{"the --leap options apply to LEAP authentication only"};
    if (a.leapUser) tab.SetLeapIdentity(*a.leapUser);
    if (a.leapPassword) tab.SetLeapPassword(*a.leapPassword);
    if (a.leapDomain) tab.SetLeapDomain(*a.leapDomain);
    if (a.leapCipher) tab.OnLeapEncryption(IndexOf(*a.leapCipher, {"wep", "wpa-tkip", "wpa2-aes"}));
  }
}

bool IsSecretKey(std::string_view key) {
  return key == "WPAPSK" || key == "LeapPassword" || key == "Password" || key == "TunnelPassword" ||
         (key.starts_with("WEPKey") && key.size() == 7);
}

// The profile as the store now holds it; secrets shown as the editor shows them while masked.
void ReportProfile(CliReport& report, const ProfileRecord& record, const std::string& nameLabel) {
  report.Text("name", nameLabel, record.name);
  for (const ProfileKeyInfo& info : kProfileKeys) {
    const std::string& value = record.*info.member;
    const std::string key(info.key);
    report.Text(key, key, IsSecretKey(info.key) && !value.empty() ? std::string(8, '*') : value);
  }
}

void ConfigureEditorOptions(CLI::App& app, EditorArgs& a) {
  app.add_option("--name", a.name, "Profile name (at most 32 characters)");
  app.add_option("--ssid", a.ssid, "Network name (at most 32 bytes)");
  app.add_option("--network", a.network, "Network type")
      ->check(CLI::IsMember({"infrastructure", "adhoc"}))
      ->type_name("infrastructure|adhoc");
  app.add_option("--channel", a.channel, "Channel of an ad hoc network (\"J8\", \"J12\", \"J16\" for Japan)");
  app.add_option("--preamble", a.preamble, "Preamble of an ad hoc network")
      ->check(CLI::IsMember({"auto", "long"}))
      ->type_name("auto|long");
  app.add_option("--tx-power", a.txPower, "Transmit power in percent")
      ->check(CLI::IsMember({"auto", "100", "75", "50", "25", "10", "lowest"}))
      ->type_name("auto|100|75|50|25|10|lowest");
  app.add_option("--power-save", a.powerSave, "Power-save mode (infrastructure)")
      ->check(CLI::IsMember({"cam", "psm"}))
      ->type_name("cam|psm");
  app.add_option("--rts", a.rts, "RTS threshold 0..2347, or off")->type_name("N|off");
  app.add_option("--frag", a.frag, "Fragmentation threshold 256..2346, or off")->type_name("N|off");
  app.add_option("--auth", a.auth, "Authentication")
      ->check(CLI::IsMember({"open", "shared", "leap", "wpa", "wpa-psk", "wpa2", "wpa2-psk", "wpa-none"}))
      ->type_name("open|shared|leap|wpa|wpa-psk|wpa2|wpa2-psk|wpa-none");
  app.add_option("--cipher", a.cipher, "Encryption")
      ->check(CLI::IsMember({"none", "wep", "tkip", "aes"}))
      ->type_name("none|wep|tkip|aes");
  app.add_option("--psk", a.psk, "WPA pre-shared key: 8 to 63 characters, or 64 hexadecimal digits");
  app.add_option("--wep-key", a.wepKeys, "WEP key N (1-4) as hexadecimal digits or ASCII text; repeatable")
      ->type_name("N:hex:DIGITS|N:ascii:TEXT");
  app.add_option("--default-key", a.defaultKey, "The WEP key used for sending")->check(CLI::Range(1, 4));
  CLI::Option* on = app.add_flag("--8021x", a.use8021X, "802.1X with Open authentication and WEP (dynamic WEP)");
  app.add_flag("--no-8021x", a.no8021X, "Without 802.1X")->excludes(on);
  app.add_option("--leap-user", a.leapUser, "LEAP identity");
  app.add_option("--leap-password", a.leapPassword, "LEAP password");
  app.add_option("--leap-domain", a.leapDomain, "LEAP domain name");
  app.add_option("--leap-cipher", a.leapCipher, "Encryption used with LEAP")
      ->check(CLI::IsMember({"wep", "wpa-tkip", "wpa2-aes"}))
      ->type_name("wep|wpa-tkip|wpa2-aes");
  app.add_flag("--replace", a.replace, "Replace another profile of the same name (the editor asks first)");
}

// The command's answers for the editor while it runs.
class AnswersScope {
 public:
  AnswersScope(CliRun& run, IProfileEditorWindow& answers) : run_(run) { run_.SetProfileEditorAnswers(&answers); }
  ~AnswersScope() { run_.SetProfileEditorAnswers(nullptr); }
  AnswersScope(const AnswersScope&) = delete;
  AnswersScope& operator=(const AnswersScope&) = delete;

 private:
  CliRun& run_;
};

int RunEditor(CliContext& c, const EditorArgs& a, bool existing) {
  CliRun& run = *c.run;
  if (!run.Hidden().State().radioOn) {
    c.err << "nxui: the radio is off: switch it on first (nxui radio on)\n";
    return kExitFailure;
  }
  // Add and Edit are the profile page's buttons; they open the editor panel.
  CPageProfileDlg& page = run.Profiles();
  page.Refresh();
  CliEditorWindow window(a.replace);
  const AnswersScope scope(run, window);
  CProfileEditorDlg& editor = run.ProfileEditor();
  if (existing) {
    const int row = FindProfileRow(c, page, a.editedName);
    if (row < 0) return kExitFailure;
    page.OnRowClicked(row);
    page.OnEdit();
  } else {
    page.OnAdd();
  }
  if (!editor.Visible()) {
    c.err << "nxui: the profile page did not open the editor: the adapter is not ready\n";
    return kExitFailure;
  }
  try {
    ApplySystemTab(editor.SystemConfig(), a);
    ApplySecurityTab(editor.AuthEncry(), a);
  } catch (const Refusal& refusal) {
    c.err << "nxui: " << refusal.text << '\n';
    editor.OnCancel();
    return kExitUsage;
  }
  const std::string savedName = editor.BuildRecord().name;
  const EditorOkResult result = editor.OnOk();
  if (result != EditorOkResult::Saved) {
    for (const std::string& text : window.said) c.err << "nxui: " << text << '\n';
    if (window.declined) c.err << "nxui: --replace replaces the existing profile\n";
    editor.OnCancel();
    return result == EditorOkResult::SaveFailed ? kExitFailure : kExitUsage;
  }
  std::string nameLabel = run.Strings().LoadString(string_id::kProfileNameLabel);
  if (nameLabel.ends_with(" >>")) nameLabel.resize(nameLabel.size() - 3);
  ReportProfile(c.report, run.Core().Profiles().LoadProfile(savedName), nameLabel);
  return kExitOk;
}

}  // namespace

CliAction ProfileAddAction() {
  auto args = std::make_shared<EditorArgs>();
  CliAction action;
  action.name = "add";
  action.description = "A new profile, as the profile editor's Add and OK save it";
  action.configure = [args](CLI::App& app) { ConfigureEditorOptions(app, *args); };
  action.run = [args](CliContext& c) { return RunEditor(c, *args, false); };
  return action;
}

CliAction ProfileEditAction() {
  auto args = std::make_shared<EditorArgs>();
  CliAction action;
  action.name = "edit";
  action.description = "Change a profile, as the profile editor's Edit and OK save it";
  action.configure = [args](CLI::App& app) {
    app.add_option("NAME", args->editedName, "The profile to change")->required();
    ConfigureEditorOptions(app, *args);
  };
  action.run = [args](CliContext& c) { return RunEditor(c, *args, true); };
  return action;
}

}  // namespace nxui::cli
