#include "shell/NxCore.h"

#include "survey/CPageSiteSurveyDlg.h"

namespace nxui::shell {

// Forgets itself in the core when it goes.
class NxCore::TrackedPageSet final : public PageSet {
 public:
  TrackedPageSet(NxCore& core, PageEnvironment environment) : PageSet(std::move(environment)), core_(core) {
    core_.pages_ = this;
  }
  ~TrackedPageSet() {
    if (core_.pages_ == this) core_.pages_ = nullptr;
  }

 private:
  NxCore& core_;
};

NxCore::NxCore(Platform& platform, Language language, HideDlgPorts ports, HideDlgOptions options, HideDlgHooks hooks)
    : platform_(platform), strings_(language) {
  auto survey = [this]() -> CPageSiteSurveyDlg* {
    return pages_ != nullptr ? pages_->AsIfBuilt<CPageSiteSurveyDlg>(PageKey::Page(PageId::Network)) : nullptr;
  };
  if (!hooks.resetSurveyScanState) {
    hooks.resetSurveyScanState = [survey] {
      if (CPageSiteSurveyDlg* page = survey()) page->ResetScanState();
    };
  }
  if (!hooks.markSurveyStale) {
    hooks.markSurveyStale = [survey] {
      if (CPageSiteSurveyDlg* page = survey()) page->MarkStale();
    };
  }
  // The hidden window calls these from its initialisation on; the applier exists by then.
  if (!hooks.profileAdapterReady) {
    hooks.profileAdapterReady = [this](DWORD supports5GHzResult) {
      applier_->ApplyStation(1, 0, static_cast<int>(supports5GHzResult));
    };
  }
  if (!hooks.reapplyActiveProfile) hooks.reapplyActiveProfile = [this] { applier_->ApplyStation(0, 1, 0); };
  if (!hooks.wpsCredentialStep) hooks.wpsCredentialStep = [this] { wps_->OnHiddenCredentialStep(); };
  if (!hooks.pollPbcStarted) hooks.pollPbcStarted = [this] { return wps_->OnHiddenPbcPoll(); };
  if (!hooks.pollWpsStatus) hooks.pollWpsStatus = [this] { wps_->OnHiddenStatusPoll(); };
  const std::string settingsDirectory = options.settings.path;
  hidden_ = std::make_unique<CHideDlg>(platform, ports, std::move(options), Lookup(), std::move(hooks));
  driverPort_ = std::make_unique<DriverChannelPort>(hidden_->Driver());
  store_ = std::make_unique<ProfileStore>(hidden_->Context(), settingsDirectory, platform.systemInfo);
  stationHost_ = std::make_unique<HideDlgStationHost>(*hidden_);
  wpsStore_ = std::make_unique<WpsStore>(*store_, hidden_->Session().Profiles(), hidden_->Wps());
  wpsHost_ = std::make_unique<HideDlgWpsHost>(*hidden_, strings_);
  wps_ = std::make_unique<WpsEngine>(hidden_->Wps(), platform.loop, *driverPort_, hidden_->Session(), *wpsStore_,
                                     *wpsHost_);
  wpsStation_ = std::make_unique<WpsStationStore>(*wps_);
  applier_ = std::make_unique<StationApplier>(*store_, platform.registry, hidden_->Context(), *driverPort_,
                                              hidden_->Session(), *stationHost_, *wpsStation_);
}

NxCore::~NxCore() {
  // The hidden window goes first: its destruction may still run work that reaches the applier.
  hidden_.reset();
}

StringLookup NxCore::Lookup() const {
  const StringTable* table = &strings_;
  return [table](std::uint32_t id) { return table->LoadString(id); };
}

std::unique_ptr<PageSet> NxCore::MakePages(std::optional<ProgramVersionResource> program, std::size_t graphPixels) {
  PageEnvironment environment{platform_,        *hidden_,           strings_,    surveyShared_,
                              surveySelection_, std::move(program), graphPixels, store_.get(),
                              applier_.get(),   &editorWindow_,     wps_.get()};
  return std::make_unique<TrackedPageSet>(*this, std::move(environment));
}

}  // namespace nxui::shell
