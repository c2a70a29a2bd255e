// The receiver of "Add to Profile": the profile editor opens itself for a new profile taken from
// the survey.
#pragma once

#include "profiles/SurveySelection.h"

namespace nxui {

class ISurveyProfileTarget {
 public:
  virtual ~ISurveyProfileTarget() = default;
  virtual void NewProfileFromSurvey(const SurveySelection& selection) = 0;
};

}  // namespace nxui
