// The HT rate table: "<width>,<guard ns>,<mcs>" -> Mbps. Owned by the link status page and
// refilled whenever that page is shown; refilling keeps the existing entries.
#pragma once

#include <map>
#include <string>

namespace nxui {

class CHTTable {
 public:
  // Inserts the 68 known rates; keys already present keep their value.
  void Fill();
  bool Find(const std::string& key, double& rateMbps) const;
  std::size_t size() const { return rates_.size(); }
  bool empty() const { return rates_.empty(); }

  static std::string MakeKey(int bandwidth40, int shortGi, int mcs);

 private:
  std::map<std::string, double> rates_;
};

}  // namespace nxui
