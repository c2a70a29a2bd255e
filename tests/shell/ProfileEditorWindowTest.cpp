// The profile editor in the shell: its window over the hidden window's message box, the hint
// window and the main window's panels, with the environment read from the hidden window.
#include <gtest/gtest.h>

#include "profiles/CProfileEditorDlg.h"
#include "profiles/ProfileStore.h"
#include "shell/CInfoWnd.h"
#include "shell/HideDlgProfileEnvironment.h"
#include "shell/ShellFixture.h"
#include "shell/ShellProfileEditorWindow.h"

namespace nxui::shell::test {
namespace {

class AnchorRecordingHintView final : public IInfoWndView {
 public:
  bool FocusInProgram() override { return true; }
  HintTextMetrics MeasureText(int, const std::string& text) override {
    return {static_cast<int>(text.size()), 10, 0, 0};
  }
  HintRect AnchorRect(int control) override {
    anchors.push_back(control);
    return {};
  }
  void Show(const HintRect&, const std::string& text) override { texts.push_back(text); }
  void Hide() override { ++hides; }
  std::vector<int> anchors;
  std::vector<std::string> texts;
  int hides = 0;
};

class EditorInShell : public ShellFixture {
 protected:
  void SetUp() override {
    Start();
    ASSERT_NE(dlg->MainWindow(), nullptr);
    store = std::make_unique<ProfileStore>(dlg->Context(), (dir / "settings").string() + "/", world->systemInfo());
    environment = std::make_unique<HideDlgProfileEnvironment>(*dlg, *platform);
    window = std::make_unique<ShellProfileEditorWindow>(*dlg, &hint, [this](bool saved) { closed.push_back(saved); });
    editor = std::make_unique<CProfileEditorDlg>(strings, *store, *environment, *window);
  }

  AnchorRecordingHintView hintView;
  CInfoWnd hint{loop, hintView};
  std::unique_ptr<ProfileStore> store;
  std::unique_ptr<HideDlgProfileEnvironment> environment;
  std::unique_ptr<ShellProfileEditorWindow> window;
  std::unique_ptr<CProfileEditorDlg> editor;
  std::vector<bool> closed;
};

TEST_F(EditorInShell, AddShowsTheEditorPanelOfTheEnlargedWindow) {
  dlg->MutableState().expanded = false;
  editor->OpenNew();
  const MainWindowState& state = dlg->MainWindow()->State();
  EXPECT_EQ(state.visiblePanel, CProfileEditorDlg::kPanel);
  EXPECT_TRUE(state.expanded);
  EXPECT_EQ(state.moreLessCaption, "Less");
  // What the editor read from the hidden window: the simulated Vista and its ready adapter.
  editor->AuthEncry().OnAuthMenuOpen();
  EXPECT_TRUE(editor->AuthEncry().State().authMenu[kAuthWpa2Psk].enabled);
  EXPECT_FALSE(editor->SystemConfig().State().channelItems.empty());
}

TEST_F(EditorInShell, HintsAreAnchoredAtTheOffendingEditAndTheBoxAsksWithCancel) {
  editor->OpenNew();
  editor->SystemConfig().SetSsid("Norvix-Home");
  ASSERT_TRUE(editor->AuthEncry().OnAuthSelected(kAuthWpa2Psk));
  editor->AuthEncry().SetPreSharedKey("short");
  EXPECT_EQ(editor->OnOk(), EditorOkResult::Refused);
  ASSERT_EQ(hintView.anchors.size(), 1u);
  EXPECT_EQ(hintView.anchors[0], ShellProfileEditorWindow::ControlOf(EditorField::PreSharedKey));
  EXPECT_EQ(hintView.texts[0], " 非法的 WPA 预共享密钥。 WPA-PSK 有效域必须超过8个字符。 ");
  EXPECT_EQ(window->FocusedField(), EditorField::PreSharedKey);
  EXPECT_TRUE(messageBox.texts.empty());

  editor->AuthEncry().SetPreSharedKey("sunflower-42");
  ASSERT_EQ(editor->OnOk(), EditorOkResult::Saved);
  EXPECT_EQ(closed, std::vector<bool>{true});
  EXPECT_EQ(dlg->MainWindow()->State().visiblePanel, kPanelLinkStatus);
  EXPECT_EQ(dlg->MainWindow()->State().selectedPage, PageId::Profile);

  // The same name again: the question has OK and Cancel; closing the box keeps the old profile.
  editor->OpenNew();
  editor->SystemConfig().SetProfileName("PROF1");
  editor->SystemConfig().SetSsid("elsewhere");
  messageBox.pressOk = false;
  EXPECT_EQ(editor->OnOk(), EditorOkResult::Refused);
  ASSERT_EQ(messageBox.texts.size(), 1u);
  EXPECT_EQ(messageBox.texts[0], "Duplicate profile name\nCreate another profile?");
  EXPECT_EQ(messageBox.cancelCaptions[0], "Cancel");
  EXPECT_EQ(store->LoadProfile("PROF1").ssid, "Norvix-Home");
  messageBox.pressOk = true;
  EXPECT_EQ(editor->OnOk(), EditorOkResult::Saved);
  EXPECT_EQ(store->LoadProfile("PROF1").ssid, "elsewhere");
}

TEST_F(EditorInShell, CancelReturnsToTheProfilePageWithoutSaving) {
  editor->OpenNew();
  editor->OnCancel();
  EXPECT_EQ(closed, std::vector<bool>{false});
  EXPECT_EQ(dlg->MainWindow()->State().visiblePanel, kPanelLinkStatus);
  EXPECT_TRUE(store->ListProfiles().empty());
}

}  // namespace
}  // namespace nxui::shell::test
