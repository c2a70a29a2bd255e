// A profile target that only keeps the last selection handed over (until an editor takes them).
#pragma once

#include <optional>

#include "profiles/ISurveyProfileTarget.h"

namespace nxui {

class LastSurveySelection final : public ISurveyProfileTarget {
 public:
  void NewProfileFromSurvey(const SurveySelection& selection) override {
    last_ = selection;
    ++count_;
  }
  const std::optional<SurveySelection>& Last() const { return last_; }
  int Count() const { return count_; }

 private:
  std::optional<SurveySelection> last_;
  int count_ = 0;
};

}  // namespace nxui
