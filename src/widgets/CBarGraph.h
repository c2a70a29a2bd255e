#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstddef>
#include <deque>

namespace nxui {

// A scrolling bar graph: black background, a caption column at the left with white text lines,
// then one bar per sample, newest at the left. A bar's height is (height - 2) * sample / maximum,
// cut at the full height; with no maximum nothing is drawn.
class CBarGraph : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kBarWidth = 2;
  // Smallest font a caption line shrinks to so that it fits the column.
  static constexpr int kMinCaptionPixels = 7;

  explicit CBarGraph(QWidget* parent = nullptr);

  void SetCaptionWidth(int pixels);
  int CaptionWidth() const { return captionWidth_; }
  void SetCaptionLineCount(int count);
  void SetCaptionLine(int index, const QString& text);
  QStringList CaptionLines() const { return captionLines_; }
  void SetBarColor(const QColor& color);
  QColor BarColor() const { return barColor_; }

  void SetMaximum(double maximum);
  double Maximum() const { return maximum_; }
  void AddSample(double value);
  // Replaces every sample (newest first) at once; one repaint however many there are.
  void SetSamples(const std::deque<double>& newestFirst);
  void Clear();

  // Newest first. Holds as many samples as the screen is wide in pixels.
  const std::deque<double>& Samples() const { return samples_; }
  std::size_t Capacity() const { return capacity_; }
  // Height in pixels of the bar drawn for `value` in the current size and scale.
  int BarHeight(double value) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int captionWidth_ = 50;
  QStringList captionLines_;
  QColor barColor_{0, 255, 0};
  double maximum_ = 0.0;
  std::deque<double> samples_;
  std::size_t capacity_;
};

}  // namespace nxui
