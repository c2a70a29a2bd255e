#include "ui/QtMessageBoxView.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "widgets/CjkSubsetFont.h"
#include "widgets/TrayIcons.h"

namespace nxui {

std::unique_ptr<QDialog> QtMessageBoxView::BuildDialog(shell::CMessageBoxDlg& box, QWidget* parent) {
  // Some English messages hold Chinese words.
  UseCjkSubsetFont();
  auto dialog = std::make_unique<QDialog>(parent);
  dialog->setObjectName(QStringLiteral("messageBox"));
  dialog->setWindowTitle(QString::fromUtf8(box.Caption()));
  dialog->setWindowIcon(TrayIcon(kAppIconNumber));
  dialog->setModal(true);
  // A message is answered, not resized: no minimise or maximise buttons.
  dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

  auto* layout = new QVBoxLayout(dialog.get());
  layout->setContentsMargins(18, 16, 18, 12);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setSpacing(14);
  auto* row = new QHBoxLayout;
  row->setSpacing(14);
  auto* icon = new QLabel(dialog.get());
  icon->setPixmap(dialog->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  row->addWidget(icon, 0, Qt::AlignTop);
  auto* text = new QLabel(QString::fromStdString(box.Text()), dialog.get());
  text->setObjectName(QStringLiteral("text"));
  text->setWordWrap(true);
  text->setMinimumWidth(260);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  row->addWidget(text, 1);
  layout->addLayout(row);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* ok = new QPushButton(QString::fromStdString(box.OkCaption()), dialog.get());
  ok->setObjectName(QStringLiteral("ok"));
  ok->setDefault(true);
  ok->setMinimumWidth(80);
  buttons->addWidget(ok);
  if (box.HasCancel()) {
    auto* cancel = new QPushButton(QString::fromStdString(box.CancelCaption()), dialog.get());
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setMinimumWidth(80);
    buttons->addWidget(cancel);
    QObject::connect(cancel, &QPushButton::clicked, dialog.get(), &QDialog::reject);
  }
  buttons->addStretch(1);
  layout->addLayout(buttons);

  QDialog* raw = dialog.get();
  QObject::connect(ok, &QPushButton::clicked, raw, [raw, &box] {
    box.OnOk();
    raw->accept();
  });
  QObject::connect(raw, &QDialog::rejected, raw, [&box] { box.OnClose(); });
  return dialog;
}

QDialog* QtMessageBoxView::ShowNotice(const std::string& text, const std::string& okCaption, QWidget* parent) {
  auto box = std::make_shared<shell::CMessageBoxDlg>(text, okCaption, 0);
  QDialog* dialog = BuildDialog(*box, parent).release();
  // The box lives as long as its dialog.
  QObject::connect(dialog, &QObject::destroyed, [box] {});
  dialog->setModal(false);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->show();
  dialog->raise();
  return dialog;
}

void QtMessageBoxView::RunModal(shell::CMessageBoxDlg& box) {
  QWidget* parent = parentWindow_ ? parentWindow_() : nullptr;
  const std::unique_ptr<QDialog> dialog = BuildDialog(box, parent);
  dialog->adjustSize();
  if (parent == nullptr) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect frame = dialog->frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      dialog->move(frame.topLeft());
    }
  }
  if (beforeExec) beforeExec(*dialog);
  dialog->exec();
}

}  // namespace nxui
