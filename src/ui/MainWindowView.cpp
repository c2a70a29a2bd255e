#include "ui/MainWindowView.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "shell/ShellIds.h"
#include "survey/CAPDetailInfoDlg.h"
#include "ui/AboutView.h"
#include "ui/ApDetailsView.h"
#include "ui/LinkStatusView.h"
#include "ui/PageViews.h"
#include "ui/ProfileView.h"
#include "ui/StatisticsView.h"
#include "ui/SurveyView.h"
#include "ui/ViewHelpers.h"
#include "widgets/CjkSubsetFont.h"
#include "widgets/PageButtonIcons.h"
#include "widgets/TrayIcons.h"
#include "widgets/TrebuchetFont.h"

namespace nxui {
namespace {

constexpr int kStripIconSize = 32;
constexpr int kPageAreaMinHeight = 300;
// How far the page area may shrink (and scroll) for the window to fit a small screen.
constexpr int kPageAreaShrunkHeight = 100;
// The window manager's title bar and borders before the window has been shown once.
constexpr int kAssumedFrameHeight = 32;
// A window wider than this many times its natural width only spreads the strip and the list.
constexpr double kMaximumWidthFactor = 1.5;

// The page area: naturally as tall as the page wants and at least kPageAreaMinHeight; on a small
// screen the page shrinks to its own minimum and below that the area scrolls.
class PageScrollArea final : public QScrollArea {
 public:
  explicit PageScrollArea(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  QSize sizeHint() const override {
    if (widget() == nullptr) return QScrollArea::sizeHint();
    return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()).expandedTo(QSize(0, kPageAreaMinHeight));
  }
  QSize minimumSizeHint() const override {
    if (widget() == nullptr) return QScrollArea::minimumSizeHint();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return {widget()->minimumSizeHint().width() + scrollBar, kPageAreaShrunkHeight};
  }
};

// Stands in the page area for a page's view that sets the area's size but is not built yet: it
// asks for exactly what the view asked for when it was measured (hints, limits and size policy are
// all a stacked layout reads), without the view's widgets.
class SizeHolder final : public QWidget {
 public:
  SizeHolder(const QWidget& measured, QWidget* parent)
      : QWidget(parent), hint_(measured.sizeHint()), minimumHint_(measured.minimumSizeHint()) {
    setObjectName(QStringLiteral("sizeHolder"));
    setSizePolicy(measured.sizePolicy());
    setMinimumSize(measured.minimumSize());
    setMaximumSize(measured.maximumSize());
  }
  QSize sizeHint() const override { return hint_; }
  QSize minimumSizeHint() const override { return minimumHint_; }

 private:
  QSize hint_;
  QSize minimumHint_;
};

// A strip button whose keyboard focus is plain to see (after a click the pressed look says enough).
class FocusRingButton final : public QToolButton {
 public:
  explicit FocusRingButton(QWidget* parent) : QToolButton(parent) { setFocusPolicy(Qt::StrongFocus); }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QToolButton::paintEvent(event);
    if (!hasFocus() || !window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
  }
};

}  // namespace

MainWindowView::MainWindowView(shell::CNxUI2007Dlg& model, shell::PageSet& pages, QWidget* parent)
    : QWidget(parent), model_(model), pages_(pages), expandedShown_(!model.State().expanded) {
  // Here rather than at start: a tray-only run would load the font machinery for nothing.
  UseCjkSubsetFont();
  setObjectName(QStringLiteral("mainWindow"));
  setWindowIcon(TrayIcon(kAppIconNumber));
  // A dialog-like window: it can be minimised, not maximised (its height follows More/Less).
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(6, 6, 6, 6);
  root->setSpacing(4);

  auto* stripFrame = new QFrame(this);
  stripFrame->setObjectName(QStringLiteral("strip"));
  stripFrame->setFrameShape(QFrame::StyledPanel);
  strip_ = new QHBoxLayout(stripFrame);
  strip_->setContentsMargins(2, 2, 2, 2);
  strip_->setSpacing(2);
  root->addWidget(stripFrame);

  const shell::MainWindowState& state = model_.State();
  MakeStripButton(shell::kCtlLeftArrow)->setIcon(PageButtonIcon(kArtLeftArrow));
  for (const shell::PageButtonState& b : state.buttons) MakeStripButton(b.controlId);
  MakeStripButton(shell::kCtlRightArrow)->setIcon(PageButtonIcon(kArtRightArrow));
  auto makeFiller = [this] {
    auto* filler = new QToolButton(this);
    filler->setEnabled(false);
    filler->setAutoRaise(true);
    filler->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return filler;
  };
  leftFiller_ = makeFiller();
  rightFiller_ = makeFiller();
  connect(stripButtons_[shell::kCtlLeftArrow], &QToolButton::clicked, this, [this] {
    model_.OnLeftArrow();
    Sync();
  });
  connect(stripButtons_[shell::kCtlRightArrow], &QToolButton::clicked, this, [this] {
    model_.OnRightArrow();
    Sync();
  });

  pageScroll_ = new PageScrollArea(this);
  pageScroll_->setObjectName(QStringLiteral("pageScroll"));
  pageArea_ = new QStackedWidget(pageScroll_);
  pageArea_->setObjectName(QStringLiteral("pageArea"));
  for (const shell::PageButtonState& b : state.buttons) {
    if (b.page) pageViews_[static_cast<std::size_t>(*b.page)].page = pages_.Get(shell::PageKey::Page(*b.page));
  }
  // Only the page shown comes with the window. The page that sets the page area's size is measured
  // first, so that the memory its view took is reused by the views built next, and leaves a holder
  // of its size in its place; its view, as every other page's, is built when first shown.
  for (const shell::PageButtonState& b : state.buttons) {
    if (b.page && b.page != state.selectedPage && SizesPageArea(shell::PageKey::Page(*b.page))) HoldPageSize(*b.page);
  }
  if (state.selectedPage) EnsurePageView(*state.selectedPage);
  pageScroll_->setWidget(pageArea_);
  root->addWidget(pageScroll_, 1);

  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(4);
  bottom->addStretch(1);
  help_ = new QToolButton(this);
  help_->setObjectName(QStringLiteral("help"));
  help_->setIcon(PageButtonIcon(kArtHelp));
  help_->setIconSize(QSize(20, 20));
  help_->setText(QStringLiteral("?"));
  help_->setToolTip(QStringLiteral("Help"));
  bottom->addWidget(help_);
  moreLess_ = new QToolButton(this);
  moreLess_->setObjectName(QStringLiteral("moreLess"));
  moreLess_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  moreLess_->setIconSize(QSize(20, 20));
  moreLess_->setMinimumWidth(90);
  bottom->addWidget(moreLess_);
  root->addLayout(bottom);
  connect(help_, &QToolButton::clicked, this, [this] { model_.OnHelpButton(); });
  connect(moreLess_, &QToolButton::clicked, this, [this] {
    model_.OnMoreLess();
    Sync();
  });

  lowerFrame_ = new QStackedWidget(this);
  lowerFrame_->setObjectName(QStringLiteral("lowerFrame"));
  lowerFrame_->setFrameShape(QFrame::StyledPanel);
  // Panel n sits at index n: an empty widget holds its place until its view is built, and for
  // good when the table lacks the panel.
  for (std::size_t n = 0; n < shell::kPanelCount; ++n) {
    panelViews_[n].page = pages_.Get(shell::PageKey::Panel(static_cast<int>(n)));
    lowerFrame_->addWidget(new QWidget(lowerFrame_));
  }
  // The panel keeps the room it asks for; extra height goes to the page area.
  lowerFrame_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
  root->addWidget(lowerFrame_, 0);
  Sync();
}

void MainWindowView::HoldPageSize(shell::PageId page) {
  ViewSlot& slot = pageViews_[static_cast<std::size_t>(page)];
  if (slot.view != nullptr || slot.holder != nullptr || slot.page == nullptr) return;
  std::function<void(QWidget&, shell::IPage&)> render;
  // A child of the page area, so that it measures with the fonts and style it will have there.
  std::unique_ptr<QWidget> measured(BuildPageView(shell::PageKey::Page(page), *slot.page, pageArea_, render));
  measured->ensurePolished();
  slot.holder = new SizeHolder(*measured, pageArea_);
  measured.reset();
  pageArea_->addWidget(slot.holder);
}

QWidget* MainWindowView::EnsurePageView(shell::PageId page) {
  ViewSlot& slot = pageViews_[static_cast<std::size_t>(page)];
  if (slot.view == nullptr && slot.page != nullptr) {
    slot.view = BuildPageView(shell::PageKey::Page(page), *slot.page, pageArea_, slot.render);
    pageArea_->addWidget(slot.view);
    if (slot.holder != nullptr) {
      pageArea_->removeWidget(slot.holder);
      delete slot.holder;
      slot.holder = nullptr;
    }
    if (help_ != nullptr) PlaceInTabOrder(*slot.view);
  }
  return slot.view;
}

void MainWindowView::PlaceInTabOrder(QWidget& view) {
  // A widget built after the window joins the end of its focus chain, behind the lower frame:
  // Tab reaches a page's controls after the strip and before Help, as for a page built first.
  std::vector<QWidget*> controls;
  for (QWidget* w = view.nextInFocusChain(); w != &view && view.isAncestorOf(w); w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) != 0) controls.push_back(w);
  }
  // QWidget::setTabOrder ignores a widget that takes no focus.
  QWidget* previous = help_->previousInFocusChain();
  while (previous != help_ && previous->focusPolicy() == Qt::NoFocus) previous = previous->previousInFocusChain();
  for (QWidget* w : controls) {
    QWidget::setTabOrder(previous, w);
    previous = w;
  }
}

QWidget* MainWindowView::EnsurePanelView(int panel) {
  if (panel < 0 || static_cast<std::size_t>(panel) >= panelViews_.size()) return nullptr;
  ViewSlot& slot = panelViews_[static_cast<std::size_t>(panel)];
  if (slot.view == nullptr && slot.page != nullptr) {
    slot.view = BuildPageView(shell::PageKey::Panel(panel), *slot.page, lowerFrame_, slot.render);
    const bool current = lowerFrame_->currentIndex() == panel;
    QWidget* holder = lowerFrame_->widget(panel);
    lowerFrame_->removeWidget(holder);
    delete holder;
    lowerFrame_->insertWidget(panel, slot.view);
    if (current) lowerFrame_->setCurrentIndex(panel);
  }
  return lowerFrame_->widget(panel);
}

int MainWindowView::BuiltViewCount() const {
  int built = 0;
  for (const ViewSlot& slot : pageViews_) built += slot.view != nullptr ? 1 : 0;
  for (const ViewSlot& slot : panelViews_) built += slot.view != nullptr ? 1 : 0;
  return built;
}

bool MainWindowView::RenderIfChanged(ViewSlot& slot) {
  if (slot.view == nullptr || !slot.render) return false;
  const std::uint64_t revision = slot.page->Revision();
  if (revision == slot.renderedRevision) return false;
  slot.renderedRevision = revision;
  slot.render(*slot.view, *slot.page);
  return true;
}

QToolButton* MainWindowView::MakeStripButton(int controlId) {
  auto* button = new FocusRingButton(this);
  button->setObjectName(QStringLiteral("strip%1").arg(controlId));
  button->setIconSize(QSize(kStripIconSize, kStripIconSize));
  button->setAutoRaise(true);
  stripButtons_[controlId] = button;
  const bool arrow = controlId == shell::kCtlLeftArrow || controlId == shell::kCtlRightArrow;
  if (!arrow) {
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFont(TrebuchetFont(model_.State().buttonFontHeight > 0 ? model_.State().buttonFontHeight - 4 : 16));
    for (const shell::PageButtonState& b : model_.State().buttons) {
      if (b.controlId != controlId) continue;
      if (b.page) {
        button->setCheckable(true);
        const shell::PageId page = *b.page;
        connect(button, &QToolButton::clicked, this, [this, page] {
          model_.OnPageButton(page);
          pages_.Sync();
          Sync();
        });
      } else {
        connect(button, &QToolButton::clicked, this, [this] {
          model_.OnRadioButton();
          Sync();
        });
      }
    }
  }
  return button;
}

int MainWindowView::DialogUnitsToPixels(int units) const {
  // A horizontal dialog unit is a quarter of the dialog font's average character width.
  return units * std::max(fontMetrics().averageCharWidth(), 4) / 4;
}

void MainWindowView::SyncStrip() {
  const shell::MainWindowState& state = model_.State();
  struct Placed {
    int x;
    int controlId;
    int width;
  };
  std::vector<Placed> placed;
  if (state.arrowsShown) {
    placed.push_back({state.leftArrow.x, shell::kCtlLeftArrow, state.leftArrow.width});
    placed.push_back({state.rightArrow.x, shell::kCtlRightArrow, state.rightArrow.width});
  }
  for (const shell::PageButtonState& b : state.buttons) {
    QToolButton* button = stripButtons_[b.controlId];
    button->setText(ToQt(b.caption));
    button->setEnabled(b.enabled);
    // Setting an icon repaints the button even when it is the same picture.
    if (int& art = stripArt_[b.controlId]; art != b.bitmap) {
      art = b.bitmap;
      button->setIcon(PageButtonIcon(b.bitmap));
    }
    if (b.page) button->setChecked(state.selectedPage == b.page);
    if (b.visible && b.slot.visible) placed.push_back({b.slot.x, b.controlId, b.slot.width});
  }
  std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) { return a.x < b.x; });

  std::vector<int> order;
  if (state.leftFiller.visible) order.push_back(shell::kCtlFiller);
  for (const Placed& p : placed) order.push_back(p.controlId);
  if (state.rightFiller.visible) order.push_back(-shell::kCtlFiller);
  for (const Placed& p : placed) stripButtons_[p.controlId]->setFixedWidth(DialogUnitsToPixels(p.width));
  // The fillers share what a wider window adds, so the buttons stay in the middle.
  leftFiller_->setMinimumWidth(DialogUnitsToPixels(state.leftFiller.width));
  if (order == stripOrder_) return;
  stripOrder_ = order;

  while (strip_->count() > 0) delete strip_->takeAt(0);
  for (auto& [id, button] : stripButtons_) button->hide();
  leftFiller_->hide();
  rightFiller_->hide();
  for (const int id : order) {
    QToolButton* w = id == shell::kCtlFiller    ? leftFiller_
                     : id == -shell::kCtlFiller ? rightFiller_
                                                : stripButtons_[id];
    strip_->addWidget(w);
    w->show();
  }
  if (!state.rightFiller.visible) strip_->addStretch(1);
}

void MainWindowView::Sync() {
  const shell::MainWindowState& state = model_.State();
  const bool modelMoved = !modelShown_ || !(*modelShown_ == state);
  if (modelMoved) {
    const int panelBefore = panelShown_;
    SyncModel(state);
    // A detail view or editor opened in the lower frame is what the user asked to see.
    const bool opened = panelBefore >= 0 && state.visiblePanel != panelBefore &&
                        state.visiblePanel != kPanelLinkStatus && !state.expanded;
    if (opened) {
      model_.OnMoreLess();
      Sync();
      return;
    }
  }

  bool rendered = false;
  if (state.selectedPage) rendered = RenderIfChanged(pageViews_[static_cast<std::size_t>(*state.selectedPage)]);
  if (state.visiblePanel >= 0 && static_cast<std::size_t>(state.visiblePanel) < panelViews_.size()) {
    rendered = RenderIfChanged(panelViews_[static_cast<std::size_t>(state.visiblePanel)]) || rendered;
  }

  if (state.expanded != expandedShown_) {
    expandedShown_ = state.expanded;
    lowerFrame_->setVisible(state.expanded);
    FitHeight();
  } else if (state.expanded && (rendered || modelMoved)) {
    // The panel grows when its content does (the HT group appears, a text gets longer).
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (height() < minimumSizeHint().height()) FitHeight();
  }
}

void MainWindowView::SyncModel(const shell::MainWindowState& state) {
  modelShown_ = state;
  setWindowTitle(ToQt(state.caption));
  SyncStrip();
  if (state.selectedPage) {
    if (QWidget* page = EnsurePageView(*state.selectedPage)) pageArea_->setCurrentWidget(page);
  }
  // Built even while the window is collapsed: the window keeps the width of the panel it shows.
  EnsurePanelView(state.visiblePanel);
  lowerFrame_->setCurrentIndex(state.visiblePanel);
  panelShown_ = state.visiblePanel;
  moreLess_->setText(ToQt(state.moreLessCaption));
  if (moreLessArt_ != state.moreLessBitmap) {
    moreLessArt_ = state.moreLessBitmap;
    moreLess_->setIcon(PageButtonIcon(state.moreLessBitmap));
  }
}

void MainWindowView::SetFitToScreen(bool on) {
  fitToScreen_ = on;
  FitHeight();
}

int MainWindowView::AvailableHeight() const {
  const QScreen* where = screen();
  if (!fitToScreen_ || where == nullptr) return 0;
  const int frame =
      isVisible() && frameGeometry().height() > height() ? frameGeometry().height() - height() : kAssumedFrameHeight;
  return where->availableGeometry().height() - frame;
}

void MainWindowView::FitHeight() {
  // Expanded reaches the bottom of the lower frame; collapsed ends just below More/Less. Fonts
  // and styles count only once the children are polished.
  ensurePolished();
  // Layouts below a window that is not on screen keep stale size hints: drop them.
  for (QLayout* nested : findChildren<QLayout*>()) nested->invalidate();
  if (QLayout* l = layout()) l->activate();
  int height = std::max(sizeHint().height(), minimumSizeHint().height());
  // On a small screen the page area gives up height (and scrolls) so that all of the window fits.
  if (const int available = AvailableHeight(); available > 0) {
    height = std::max(std::min(height, available), minimumSizeHint().height());
  }
  // The same width collapsed and expanded: the hidden lower frame counts too.
  const QMargins margins = layout() != nullptr ? layout()->contentsMargins() : QMargins();
  const int natural = std::max({sizeHint().width(), minimumSizeHint().width(),
                                lowerFrame_->minimumSizeHint().width() + margins.left() + margins.right()});
  if (maximumWidth() == QWIDGETSIZE_MAX) setMaximumWidth(static_cast<int>(natural * kMaximumWidthFactor));
  const int width = testAttribute(Qt::WA_Resized) ? this->width() : natural;
  resize(width, height);
  KeepOnScreen();
}

void MainWindowView::KeepOnScreen() {
  const QScreen* where = screen();
  if (!fitToScreen_ || !isVisible() || where == nullptr) return;
  const QRect available = where->availableGeometry();
  const QRect frame = frameGeometry();
  const int frameExtra = frame.height() > height() ? frame.height() - height() : kAssumedFrameHeight;
  const int bottom = frame.top() + height() + frameExtra - 1;
  if (bottom > available.bottom())
    move(frame.left(), std::max(available.top(), available.bottom() + 1 - height() - frameExtra));
}

QToolButton* MainWindowView::StripButton(int controlId) const {
  const auto it = stripButtons_.find(controlId);
  return it == stripButtons_.end() ? nullptr : it->second;
}

std::vector<int> MainWindowView::VisibleStripControls() const {
  std::vector<int> shown;
  for (const int id : stripOrder_) shown.push_back(id < 0 ? -id : id);
  return shown;
}

QWidget* MainWindowView::PageWidget(shell::PageId page) { return EnsurePageView(page); }

LinkStatusView* MainWindowView::LinkStatus() { return qobject_cast<LinkStatusView*>(PanelWidget(kPanelLinkStatus)); }
StatisticsView* MainWindowView::Statistics() {
  return qobject_cast<StatisticsView*>(PageWidget(shell::PageId::Statistics));
}
AboutView* MainWindowView::About() { return qobject_cast<AboutView*>(PageWidget(shell::PageId::About)); }
SurveyView* MainWindowView::Survey() { return qobject_cast<SurveyView*>(PageWidget(shell::PageId::Network)); }
ProfileView* MainWindowView::Profile() { return qobject_cast<ProfileView*>(PageWidget(shell::PageId::Profile)); }
ApDetailsView* MainWindowView::ApDetails() {
  return qobject_cast<ApDetailsView*>(PanelWidget(CAPDetailInfoDlg::kPanel));
}

QWidget* MainWindowView::PanelWidget(int panel) { return EnsurePanelView(panel); }

void MainWindowView::keyPressEvent(QKeyEvent* event) {
  const int panel = model_.State().visiblePanel;
  if (event->key() == Qt::Key_Escape && panel != kPanelLinkStatus && model_.State().expanded) {
    if (QWidget* view = PanelWidget(panel)) {
      auto* button = view->findChild<QPushButton*>(QStringLiteral("cancel"));
      if (button == nullptr) button = view->findChild<QPushButton*>(QStringLiteral("ok"));
      if (button != nullptr && button->isEnabled()) {
        button->click();
        Sync();
        event->accept();
        return;
      }
    }
  }
  QWidget::keyPressEvent(event);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
  model_.Close();
  event->accept();
  emit UserClosed();
}

}  // namespace nxui
