#include "profiles/CPageProfileDlg.h"
#include "base/AsciiCase.h"

#include <algorithm>
#include <cstring>

#include "adapter/AdapterRegistry.h"
#include "display/StringTable.h"
#include "profiles/IProfileEditorHost.h"
#include "profiles/IProfilePageHost.h"
#include "profiles/ProfileStore.h"
#include "profiles/StationApplier.h"
#include "wlan/WlanMessages.h"
#include "wlan/WlanProfileBuilder.h"
#include "wlan/WlanSession.h"

namespace nxui {
namespace {

bool SameNameNoCase(std::string_view a, std::string_view b) { return EqualsIgnoringAsciiCase(a, b); }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

CPageProfileDlg::CPageProfileDlg(IEventLoop& loop, WlanSession& session, ProfileStore& store, StationApplier& applier,
                                 const StringTable& strings, IProfilePageHost& host, IProfileEditorHost& editor)
    : loop_(loop),
      session_(session),
      store_(store),
      applier_(applier),
      strings_(strings),
      host_(host),
      editor_(editor) {}

CPageProfileDlg::~CPageProfileDlg() {
  if (window_ != 0) {
    host_.SetPageWindow(0);
    loop_.DestroyWindow(window_);
  }
}

void CPageProfileDlg::OnInitDialog() {
  using namespace string_id;
  auto text = [this](StringId id) { return strings_.LoadString(id); };
  ProfilePageLabels& l = state_.labels;
  l.title = text(kProfileList);
  l.profileName = text(kProfileNameLabel);
  l.ssid = text(kSsidLabel);
  l.networkType = text(kNetworkTypeLabel);
  l.authentication = text(kAuthenticationLabel);
  l.encryption = text(kEncryptionLabel);
  l.use8021X = text(kUse8021XLabel);
  l.txPower = text(kTxPowerLabel);
  l.channel = text(kChannelLabel);
  l.powerSave = text(kPowerSaveModeLabel);
  l.rtsThreshold = text(kRtsThresholdLabel);
  l.fragThreshold = text(kFragmentThresholdLabel);
  l.add = text(kAdd);
  l.edit = text(kEdit);
  l.remove = text(kDelete);
  l.apply = text(kApply);
  state_.columns = {{"", 0.04}, {text(kColumnName), 0.28}, {text(kColumnSsid), 0.56}, {"", 0.04}, {"", 0.04}};

  window_ = loop_.CreateWindow(*this);
  host_.SetPageWindow(window_);
  Refresh();
  loop_.SetTimer(window_, kTimerId, kTimerPeriodMs);
}

void CPageProfileDlg::Refresh() {
  if (std::string current = store_.ReadStation(kCurProfileKey); !current.empty()) {
    state_.currentProfileName = std::move(current);
  }
  const std::string selectedName =
      state_.selectedRow >= 0 ? state_.rows[static_cast<std::size_t>(state_.selectedRow)].texts.name : std::string();

  const StoreFileSnapshot file = store_.ReadProfiles();
  const std::string& open = strings_.LoadString(string_id::kAuthModeBase + 0);
  const std::string& none = strings_.LoadString(string_id::kCipherModeBase + 1);
  const std::string& adhoc = strings_.LoadString(string_id::kNetworkTypeBase + 0);
  std::vector<ProfileRow> rows;
  std::vector<std::int64_t> times;
  rows.reserve(file.Names().size());
  times.reserve(file.Names().size());
  for (const std::string& name : file.Names()) {
    ProfileRow row;
    row.texts = DescribeProfile(file, name, strings_);
    row.secured = Trimmed(row.texts.rowAuthentication) != open || Trimmed(row.texts.encryption) != none;
    row.infrastructure = Trimmed(row.texts.networkType) != adhoc;
    times.push_back(ActiveTimeSortKey(row.texts.activeTime));
    rows.push_back(std::move(row));
  }
  // Most recent first; equal times (and the never-applied profiles) keep file order.
  std::vector<std::size_t> order(rows.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&times](std::size_t a, std::size_t b) { return times[a] > times[b]; });
  state_.rows.clear();
  state_.rows.reserve(rows.size());
  for (const std::size_t i : order) state_.rows.push_back(std::move(rows[i]));

  int selected = -1;
  for (std::size_t i = 0; i < state_.rows.size() && !selectedName.empty(); ++i) {
    if (state_.rows[i].texts.name == selectedName) selected = static_cast<int>(i);
  }
  Select(selected);
  UpdateStateMarkers();
  UpdateButtons();
}

void CPageProfileDlg::Select(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= state_.rows.size()) {
    state_.selectedRow = -1;
    state_.details = ProfileTexts{};
    return;
  }
  state_.selectedRow = row;
  state_.details = state_.rows[static_cast<std::size_t>(row)].texts;
}

void CPageProfileDlg::OnRowClicked(int row) { Select(row); }

void CPageProfileDlg::UpdateButtons() {
  const bool any = !state_.rows.empty() && !platformEditorOpen_;
  state_.editEnabled = any;
  state_.deleteEnabled = any;
  state_.applyEnabled = any;
}

void CPageProfileDlg::UpdateStateMarkers() {
  int connected = 0;
  SsidRecord current{};
  const bool online = session_.IsConnected(connected) == kErrorSuccess && connected != 0 &&
                      session_.CurrentSsid(current) == kErrorSuccess;
  std::uint32_t length = 0;
  std::memcpy(&length, current.data(), sizeof length);
  const std::string currentSsid(reinterpret_cast<const char*>(current.data() + 4), std::min<std::uint32_t>(length, 32));
  for (ProfileRow& row : state_.rows) {
    if (state_.currentProfileName.empty() || !SameNameNoCase(row.texts.name, state_.currentProfileName)) {
      row.state = profile_state::kNone;
    } else {
      row.state = online && row.texts.ssid == currentSsid ? profile_state::kConnected : profile_state::kActive;
    }
  }
}

void CPageProfileDlg::OnTick() { UpdateStateMarkers(); }

bool CPageProfileDlg::ButtonsLive() const { return host_.AdapterReady() && host_.RadioOn(); }

int CPageProfileDlg::FocusedRow() {
  if (state_.selectedRow < 0 || static_cast<std::size_t>(state_.selectedRow) >= state_.rows.size()) {
    host_.ShowMessage(strings_.LoadString(string_id::kNoSelectedItem));
    return -1;
  }
  return state_.selectedRow;
}

bool CPageProfileDlg::Report(const StoreResult& result) {
  if (result.ok()) return true;
  host_.ShowMessage(StoreFailureText(result, strings_));
  return false;
}

void CPageProfileDlg::OnAdd() {
  if (!ButtonsLive()) return;
  editor_.OpenForNewProfile();
}

void CPageProfileDlg::OnEdit() {
  if (!ButtonsLive()) return;
  const int row = FocusedRow();
  if (row < 0) return;
  editor_.OpenForProfile(state_.rows[static_cast<std::size_t>(row)].texts.name);
}

void CPageProfileDlg::Activate(const std::string& name) {
  state_.currentProfileName = name;
  // A station that could not be written must not be applied: it would connect with the old one.
  if (!Report(store_.ActivateProfile(name))) return;
  host_.ProfileApplied(store_.LoadProfile(name));
  applier_.ApplyStation(0, 1, 0);
  Report(store_.StampActiveTime(name));
  Refresh();
}

void CPageProfileDlg::OnApply() {
  if (!ButtonsLive()) return;
  const int row = FocusedRow();
  if (row < 0) return;
  Activate(state_.rows[static_cast<std::size_t>(row)].texts.name);
}

void CPageProfileDlg::OnDelete() {
  if (!ButtonsLive()) return;
  const int index = FocusedRow();
  if (index < 0) return;
  const ProfileTexts deleted = state_.rows[static_cast<std::size_t>(index)].texts;
  if (editor_.Visible()) editor_.Close();

  const bool wasActive = !state_.currentProfileName.empty() && SameNameNoCase(deleted.name, state_.currentProfileName);
  if (wasActive) {
    host_.ShowMessage(strings_.LoadString(string_id::kProfileInUse));
    if (applier_.ProfileDriven()) {
      applier_.ClearProfileDriven();
      Report(store_.ResetStation());
      state_.currentProfileName.clear();
    }
  }

  const auto ssidBytes = std::span(reinterpret_cast<const std::uint8_t*>(deleted.ssid.data()), deleted.ssid.size());
  PlatformProfileList& platform = session_.Profiles();
  if (platform.FindProfile(deleted.ssid) == 1) platform.DeleteProfile(ProfileNameForSsid(ssidBytes));

  const StoreResult removed = store_.RemoveProfile(deleted.name);
  if (removed.status != StoreStatus::NotFound) Report(removed);
  state_.selectedRow = -1;
  Refresh();

  if (!applier_.WpsInForce() && wasActive && !state_.rows.empty() &&
      static_cast<std::size_t>(index) < state_.rows.size()) {
    const ProfileTexts& next = state_.rows[static_cast<std::size_t>(index)].texts;
    if (next.ssid == deleted.ssid && !next.activeTime.empty()) {
      const std::string name = next.name;
      Activate(name);
    }
  }

  if (state_.rows.empty()) {
    Select(-1);
  } else {
    Select(std::min(index, static_cast<int>(state_.rows.size()) - 1));
  }
  UpdateButtons();
}

void CPageProfileDlg::OnEditorState(WPARAM wParam) {
  platformEditorOpen_ = wParam != 1;
  state_.editEnabled = !platformEditorOpen_;
  state_.deleteEnabled = !platformEditorOpen_;
  state_.applyEnabled = !platformEditorOpen_;
}

void CPageProfileDlg::OnTimer(UINT_PTR timerId) {
  if (timerId == kTimerId) OnTick();
}

LRESULT CPageProfileDlg::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == wlan_msg::kEditorState) OnEditorState(wParam);
  return 0;
}

}  // namespace nxui
