#include "shell/CInfoWnd.h"

namespace nxui::shell {

CInfoWnd::CInfoWnd(IEventLoop& loop, IInfoWndView& view, int placement)
    : loop_(loop), view_(view), placement_(placement) {
  window_ = loop_.CreateWindow(*this);
}

CInfoWnd::~CInfoWnd() { loop_.DestroyWindow(window_); }

HintRect CInfoWnd::TextRect(const HintRect& anchor, int width, int height, int placement, int horizontalGap,
                            int verticalGap) {
  HintRect r;
  // Below is the value 1 itself; right and left are bits, so 9 or 3 place the hint beside.
  if (placement == kHintBelow) {
    r.left = anchor.left;
    r.top = anchor.bottom + verticalGap;
  } else if (placement & kHintRight) {
    r.left = anchor.right + horizontalGap;
    r.top = anchor.top;
  } else if (placement & kHintLeft) {
    r.left = anchor.left - horizontalGap - width;
    r.top = anchor.top;
  } else {
    r.left = anchor.left;
    r.top = anchor.top - verticalGap - height;
  }
  r.right = r.left + width;
  r.bottom = r.top + height;
  return r;
}

HintRect CInfoWnd::WindowRectFor(const HintRect& textRect) {
  return {textRect.left - 3, textRect.top - 1, textRect.right, textRect.bottom};
}

void CInfoWnd::Show(int anchorControl, const std::string& text) {
  if (visible_ || !view_.FocusInProgram()) return;
  shownText_ = " " + text + " ";
  const HintTextMetrics m = view_.MeasureText(anchorControl, shownText_);
  const int width = m.width + m.overhang + 2;
  const int height = m.height + m.descent + 2;
  const HintRect textRect =
      TextRect(view_.AnchorRect(anchorControl), width, height, placement_, horizontalGap_, verticalGap_);
  windowRect_ = WindowRectFor(textRect);
  view_.Show(windowRect_, shownText_);
  visible_ = true;
  loop_.SetTimer(window_, kHideTimer, kHideAfterMs);
}

void CInfoWnd::Hide() {
  loop_.KillTimer(window_, kHideTimer);
  if (!visible_) return;
  visible_ = false;
  view_.Hide();
}

void CInfoWnd::OnTimer(UINT_PTR timerId) {
  if (timerId == kHideTimer) Hide();
}

}  // namespace nxui::shell
