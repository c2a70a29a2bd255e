#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

namespace nxui {

// A 0..100 bar filled with a vertical three-stop gradient (end colour, middle colour, end colour)
// and a caption drawn over the whole bar. A caption holding "%d" is a template that the bar
// completes with its position ("%%" stands for "%"); any other caption is drawn as it is.
class CGradientProgressBar : public QWidget {
  Q_OBJECT

 public:
  // The light blue every gradient passes through.
  static QColor MiddleColor() { return QColor(166, 202, 240); }
  // The gradient a bar has before any colour was given, and after ResetGradient.
  static QColor DefaultEndColor() { return QColor(200, 200, 200); }

  explicit CGradientProgressBar(QWidget* parent = nullptr);

  void SetRange(int minimum, int maximum);
  void SetPos(int position);
  int Pos() const { return position_; }
  int Minimum() const { return minimum_; }
  int Maximum() const { return maximum_; }

  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }
  // The caption as drawn, the template completed.
  QString DisplayedCaption() const;

  // Gradient (end, MiddleColor(), end).
  void SetEndColor(const QColor& end);
  void SetGradient(const QColor& start, const QColor& middle, const QColor& end);
  void ResetGradient();
  QColor StartColor() const { return start_; }
  QColor EndColor() const { return end_; }

  // Pixels of the inner width that the fill covers (for layout checks and tests).
  int FillWidth() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect InnerRect() const;

  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  QString caption_;
  QColor start_;
  QColor middle_;
  QColor end_;
};

// Completes a "%d%%"-style template with `value`; texts without "%d" only have "%%" collapsed.
QString CompleteCaptionTemplate(const QString& caption, int value);

}  // namespace nxui
