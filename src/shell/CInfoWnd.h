// The hint window shown beside an edit field: one hint at a time, the text padded with a space on
// each side, placed relative to its anchor, hidden after 4000 ms or on any mouse activity over it.
// The view measures and draws; this class decides what, where and for how long.
#pragma once

#include <string>

#include "platform/IEventLoop.h"

namespace nxui::shell {

struct HintRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const HintRect&, const HintRect&) = default;
};

// Text extent with the anchor's font (GetTextExtentPoint32 and TEXTMETRIC's overhang and descent).
struct HintTextMetrics {
  int width = 0, height = 0, overhang = 0, descent = 0;
};

// Placement: the value 1 puts the hint below; otherwise bit 8 right, bit 2 left, none above.
inline constexpr int kHintBelow = 1;
inline constexpr int kHintLeft = 2;
inline constexpr int kHintRight = 8;

class IInfoWndView {
 public:
  virtual ~IInfoWndView() = default;
  // True when the keyboard focus is in one of the program's windows.
  virtual bool FocusInProgram() = 0;
  virtual HintTextMetrics MeasureText(int anchorControl, const std::string& text) = 0;
  // The anchor's rectangle in screen coordinates.
  virtual HintRect AnchorRect(int anchorControl) = 0;
  // Shows the hint without activating it (transparent background, word breaking, no prefixes).
  virtual void Show(const HintRect& windowRect, const std::string& text) = 0;
  virtual void Hide() = 0;
};

class CInfoWnd final : public IMessageTarget {
 public:
  static constexpr UINT_PTR kHideTimer = 1;
  static constexpr UINT kHideAfterMs = 4000;
  static constexpr const char* kWindowClass = "ST_InfoWnd";

  CInfoWnd(IEventLoop& loop, IInfoWndView& view, int placement = 0);
  ~CInfoWnd() override;
  CInfoWnd(const CInfoWnd&) = delete;
  CInfoWnd& operator=(const CInfoWnd&) = delete;

  void SetPlacement(int placement) { placement_ = placement; }
  void SetGaps(int horizontal, int vertical) {
    horizontalGap_ = horizontal;
    verticalGap_ = vertical;
  }

  // Ignored while a hint is visible or while the focus is outside the program.
  void Show(int anchorControl, const std::string& text);
  void Hide();
  // Mouse moves and button presses over the hint.
  void OnMouseActivity() { Hide(); }

  bool Visible() const { return visible_; }
  const std::string& ShownText() const { return shownText_; }
  const HintRect& WindowRect() const { return windowRect_; }

  void OnTimer(UINT_PTR timerId) override;
  LRESULT OnMessage(UINT, WPARAM, LPARAM) override { return 0; }

  // Where a text rectangle of the given size goes for the placement, and the window around it.
  static HintRect TextRect(const HintRect& anchor, int width, int height, int placement, int horizontalGap,
                           int verticalGap);
  static HintRect WindowRectFor(const HintRect& textRect);

 private:
  IEventLoop& loop_;
  IInfoWndView& view_;
  HWND window_ = 0;
  int placement_;
  int horizontalGap_ = 2;
  int verticalGap_ = 2;
  bool visible_ = false;
  std::string shownText_;
  HintRect windowRect_;
};

}  // namespace nxui::shell
