#include "app/CliCommand.h"
#include "app/CliRun.h"

namespace nxui::cli {

namespace {

// The page's version texts end in a line break its static controls do not show.
std::string Shown(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

void AddLine(CliReport& report, const char* key, const AboutLine& line) {
  if (line.visible) report.Text(key, line.label, Shown(line.value));
}

}  // namespace

CliCommand AboutCommand() {
  CliCommand command;
  command.name = "about";
  command.description = "Versions and dates of the About page";
  command.run = [](CliContext& c) {
    CPageAboutDlg& page = c.run->About();
    page.OnShow();
    const AboutPageState& s = page.State();
    AddLine(c.report, "Utility Version", s.utilityVersion);
    AddLine(c.report, "Utility Date", s.utilityDate);
    AddLine(c.report, "Driver Version", s.driverVersion);
    AddLine(c.report, "Driver Date", s.driverDate);
    AddLine(c.report, "EEPROM Version", s.eepromVersion);
    AddLine(c.report, "Firmware Version", s.firmwareVersion);
    AddLine(c.report, "Phy_Address", s.macAddress);
    c.report.Text("Legal", "", s.legalNotice);
    return kExitOk;
  };
  return command;
}

}  // namespace nxui::cli
