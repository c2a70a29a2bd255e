// The profile page's Add, Edit and Delete reaching the profile editor panel.
#pragma once

#include "profiles/CProfileEditorDlg.h"
#include "profiles/IProfileEditorHost.h"

namespace nxui {

class ProfileEditorLink final : public IProfileEditorHost {
 public:
  explicit ProfileEditorLink(CProfileEditorDlg& editor) : editor_(editor) {}

  void OpenForNewProfile() override { editor_.OpenNew(); }
  void OpenForProfile(const std::string& name) override { editor_.OpenExisting(name); }
  bool Visible() const override { return editor_.State().mode != EditorMode::Closed; }
  void Close() override { editor_.OnCancel(); }

 private:
  CProfileEditorDlg& editor_;
};

}  // namespace nxui
