// The link-status panel: label/value pairs in aligned columns, the five bars stacked in their
// slots, the HT group for 802.11n adapters and the transmit and receive graphs side by side.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

#include "monitor/LinkStatusState.h"

class QGridLayout;
class QGroupBox;
class QLabel;
class QVBoxLayout;

namespace nxui {

class CBarGraph;
class CGradientProgressBar;

class LinkStatusView final : public QWidget {
  Q_OBJECT

 public:
  explicit LinkStatusView(QWidget* parent = nullptr);

  void Render(const LinkStatusState& state);

  // For checks: the widgets that show the state.
  QLabel* Value(const char* objectName) const;
  CGradientProgressBar* Bar(std::size_t index) const { return bars_[index]; }
  CBarGraph* TxGraph() const { return txGraph_; }
  CBarGraph* RxGraph() const { return rxGraph_; }
  QGroupBox* HtGroup() const { return htGroup_; }

 private:
  struct Pair {
    QLabel* label;
    QLabel* value;
  };
  Pair AddPair(QGridLayout* grid, int row, const char* name, int column = 0);
  void RenderBars(const LinkStatusState& state);
  static void RenderGraph(CBarGraph* graph, const BarGraphState& state, std::uint64_t& revision);

  Pair status_, extraInfo_, channel_, authentication_, encryption_, networkType_;
  Pair ipAddress_, subMask_, gateway_;
  Pair txRate_, txThroughput_, rxRate_, rxThroughput_;
  Pair bandwidth_, guardInterval_, stbc_, mcs_, snr0_, snr1_;
  QGroupBox* txGroup_;
  QGroupBox* rxGroup_;
  QGroupBox* htGroup_;
  QVBoxLayout* barColumn_;
  std::array<CGradientProgressBar*, kLinkBarCount> bars_{};
  std::array<int, kLinkBarCount> barSlots_{};
  std::array<bool, kLinkBarCount> barVisible_{};
  CBarGraph* txGraph_;
  CBarGraph* rxGraph_;
  std::uint64_t txRevision_ = ~std::uint64_t{0};
  std::uint64_t rxRevision_ = ~std::uint64_t{0};
};

}  // namespace nxui
