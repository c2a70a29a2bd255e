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
  hidden_ = std::make_unique<CHideDlg>(platform, ports, std::move(options), Lookup(), std::move(hooks));
}

NxCore::~NxCore() = default;

StringLookup NxCore::Lookup() const {
  const StringTable* table = &strings_;
  return [table](std::uint32_t id) { return table->LoadString(id); };
}

std::unique_ptr<PageSet> NxCore::MakePages(std::optional<ProgramVersionResource> program, std::size_t graphPixels) {
  PageEnvironment environment{platform_,        *hidden_,           strings_,   surveyShared_,
                              surveySelection_, std::move(program), graphPixels};
  return std::make_unique<TrackedPageSet>(*this, std::move(environment));
}

}  // namespace nxui::shell
