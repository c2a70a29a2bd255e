#include "ui/QtCardChooser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace nxui {

void QtCardChooser::RunModal(CSelCardDlg& model) {
  QDialog dialog;
  dialog.setWindowTitle(QString::fromUtf8(CSelCardDlg::kCaption));
  auto* layout = new QVBoxLayout(&dialog);
  auto* list = new QListWidget(&dialog);
  for (const std::string& name : model.CandidateNames()) list->addItem(QString::fromStdString(name));
  list->setCurrentRow(model.Selection());
  layout->addWidget(list);
  auto* details = new QFormLayout;
  auto* description = new QLabel(&dialog);
  auto* hardwareId = new QLabel(&dialog);
  auto* location = new QLabel(&dialog);
  auto* manufacturer = new QLabel(&dialog);
  details->addRow(QStringLiteral("Description:"), description);
  details->addRow(QStringLiteral("Hardware ID:"), hardwareId);
  details->addRow(QStringLiteral("Location:"), location);
  details->addRow(QStringLiteral("Manufacturer:"), manufacturer);
  layout->addLayout(details);
  auto refresh = [&] {
    description->setText(QString::fromStdString(model.DeviceDescription()));
    hardwareId->setText(QString::fromStdString(model.HardwareId()));
    location->setText(QString::fromStdString(model.Location()));
    manufacturer->setText(QString::fromStdString(model.Manufacturer()));
  };
  refresh();
  QObject::connect(list, &QListWidget::currentRowChanged, &dialog, [&](int row) {
    model.SelectCandidate(row);
    refresh();
  });
  // The choice is required: there is only OK.
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);
  dialog.exec();
}

}  // namespace nxui
