// The profile editor as the profile page opens it. The editor panel implements this; the page calls
// Add and Edit into it, and the editor calls the page's OnProfileSaved after a save.
#pragma once

#include <string>

namespace nxui {

class IProfileEditorHost {
 public:
  virtual ~IProfileEditorHost() = default;
  // Add: the editor for a new profile, both tabs with their defaults, in the enlarged layout.
  virtual void OpenForNewProfile() = 0;
  // Edit: the stored profile `name` loaded into both tabs; the editor panel shown.
  virtual void OpenForProfile(const std::string& name) = 0;
  // The editor panel is the one showing.
  virtual bool Visible() const = 0;
  // Back to the main window's first panel (the link status), the editor closed unsaved.
  virtual void Close() = 0;
};

// Until an editor is plugged in: Add and Edit open nothing.
class NoProfileEditor final : public IProfileEditorHost {
 public:
  void OpenForNewProfile() override {}
  void OpenForProfile(const std::string&) override {}
  bool Visible() const override { return false; }
  void Close() override {}
};

}  // namespace nxui
