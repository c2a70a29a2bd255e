#include "advanced/CPage80211nSettingDlg.h"

#include "adapter/AdapterContext.h"
#include "adapter/AdapterRegistry.h"
#include "adapter/DriverNames.h"
#include "adapter/DriverRequestPort.h"
#include "adapter/Oids.h"
#include "advanced/CAddBlockAckDlg.h"
#include "advanced/CDeleteBlockAckDlg.h"
#include "display/StringTable.h"

namespace nxui {
namespace {

// "MAC地址" takes 14/30 of the list's width, each TID column 1/15.
std::vector<BlockAckColumn> ListColumns(const StringTable& strings) {
  std::vector<BlockAckColumn> columns = {{strings.LoadString(string_id::kMacAddressColumn), 14, 30, false}};
  for (int tid = 0; tid < kTidCount; ++tid) columns.push_back({std::to_string(tid), 1, 15, true});
  return columns;
}

void FillRows(BlockAckListState& list, const std::vector<BlockAckEntry>& entries) {
  list.rows.clear();
  for (const BlockAckEntry& entry : entries) list.rows.push_back(BlockAckRowCells(entry));
}

}  // namespace

CPage80211nSettingDlg::CPage80211nSettingDlg(IEventLoop& loop, DriverRequestPort& driver, IRegistry& registry,
                                             const AdapterContext& context, const StringTable& strings,
                                             BlockAckWindow window, CAddBlockAckDlg* addDialog,
                                             CDeleteBlockAckDlg* deleteDialog)
    : loop_(loop),
      driver_(driver),
      registry_(registry),
      context_(context),
      strings_(strings),
      mainWindow_(std::move(window)),
      addDialog_(addDialog),
      deleteDialog_(deleteDialog) {}

CPage80211nSettingDlg::~CPage80211nSettingDlg() {
  if (window_ != 0) loop_.DestroyWindow(window_);
}

void CPage80211nSettingDlg::OnInitDialog() {
  if (window_ == 0) window_ = loop_.CreateWindow(*this);
  using namespace string_id;
  state_.mpduAggregationLabel = strings_.LoadString(kMpduAggregation);
  state_.mpduDensityLabel = strings_.LoadString(kMpduDensityLabel);
  state_.mpduDensityItems.clear();
  for (int item = 0; item < kMpduDensityItems; ++item) state_.mpduDensityItems.push_back(std::to_string(item));
  state_.manualLabel = strings_.LoadString(kManual);
  state_.autoLabel = strings_.LoadString(kAuto);
  state_.amsduLabel = strings_.LoadString(kAmsdu);
  state_.amsduMax3839Label = strings_.LoadString(kAmsduMax3839);
  state_.amsduMax7935Label = strings_.LoadString(kAmsduMax7935);
  state_.smpsGroupLabel = strings_.LoadString(kSmPowerSave);
  state_.smEnableLabel = strings_.LoadString(kSmEnable);
  state_.staticSmpsLabel = strings_.LoadString(kStaticSmps);
  state_.dynamicSmpsLabel = strings_.LoadString(kDynamicSmps);
  state_.applyLabel = strings_.LoadString(kApply);
  state_.addLabel = "+";
  state_.deleteLabel = "-";
  state_.originator.caption = strings_.LoadString(kOriginatorOf);
  state_.recipient.caption = strings_.LoadString(kRecipientOf);
  state_.originator.columns = ListColumns(strings_);
  state_.recipient.columns = state_.originator.columns;
  ShowValues();
  RefreshEnabledStates();
}

void CPage80211nSettingDlg::OnShow() {
  state_.originator.rows.clear();
  state_.recipient.rows.clear();
  ReadRegistry();
  SendRecord();
  RefreshEnabledStates();
  ShowValues();
  state_.timerRunning = loop_.SetTimer(window_, kRefreshTimerId, kRefreshPeriodMs);
}

void CPage80211nSettingDlg::OnHide() {
  loop_.KillTimer(window_, kRefreshTimerId);
  state_.timerRunning = false;
}

void CPage80211nSettingDlg::OnTimer(UINT_PTR timerId) {
  if (timerId == kRefreshTimerId) RefreshLists();
}

LRESULT CPage80211nSettingDlg::OnMessage(UINT, WPARAM, LPARAM) { return 0; }

void CPage80211nSettingDlg::RefreshLists() {
  std::array<std::uint8_t, kBlockAckTableSize> table{};
  std::uint32_t bytesReturned = 0;
  // A failed query, or one that returned nothing, keeps what the lists show.
  if (!driver_.QueryCounted(OID_WLAN_BA_TABLE, table, bytesReturned) || bytesReturned == 0) return;
  const BlockAckTable parsed = ParseBlockAckTable(
      std::span<const std::uint8_t>(table).first(std::min<std::size_t>(bytesReturned, table.size())));
  FillRows(state_.originator, parsed.originator);
  FillRows(state_.recipient, parsed.recipient);
}

void CPage80211nSettingDlg::OnMpduAggregationClicked(bool checked) {
  state_.controls.mpduAggregation = checked;
  TakeControlValues();
  RefreshEnabledStates();
}

void CPage80211nSettingDlg::OnAmsduClicked(bool checked) {
  state_.controls.amsdu = checked;
  TakeControlValues();
  RefreshEnabledStates();
}

void CPage80211nSettingDlg::OnBlockAckModeClicked(int autoBa) {
  if (!state_.blockAckModeEnabled || (autoBa != 0 && autoBa != 1)) return;
  state_.controls.autoBa = autoBa;
  TakeControlValues();
}

void CPage80211nSettingDlg::SelectMpduDensity(int item) {
  if (state_.mpduDensityEnabled && item >= 0 && item < kMpduDensityItems) state_.controls.mpduDensity = item;
}

void CPage80211nSettingDlg::SelectAmsduSize(int size) {
  if (state_.amsduSizeEnabled && (size == 0 || size == 1)) state_.controls.amsduSize = size;
}

void CPage80211nSettingDlg::SelectSmps(int smps) {
  if (smps >= kSmpsEnable && smps <= kSmpsDynamic) state_.controls.smps = smps;
}

bool CPage80211nSettingDlg::OnApply() {
  TakeControlValues();
  SendRecord();
  const AdapterRegistry key(registry_, context_.classKeyPath);
  const bool saved = key.WriteDword(reg_value::kBaCapability, BaCapabilityFromRecord(BuildHtConfigRecord(settings_)));
  RefreshEnabledStates();
  if (!saved && mainWindow_.showMessage) {
    // The driver runs with the new values; only the next start would not know them.
    mainWindow_.showMessage(
        strings_.LoadString(context_.isAdmin ? string_id::kHtSettingsNotSaved : string_id::kNoAdministratorPrivilege));
  }
  return saved;
}

void CPage80211nSettingDlg::OnAddOriginator() {
  if (!state_.originatorAddEnabled || addDialog_ == nullptr) return;
  addDialog_->Open();
  if (mainWindow_.showPanel) mainWindow_.showPanel(CAddBlockAckDlg::kPanel);
}

void CPage80211nSettingDlg::OnDeleteOriginator() {
  if (state_.originatorDeleteEnabled) OpenDelete(kBlockAckOriginator);
}

void CPage80211nSettingDlg::OnDeleteRecipient() {
  if (state_.recipientDeleteEnabled) OpenDelete(kBlockAckRecipient);
}

void CPage80211nSettingDlg::OpenDelete(int direction) {
  if (deleteDialog_ == nullptr) return;
  deleteDialog_->Open(direction);
  if (mainWindow_.showPanel) mainWindow_.showPanel(CDeleteBlockAckDlg::kPanel);
}

void CPage80211nSettingDlg::TakeControlValues() {
  // The two Block Ack bytes have no control; they stay as read.
  HtSettings taken = state_.controls;
  taken.baByte0 = settings_.baByte0;
  taken.baByte1 = settings_.baByte1;
  settings_ = taken;
}

void CPage80211nSettingDlg::ShowValues() { state_.controls = settings_; }

void CPage80211nSettingDlg::RefreshEnabledStates() {
  const bool aggregation = settings_.mpduAggregation;
  const bool manual = aggregation && settings_.autoBa == 0;
  state_.blockAckModeEnabled = aggregation;
  state_.mpduDensityEnabled = aggregation;
  state_.originatorAddEnabled = manual;
  state_.originatorDeleteEnabled = manual;
  state_.recipientDeleteEnabled = manual;
  state_.amsduSizeEnabled = settings_.amsdu;
}

void CPage80211nSettingDlg::SendRecord() {
  // Sets are retried by the request channel; their outcome is not checked.
  driver_.Set(OID_WLAN_HT_CONFIG, BuildHtConfigRecord(settings_));
}

void CPage80211nSettingDlg::ReadRegistry() {
  std::uint32_t value = 0;
  // A missing key or value leaves the values as they were.
  if (AdapterRegistry(registry_, context_.classKeyPath).ReadDword(reg_value::kBaCapability, value)) {
    ApplyBaCapability(value, settings_);
  }
}

}  // namespace nxui
