#include "ui/DesktopOpener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace nxui {

DesktopOpener::DesktopOpener(Language language, Report report, QString launcher)
    : language_(language), report_(std::move(report)), launcher_(std::move(launcher)) {}

DesktopOpener::~DesktopOpener() {
  for (QProcess* process : findChildren<QProcess*>()) {
    process->disconnect(this);
    if (process->state() != QProcess::NotRunning) {
      process->kill();
      process->waitForFinished(1000);
    }
  }
}

QString DesktopOpener::MissingText(Language language) {
  return language == Language::kChinese ? QStringLiteral("找不到帮助文档：%1")
                                        : QStringLiteral("The help document was not found: %1");
}

QString DesktopOpener::NoHandlerText(Language language) {
  return language == Language::kChinese
             ? QStringLiteral("此桌面没有可以打开帮助文档的程序。请用网页浏览器打开 %1")
             : QStringLiteral("No program on this desktop opens the help document. Open %1 in a web browser.");
}

void DesktopOpener::Fail(const QString& text, const QString& path) {
  if (report_) report_(text.arg(path));
}

bool DesktopOpener::Open(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    Fail(MissingText(language_), path);
    return false;
  }
  const QString launcher = launcher_.contains(QLatin1Char('/')) ? launcher_ : QStandardPaths::findExecutable(launcher_);
  if (launcher.isEmpty()) {
    // Without the usual launcher the platform may still know one of its own.
    if (QDesktopServices::openUrl(QUrl::fromLocalFile(path))) return true;
    Fail(NoHandlerText(language_), path);
    return false;
  }
  auto* process = new QProcess(this);
  process->setProgram(launcher);
  process->setArguments({path});
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  connect(process, &QProcess::errorOccurred, this, [this, process, path](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    Fail(NoHandlerText(language_), path);
    process->deleteLater();
  });
  // The launcher ends at once when a desktop handler took the document, or with the handler;
  // anything but success means the user saw nothing.
  connect(process, &QProcess::finished, this, [this, process, path](int exitCode, QProcess::ExitStatus status) {
    if (status != QProcess::NormalExit || exitCode != 0) Fail(NoHandlerText(language_), path);
    process->deleteLater();
  });
  process->start();
  return true;
}

}  // namespace nxui
