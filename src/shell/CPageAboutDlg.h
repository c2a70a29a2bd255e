// The About page: versions and dates of the program and the driver, EEPROM and firmware versions,
// the adapter's address, the legal notice and a link button to the maker's web site. Everything is
// read again each time the page becomes visible.
#pragma once

#include <optional>
#include <string>

#include "platform/ISystemInfo.h"

namespace nxui {

struct AdapterContext;
struct Platform;
class DriverRequestPort;
class StringTable;

// The program's own version resource: the build supplies it (no resource section here).
struct ProgramVersionResource {
  FileVersion fileVersion;
  std::string legalCopyright;  // "\StringFileInfo\080404b0\LegalCopyright"
};

struct AboutLine {
  std::string label;
  std::string value;
  bool visible = true;  // label and value together

  bool operator==(const AboutLine&) const = default;
};

struct AboutPageState {
  AboutLine utilityVersion;   // 1173 / 1053
  AboutLine utilityDate;      // 1174 / 1056
  AboutLine driverVersion;    // 1175 / 1052
  AboutLine driverDate;       // 1176 / 1055
  AboutLine eepromVersion;    // 1177 / 1057
  AboutLine firmwareVersion;  // 3180 / 1058, hidden in the dialog template
  AboutLine macAddress;       // 1178 / 3059
  std::string legalNotice;    // 1085
  std::string linkCaption;    // 3063: the maker's web address
  // The driver image file the page read (empty when the system has none), for diagnostics.
  std::string driverImagePath;

  bool operator==(const AboutPageState&) const = default;
};

class CPageAboutDlg {
 public:
  // `program` is nullopt when the executable carries no version resource.
  CPageAboutDlg(Platform& platform, const AdapterContext& context, DriverRequestPort& driver,
                const StringTable& strings, std::optional<ProgramVersionResource> program);

  void OnInitDialog();
  void OnShow();
  // Link button 3063: opens the web address on a worker so the page does not wait.
  void OnLinkClicked();

  const AboutPageState& State() const { return state_; }

  // "\drivers\<image>" or "\<image>" below the system directory for the classification and
  // family, with whether 64-bit file-system redirection must be off while it is read. Empty path
  // when the system has no driver file.
  struct DriverImage {
    std::string path;
    bool redirectionOff = false;
  };
  static DriverImage ChooseDriverImage(const std::string& systemDirectory, const AdapterContext& context);

 private:
  void FillProgram();
  void FillDriver();
  void FillAdapter();

  Platform& platform_;
  const AdapterContext& context_;
  DriverRequestPort& driver_;
  const StringTable& strings_;
  std::optional<ProgramVersionResource> program_;
  AboutPageState state_;
};

// "%d.%d.%d.%d\n" and "%m-%d-%Y", as the page shows them.
std::string FormatFileVersion(const FileVersion& version);
std::string FormatFileDate(const SystemTime& time);

}  // namespace nxui
