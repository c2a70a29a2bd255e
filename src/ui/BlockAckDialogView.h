// Panels 9 and 10: the Block Ack dialogs. Title and the list they act on, the connected peers
// ("BSSID"), the TID list, the window size field (add only), "OK" and "Cancel". Renders the
// dialog's state and forwards every change and click to it.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace nxui {

class BlockAckDialogBase;
class CAddBlockAckDlg;
class CDeleteBlockAckDlg;

class BlockAckDialogView final : public QWidget {
  Q_OBJECT

 public:
  BlockAckDialogView(CAddBlockAckDlg& dialog, QWidget* parent = nullptr);
  BlockAckDialogView(CDeleteBlockAckDlg& dialog, QWidget* parent = nullptr);

  void Render();

  QTreeWidget* Peers() const { return peers_; }
  QComboBox* Tids() const { return tids_; }
  QLineEdit* WindowSize() const { return windowSize_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  BlockAckDialogView(BlockAckDialogBase& dialog, std::function<bool()> ok,
                     std::function<void(std::string)> setWindowSize, QWidget* parent);
  void SizeColumn();

  BlockAckDialogBase& dialog_;
  std::function<bool()> okAction_;
  std::function<void(std::string)> setWindowSize_;
  QLabel* title_;
  QLabel* direction_;
  QLabel* peersLabel_;
  QTreeWidget* peers_;
  QLabel* tidLabel_;
  QComboBox* tids_;
  QLabel* windowSizeLabel_;
  QLineEdit* windowSize_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace nxui
