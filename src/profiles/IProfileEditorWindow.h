// What the profile editor asks of the window around it: the message box, a question, the hint
// window beside an edit, and the main window's panels. The GUI answers with its windows, the
// command line with stderr and its options.
#pragma once

#include <string>

#include "profiles/EditorField.h"

namespace nxui {

class IProfileEditorWindow {
 public:
  virtual ~IProfileEditorWindow() = default;
  // The utility's message box; 1 after OK, 2 after closing it.
  virtual int ShowMessage(const std::string& text) = 0;
  // A question with OK and Cancel; true only after OK.
  virtual bool Confirm(const std::string& text) = 0;
  // Moves the focus to the field and shows the text in the hint window beside it.
  virtual void ShowHint(EditorField field, const std::string& text) = 0;
  // Shows the editor panel in the main window's enlarged layout.
  virtual void ShowEditorPanel() = 0;
  // The editor is done (saved or cancelled): back to the profile page, refreshed after a save.
  virtual void CloseEditorPanel(bool saved) = 0;
};

}  // namespace nxui
