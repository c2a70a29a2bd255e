#include "ui/QtTrayShell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QRegularExpression>
#include <QUrl>

#include "shell/ShellIds.h"
#include "widgets/TrayIcons.h"

namespace nxui {

QtTrayShell::QtTrayShell(IShell& inner, Callback callback) : inner_(inner), callback_(std::move(callback)) {}

QtTrayShell::~QtTrayShell() = default;

bool QtTrayShell::TrayAvailable() const { return available_ ? *available_ : QSystemTrayIcon::isSystemTrayAvailable(); }

LPARAM QtTrayShell::EventFor(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::DoubleClick:
      return shell::kTrayLeftDoubleClick;
    case QSystemTrayIcon::Context:
      return shell::kTrayRightButtonDown;
    default:
      return 0;
  }
}

bool QtTrayShell::NotifyIcon(NotifyIconAction action, const NotifyIconData& data) {
  if (!inner_.NotifyIcon(action, data)) return false;
  switch (action) {
    case NotifyIconAction::Add: {
      if (icon_ || !TrayAvailable()) return false;
      data_ = data;
      icon_ = std::make_unique<QSystemTrayIcon>(TrayIcon(data.iconNumber));
      icon_->setToolTip(QString::fromStdString(data.tip));
      connect(icon_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        const LPARAM event = EventFor(reason);
        if (event != 0 && callback_) callback_(data_.callbackMessage, event);
      });
      icon_->show();
      return true;
    }
    case NotifyIconAction::Modify:
      if (!icon_) return false;
      // The shell is told every tick; the desktop's tray redraws only when the picture changed.
      if (data.iconNumber != data_.iconNumber) {
        data_.iconNumber = data.iconNumber;
        icon_->setIcon(TrayIcon(data.iconNumber));
      }
      if (data.tip != data_.tip) {
        data_.tip = data.tip;
        icon_->setToolTip(QString::fromStdString(data.tip));
      }
      return true;
    case NotifyIconAction::Delete:
      if (!icon_) return false;
      icon_->hide();
      icon_.reset();
      return true;
  }
  return false;
}

bool QtTrayShell::Open(std::string_view fileOrUrl) {
  const QString target = QString::fromUtf8(fileOrUrl.data(), static_cast<qsizetype>(fileOrUrl.size()));
  if (openHelp_) {
    const QString name = target.mid(target.lastIndexOf(QRegularExpression(QStringLiteral("[\\\\/]"))) + 1);
    if (name.compare(QString::fromStdString(helpFileName_), Qt::CaseInsensitive) == 0) {
      inner_.Open(fileOrUrl);
      return openHelp_();
    }
  }
  const QUrl url(target);
  if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) return inner_.Open(fileOrUrl);
  // The About page opens its link from a worker thread; the desktop call belongs on the UI thread.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [url] { QDesktopServices::openUrl(url); }, Qt::QueuedConnection);
  return true;
}

}  // namespace nxui
