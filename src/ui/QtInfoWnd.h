// The hint window: a borderless pop-up beside an edit field with one line of text, shown without
// taking the focus. Where and for how long is the hint model's decision; this widget measures with
// the anchor's font, draws, and reports mouse activity over it.
#pragma once

#include <QPointer>
#include <QWidget>

#include <map>
#include <optional>

#include "shell/CInfoWnd.h"

namespace nxui {

class QtInfoWnd final : public QWidget, public shell::IInfoWndView {
  Q_OBJECT

 public:
  explicit QtInfoWnd(QWidget* parent = nullptr);

  // The hint model that decides (its mouse-activity handler hides the hint).
  void SetModel(shell::CInfoWnd* model) { model_ = model; }
  // Anchors by control id.
  void RegisterAnchor(int controlId, QWidget* anchor);
  // Tests: answer the focus question without a window system.
  void SetFocusOverride(std::optional<bool> focus) { focusOverride_ = focus; }

  bool FocusInProgram() override;
  shell::HintTextMetrics MeasureText(int anchorControl, const std::string& text) override;
  shell::HintRect AnchorRect(int anchorControl) override;
  void Show(const shell::HintRect& windowRect, const std::string& text) override;
  void Hide() override;

  QString Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QWidget* Anchor(int controlId) const;

  shell::CInfoWnd* model_ = nullptr;
  std::map<int, QPointer<QWidget>> anchors_;
  std::optional<bool> focusOverride_;
  QString text_;
};

}  // namespace nxui
