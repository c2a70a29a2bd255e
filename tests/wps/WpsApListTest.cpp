// The WPS page's access point list from a scan list: which entries are listed, the texts of a row,
// and the snapshot the PIN start and "Information" read.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "scan/ElementIds.h"
#include "sim/IeBuilder.h"
#include "survey/ScanEntryFactory.h"
#include "wps/WpsApList.h"

namespace nxui {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::EntrySpec;
using testing::MakeEntry;
using testing::MakeScanBuffer;

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes Wps(std::optional<std::uint16_t> passwordId = std::nullopt) {
  WpsFields fields;
  fields.version = 0x10;
  fields.devicePasswordId = passwordId;
  return sim::BuildWpsElement(fields);
}

Bytes Rsn() {
  KeySuites suites;
  suites.group = {ie::kOuiIeee, 4};
  suites.pairwise.push_back({ie::kOuiIeee, 4});
  suites.akm.push_back({ie::kOuiIeee, 2});
  return sim::BuildRsnElement(suites);
}

EntrySpec Spec(const std::string& ssid, Bytes ies, std::uint8_t last = 0x55) {
  EntrySpec spec;
  spec.ssid = ssid;
  spec.mac = {0x00, 0x11, 0x22, 0x33, 0x44, last};
  spec.ies = std::move(ies);
  return spec;
}

struct ListedCase {
  const char* name;
  EntrySpec spec;
  bool listed;
};

class Listed : public ::testing::TestWithParam<ListedCase> {};

TEST_P(Listed, OnlyEntriesWithAWpsElementThatCoverTheirElements) {
  WpsApList list;
  list.Build(MakeScanBuffer({MakeEntry(GetParam().spec)}));
  EXPECT_EQ(list.Size(), GetParam().listed ? 1u : 0u);
  EXPECT_EQ(LoadLe32(list.Snapshot().data()), list.Size());
}

EntrySpec Cut(EntrySpec spec, std::int64_t ieLength) {
  spec.ieLengthOverride = ieLength;
  return spec;
}

INSTANTIATE_TEST_SUITE_P(
    WpsApList, Listed,
    ::testing::Values(ListedCase{"with_wps", Spec("Router", Wps()), true},
                      ListedCase{"without_wps", Spec("Plain", Rsn()), false},
                      ListedCase{"no_elements", Spec("Bare", {}), false},
                      ListedCase{"hidden_network", Spec("", Wps()), true},
                      // A zero-length element ends the walk: the WPS element after it is never reached.
                      ListedCase{"after_zero_length_element", Spec("Z", Concat({Rsn(), {ie::kSsid, 0}, Wps()})), false},
                      ListedCase{"wps_after_rsn", Spec("Both", Concat({Rsn(), Wps()})), true},
                      // The entry claims more elements than its length covers.
                      ListedCase{"length_short_of_elements", Cut(Spec("Cut", Wps()), 400), false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(WpsApListRows, TextsOfARow) {
  EntrySpec open = Spec("NewAP", Wps(0x0004), 0x0C);
  open.dsConfig = 2427000;
  EntrySpec locked = Spec("Router", Concat({Rsn(), Wps()}), 0xAB);
  locked.dsConfig = 4900000;  // in no channel row
  EntrySpec privacyOnly = Spec("Wep", Wps(0x0000), 0x01);
  privacyOnly.privacy = 1;
  WpsApList list;
  list.Build(MakeScanBuffer({MakeEntry(open), MakeEntry(locked), MakeEntry(privacyOnly)}));
  ASSERT_EQ(list.Size(), 3u);
  const auto& rows = list.Rows();
  EXPECT_EQ(rows[0].id, "0x0004");
  EXPECT_EQ(rows[0].ssid, "NewAP");
  EXPECT_EQ(rows[0].bssid, "00-11-22-33-44-0C");
  EXPECT_EQ(rows[0].channel, "4");
  EXPECT_FALSE(rows[0].isProtected);
  EXPECT_EQ(rows[1].id, "") << "no Device Password ID: nothing after \"ID : \"";
  EXPECT_EQ(rows[1].bssid, "00-11-22-33-44-AB");
  EXPECT_EQ(rows[1].channel, "");
  EXPECT_TRUE(rows[1].isProtected) << "an RSN element protects without the privacy bit";
  EXPECT_EQ(rows[2].id, "0x0000");
  EXPECT_TRUE(rows[2].isProtected) << "the privacy bit alone protects";
}

TEST(WpsApListSnapshot, RowsMapToTheirOwnEntriesPastSkippedOnes) {
  const Bytes first = MakeEntry(Spec("A", Wps(), 0x01));
  const Bytes skipped = MakeEntry(Spec("NoWps", Rsn(), 0x02));
  const Bytes cut = MakeEntry(Cut(Spec("Cut", Wps(), 0x03), 1000));
  const Bytes last = MakeEntry(Spec("B", Concat({Rsn(), Wps(0x0005)}), 0x04));
  WpsApList list;
  list.Build(MakeScanBuffer({first, skipped, cut, last}));
  ASSERT_EQ(list.Size(), 2u);
  EXPECT_EQ(Bytes(list.Entry(0).begin(), list.Entry(0).end()), first);
  EXPECT_EQ(Bytes(list.Entry(1).begin(), list.Entry(1).end()), last);
  EXPECT_TRUE(list.Entry(2).empty());
  EXPECT_EQ(list.Snapshot().size(), 4 + first.size() + last.size());
  EXPECT_EQ(LoadLe32(list.Snapshot().data()), 2u);

  list.Build(MakeScanBuffer({skipped}));
  EXPECT_EQ(list.Size(), 0u);
  EXPECT_TRUE(list.Entry(0).empty()) << "a rebuild forgets the old rows";
  EXPECT_EQ(list.Snapshot(), Bytes(4, 0));
}

TEST(WpsApListSnapshot, NoScanListGivesAnEmptyList) {
  WpsApList list;
  list.Build({});
  EXPECT_EQ(list.Size(), 0u);
  const Bytes countOnly = {5, 0, 0};  // shorter than the count itself
  list.Build(countOnly);
  EXPECT_EQ(list.Size(), 0u);
}

}  // namespace
}  // namespace nxui
