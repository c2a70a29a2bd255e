#include "ui/LinkStatusView.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <numeric>

#include "ui/ViewHelpers.h"
#include "widgets/CBarGraph.h"
#include "widgets/CGradientProgressBar.h"

namespace nxui {
namespace {

constexpr int kGraphHeight = 72;
constexpr int kBarHeight = 22;

}  // namespace

LinkStatusView::LinkStatusView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("linkStatus"));
  auto* root = new QVBoxLayout(this);
  root->setContentsMargins(8, 6, 8, 6);
  root->setSpacing(6);

  auto* summary = new QGridLayout;
  summary->setHorizontalSpacing(10);
  summary->setVerticalSpacing(3);
  status_ = AddPair(summary, 0, "status");
  extraInfo_ = AddPair(summary, 1, "extraInfo");
  summary->setColumnStretch(1, 1);
  root->addLayout(summary);

  auto* middle = new QHBoxLayout;
  middle->setSpacing(14);
  auto* details = new QGridLayout;
  details->setHorizontalSpacing(10);
  details->setVerticalSpacing(3);
  channel_ = AddPair(details, 0, "channel");
  // The channel gains its central channel a refresh after the panel shows: room for the longest
  // one from the start, so that it neither wraps nor moves the rows below.
  channel_.value->setWordWrap(false);
  channel_.value->setMinimumWidth(
      channel_.value->fontMetrics().horizontalAdvance(QStringLiteral("165 <--> 5825 MHz; Central channel : 165")) + 4);
  authentication_ = AddPair(details, 1, "authentication");
  encryption_ = AddPair(details, 2, "encryption");
  networkType_ = AddPair(details, 3, "networkType");
  ipAddress_ = AddPair(details, 4, "ipAddress");
  subMask_ = AddPair(details, 5, "subMask");
  gateway_ = AddPair(details, 6, "gateway");
  details->setColumnStretch(1, 1);
  details->setRowStretch(7, 1);
  middle->addLayout(details, 3);

  auto* right = new QVBoxLayout;
  right->setSpacing(4);
  barColumn_ = new QVBoxLayout;
  barColumn_->setSpacing(3);
  for (std::size_t i = 0; i < kLinkBarCount; ++i) {
    auto* bar = new CGradientProgressBar(this);
    bar->setObjectName(QStringLiteral("bar%1").arg(i));
    bar->setMinimumHeight(kBarHeight);
    bar->setMinimumWidth(240);
    bars_[i] = bar;
    barSlots_[i] = -1;
    barVisible_[i] = true;
  }
  right->addLayout(barColumn_);

  htGroup_ = new QGroupBox(this);
  auto* ht = new QGridLayout(htGroup_);
  ht->setHorizontalSpacing(10);
  ht->setVerticalSpacing(2);
  ht->setContentsMargins(8, 4, 8, 4);
  bandwidth_ = AddPair(ht, 0, "bandwidth", 0);
  guardInterval_ = AddPair(ht, 1, "guardInterval", 0);
  mcs_ = AddPair(ht, 2, "mcs", 0);
  snr0_ = AddPair(ht, 0, "snr0", 2);
  snr1_ = AddPair(ht, 1, "snr1", 2);
  stbc_ = AddPair(ht, 2, "stbc", 2);
  ht->setColumnStretch(1, 1);
  ht->setColumnStretch(3, 1);
  right->addWidget(htGroup_);
  right->addStretch(1);
  middle->addLayout(right, 2);
  root->addLayout(middle, 1);

  auto makeDirection = [this](QGroupBox*& group, const char* name, Pair& rate, Pair& throughput, CBarGraph*& graph) {
    group = new QGroupBox(this);
    group->setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(8, 4, 8, 8);
    layout->setSpacing(3);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    rate = AddPair(grid, 0, (std::string(name) + "Rate").c_str());
    throughput = AddPair(grid, 1, (std::string(name) + "Throughput").c_str());
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    graph = new CBarGraph(group);
    graph->setObjectName(QString::fromLatin1(name) + QStringLiteral("Graph"));
    graph->setMinimumHeight(kGraphHeight);
    layout->addWidget(graph, 1);
  };
  auto* graphs = new QHBoxLayout;
  graphs->setSpacing(10);
  makeDirection(txGroup_, "tx", txRate_, txThroughput_, txGraph_);
  makeDirection(rxGroup_, "rx", rxRate_, rxThroughput_, rxGraph_);
  graphs->addWidget(txGroup_, 1);
  graphs->addWidget(rxGroup_, 1);
  root->addLayout(graphs);
}

LinkStatusView::Pair LinkStatusView::AddPair(QGridLayout* grid, int row, const char* name, int column) {
  auto* label = new QLabel(this);
  label->setObjectName(QString::fromLatin1(name) + QStringLiteral("Label"));
  auto* value = new QLabel(this);
  value->setObjectName(QLatin1String(name));
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  value->setMinimumWidth(60);
  // Long values (a channel with its central channel, an AP address) wrap instead of being cut.
  value->setWordWrap(true);
  QFont bold = value->font();
  bold.setBold(true);
  value->setFont(bold);
  grid->addWidget(label, row, column, Qt::AlignLeft | Qt::AlignVCenter);
  // The value fills its cell, so that wrapping uses the whole column.
  value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  grid->addWidget(value, row, column + 1);
  return {label, value};
}

QLabel* LinkStatusView::Value(const char* objectName) const { return findChild<QLabel*>(QLatin1String(objectName)); }

void LinkStatusView::Render(const LinkStatusState& state) {
  const LinkStatusLabels& l = state.labels;
  const LinkStatusTexts& t = state.texts;
  const std::pair<Pair*, std::pair<const std::string*, const std::string*>> pairs[] = {
      {&status_, {&l.status, &t.status}},
      {&extraInfo_, {&l.extraInfo, &t.extraInfo}},
      {&channel_, {&l.channel, &t.channel}},
      {&authentication_, {&l.authentication, &t.authentication}},
      {&encryption_, {&l.encryption, &t.encryption}},
      {&networkType_, {&l.networkType, &t.networkType}},
      {&ipAddress_, {&l.ipAddress, &t.ipAddress}},
      {&subMask_, {&l.subMask, &t.subMask}},
      {&gateway_, {&l.gateway, &t.gateway}},
      {&txRate_, {&l.txLinkSpeed, &t.txRate}},
      {&txThroughput_, {&l.txThroughput, &t.txThroughput}},
      {&rxRate_, {&l.rxLinkSpeed, &t.rxRate}},
      {&rxThroughput_, {&l.rxThroughput, &t.rxThroughput}},
  };
  for (const auto& [pair, texts] : pairs) {
    SetLabelText(pair->label, *texts.first);
    SetLabelText(pair->value, *texts.second);
  }
  // Status and extra info sit in their own grid above the details: one label width for both grids
  // keeps every value of the upper part in one column.
  Pair* const upper[] = {&status_,      &extraInfo_, &channel_, &authentication_, &encryption_,
                         &networkType_, &ipAddress_, &subMask_, &gateway_};
  int labelWidth = 0;
  for (const Pair* pair : upper) labelWidth = std::max(labelWidth, pair->label->sizeHint().width());
  for (Pair* pair : upper) {
    if (pair->label->minimumWidth() != labelWidth) pair->label->setMinimumWidth(labelWidth);
  }
  txGroup_->setTitle(ToQt(l.transmit));
  rxGroup_->setTitle(ToQt(l.receive));

  const HtGroupState& ht = state.ht;
  htGroup_->setTitle(ToQt(l.htCaption));
  htGroup_->setVisible(ht.visible);
  const std::pair<Pair*, std::pair<const std::string*, const std::string*>> htPairs[] = {
      {&bandwidth_, {&l.bandwidth, &ht.bandwidth}},
      {&guardInterval_, {&l.guardInterval, &ht.guardInterval}},
      {&stbc_, {&l.stbc, &ht.stbc}},
      {&mcs_, {&l.mcs, &ht.mcs}},
      {&snr0_, {&l.snr0, &ht.snr0}},
      {&snr1_, {&l.snr1, &ht.snr1}},
  };
  for (const auto& [pair, texts] : htPairs) {
    SetLabelText(pair->label, *texts.first);
    SetLabelText(pair->value, *texts.second);
  }
  stbc_.label->setVisible(ht.stbcVisible);
  stbc_.value->setVisible(ht.stbcVisible);

  RenderBars(state);
  RenderGraph(txGraph_, state.txGraph, txRevision_);
  RenderGraph(rxGraph_, state.rxGraph, rxRevision_);
}

void LinkStatusView::RenderBars(const LinkStatusState& state) {
  bool moved = false;
  for (std::size_t i = 0; i < kLinkBarCount; ++i) {
    const PercentBarState& s = state.bars[i];
    if (s.slot != barSlots_[i] || s.visible != barVisible_[i]) moved = true;
    CGradientProgressBar* bar = bars_[i];
    bar->SetCaption(ToQt(s.caption));
    bar->SetPos(s.position);
    // Every setter repaints: only pass on what changed.
    if (s.hasGradient) {
      if (bar->StartColor() != ToQt(s.startColour) || bar->EndColor() != ToQt(s.endColour)) {
        bar->SetGradient(ToQt(s.startColour), ToQt(s.middleColour), ToQt(s.endColour));
      }
    } else if (bar->StartColor() != CGradientProgressBar::DefaultEndColor()) {
      bar->ResetGradient();
    }
  }
  if (!moved) return;
  // A hidden bar frees its slot: lay the visible ones out again in slot order.
  while (barColumn_->count() > 0) delete barColumn_->takeAt(0);
  std::array<std::size_t, kLinkBarCount> order{};
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&state](std::size_t a, std::size_t b) { return state.bars[a].slot < state.bars[b].slot; });
  for (const std::size_t i : order) {
    barSlots_[i] = state.bars[i].slot;
    barVisible_[i] = state.bars[i].visible;
    bars_[i]->setVisible(state.bars[i].visible);
    if (state.bars[i].visible) barColumn_->addWidget(bars_[i]);
  }
}

void LinkStatusView::RenderGraph(CBarGraph* graph, const BarGraphState& state, std::uint64_t& revision) {
  if (revision == state.revision) return;
  graph->SetCaptionLineCount(BarGraphState::kCaptionLines);
  graph->SetCaptionWidth(BarGraphState::kCaptionColumnWidth);
  graph->SetCaptionLine(0, ToQt(state.captionLine1));
  graph->SetCaptionLine(1, ToQt(state.captionLine2));
  graph->SetBarColor(ToQt(state.barColour));
  revision = state.revision;
  graph->SetMaximum(state.maximum);
  graph->SetSamples(state.samples);
}

}  // namespace nxui
