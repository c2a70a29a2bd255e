// "Export Profile": each credential in turn opens the profile editor for a new profile, filled in
// from the credential; the user saves or cancels each one before the next opens.
#pragma once

#include <cstddef>

#include "profiles/CProfileEditorDlg.h"
#include "wps/WpsRecords.h"

namespace nxui {

// The editor reset to a new profile and filled from one credential: SSID, authentication and
// encryption, the pre-shared key or the WEP key at the credential's key index.
void PrefillEditorFromCredential(CProfileEditorDlg& editor, const WpsCredential& credential);

class WpsCredentialExport {
 public:
  explicit WpsCredentialExport(CProfileEditorDlg& editor) : editor_(editor) {}

  // Opens the editor for the first credential of a copy of `table`; nothing with count 0.
  void Start(const WpsCredentialTable& table);
  // The editor was closed (saved or cancelled): opens it for the next credential. False when the
  // export is over.
  bool OnEditorClosed();
  bool Active() const { return active_; }
  std::size_t Next() const { return next_; }

 private:
  bool OpenNext();

  CProfileEditorDlg& editor_;
  WpsCredentialTable table_{};
  std::size_t next_ = 0;
  bool active_ = false;
};

}  // namespace nxui
