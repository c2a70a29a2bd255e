// The profile editor panel: the tabs "配置" and "认证 \ 加密" with their edits, buttons with pop-up
// menus, sliders and masked edits, OK and Cancel, and the hint window beside the edit a refusal
// points at. The editor decides; this view renders its state and forwards what the user does.
#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <map>

#include "profiles/EditorField.h"
#include "shell/CInfoWnd.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;

namespace nxui {

class CProfileEditorDlg;
class CTabDialog;
class QtInfoWnd;
struct MenuItemState;

namespace shell {
class ProfileEditorPanel;
}

class ProfileEditorView final : public QWidget, private shell::IInfoWndView {
  Q_OBJECT

 public:
  explicit ProfileEditorView(shell::ProfileEditorPanel& panel, QWidget* parent = nullptr);
  ~ProfileEditorView() override;

  void Render();

  // For tests and the rendered pictures.
  CTabDialog* Tabs() const { return tabs_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QLineEdit* ProfileName() const { return profileName_; }
  QComboBox* Ssid() const { return ssid_; }
  QPushButton* NetworkTypeButton() const { return networkType_.button; }
  QPushButton* AuthButton() const { return auth_.button; }
  QPushButton* EncButton() const { return enc_.button; }
  QMenu* NetworkTypeMenu() const { return networkType_.menu; }
  QMenu* AuthMenu() const { return auth_.menu; }
  QMenu* EncMenu() const { return enc_.menu; }
  QComboBox* Channel() const { return channel_; }
  QCheckBox* UseFrag() const { return useFrag_; }
  QSlider* FragSlider() const { return fragSlider_; }
  QLineEdit* FragEdit() const { return fragEdit_; }
  QLineEdit* PreSharedKey() const { return psk_; }
  QLineEdit* Key(int n) const { return keys_[static_cast<std::size_t>(n)].edit; }
  QCheckBox* ShowPassword() const { return showPassword_; }
  QCheckBox* Use8021X() const { return box8021X_; }
  QtInfoWnd* HintWindow() const { return hint_; }
  // The edit a hint for `field` stands beside.
  QWidget* FieldWidget(EditorField field) const;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  struct MenuButton {
    QLabel* label = nullptr;
    QPushButton* button = nullptr;
    QMenu* menu = nullptr;
  };
  struct KeyRow {
    QRadioButton* use = nullptr;
    QPushButton* type = nullptr;
    QMenu* typeMenu = nullptr;
    QLineEdit* edit = nullptr;
  };

  QWidget* BuildSystemTab();
  QWidget* BuildSecurityTab();
  // A button opening a menu of `count` items; `opening` runs before the menu shows, `chosen` with
  // the item's index.
  MenuButton MakeMenuButton(QWidget* parent, int count, std::function<void()> opening, std::function<void(int)> chosen);
  void RenderSystemTab();
  void RenderSecurityTab();
  static void RenderMenu(QMenu* menu, const MenuItemState* items, std::size_t count);
  // Runs a handler of the editor and shows what it changed.
  void Act(const std::function<void()>& handler);
  void Anchor(EditorField field, QWidget* widget);

  // The hint window, placed by the editor's hint model.
  bool FocusInProgram() override;
  shell::HintTextMetrics MeasureText(int anchorControl, const std::string& text) override;
  shell::HintRect AnchorRect(int anchorControl) override;
  void Show(const shell::HintRect& windowRect, const std::string& text) override;
  void Hide() override;

  shell::ProfileEditorPanel& panel_;
  CProfileEditorDlg& editor_;
  QtInfoWnd* hint_;
  std::map<EditorField, QWidget*> fields_;
  bool rendering_ = false;

  CTabDialog* tabs_;
  QPushButton* ok_;
  QPushButton* cancel_;

  // "配置"
  QLabel* profileNameLabel_;
  QLineEdit* profileName_;
  QLabel* ssidLabel_;
  QComboBox* ssid_;
  MenuButton networkType_;
  MenuButton preamble_;
  MenuButton txPower_;
  QLabel* powerSaveLabel_;
  QRadioButton* cam_;
  QRadioButton* psm_;
  QCheckBox* useRts_;
  QSlider* rtsSlider_;
  QLineEdit* rtsEdit_;
  QCheckBox* useFrag_;
  QSlider* fragSlider_;
  QLineEdit* fragEdit_;
  QLabel* channelLabel_;
  QComboBox* channel_;

  // "认证 \ 加密"
  MenuButton auth_;
  MenuButton enc_;
  QCheckBox* box8021X_;
  QLabel* pskLabel_;
  QLineEdit* psk_;
  QGroupBox* keysBox_;
  QButtonGroup* keyGroup_;
  std::array<KeyRow, 4> keys_;
  QGroupBox* leapBox_;
  QLabel* identityLabel_;
  QLineEdit* identity_;
  QLabel* passwordLabel_;
  QLineEdit* password_;
  QLabel* domainLabel_;
  QLineEdit* domain_;
  std::array<QRadioButton*, 3> leapEncryption_{};
  QCheckBox* showPassword_;
};

}  // namespace nxui
