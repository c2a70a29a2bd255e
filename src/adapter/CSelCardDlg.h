// The choice among several supported adapters ("Select a Wireless LAN card"): a drop-down list of
// the candidates and four read-only fields of the selected one. The view renders this model and
// forwards the selection and the OK button; there is no Cancel.
#pragma once

#include <string>
#include <vector>

#include "platform/IDeviceSetup.h"

namespace nxui {

class CSelCardDlg {
 public:
  static constexpr const char* kCaption = "Select a Wireless LAN card";

  // `devices` is the enumeration snapshot, `candidates` the device indices that may be chosen, in
  // order. The first candidate is selected at once.
  CSelCardDlg(const std::vector<DeviceInfo>& devices, std::vector<int> candidates);

  // Friendly name of each candidate, the device description when it has none.
  const std::vector<std::string>& CandidateNames() const { return names_; }
  int Selection() const { return selection_; }
  // Changes the selection (an index into CandidateNames()); out-of-range indices are ignored.
  void SelectCandidate(int listIndex);

  const std::string& DeviceDescription() const { return description_; }
  const std::string& HardwareId() const { return hardwareId_; }
  const std::string& Location() const { return location_; }
  const std::string& Manufacturer() const { return manufacturer_; }

  // The device index of the selected candidate.
  int OnOk() const;

 private:
  void Refresh();

  const std::vector<DeviceInfo>& devices_;
  std::vector<int> candidates_;
  std::vector<std::string> names_;
  int selection_ = 0;
  std::string description_, hardwareId_, location_, manufacturer_;
};

}  // namespace nxui
