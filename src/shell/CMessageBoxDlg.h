// The program's message box: one text, caption "ZELU", one OK button. Every user-facing message of
// the shell goes through it. The view renders the model and ends it with OK or by closing. A
// question also has a Cancel button, which ends it as closing does.
#pragma once

#include <string>

#include "platform/IEventLoop.h"

namespace nxui::shell {

class CMessageBoxDlg {
 public:
  static constexpr const char* kCaption = "ZELU";
  static constexpr int kResultOk = 1;
  static constexpr int kResultClosed = 2;

  // `parent` 0 centres the box on the desktop; an empty `cancelCaption`: no Cancel button.
  CMessageBoxDlg(std::string text, std::string okCaption, HWND parent, std::string cancelCaption = {})
      : text_(std::move(text)),
        okCaption_(std::move(okCaption)),
        cancelCaption_(std::move(cancelCaption)),
        parent_(parent) {}

  const std::string& Text() const { return text_; }
  const char* Caption() const { return kCaption; }
  const std::string& OkCaption() const { return okCaption_; }
  bool HasCancel() const { return !cancelCaption_.empty(); }
  const std::string& CancelCaption() const { return cancelCaption_; }
  HWND Parent() const { return parent_; }

  void OnOk() { result_ = kResultOk; }
  void OnClose() { result_ = kResultClosed; }
  void OnCancel() { result_ = kResultClosed; }
  // A box the view dismissed without either action counts as closed.
  int Result() const { return result_; }

 private:
  std::string text_;
  std::string okCaption_;
  std::string cancelCaption_;
  HWND parent_;
  int result_ = kResultClosed;
};

// Runs the box modally; returns once the user pressed OK or closed it.
class IMessageBoxView {
 public:
  virtual ~IMessageBoxView() = default;
  virtual void RunModal(CMessageBoxDlg& box) = 0;
};

}  // namespace nxui::shell
