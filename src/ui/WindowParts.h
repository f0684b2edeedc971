#pragma once

#include <QColor>
#include <QRect>
#include <functional>
#include <utility>
#include <vector>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace quelmora {

// Building blocks the main window's parts share.

void FillWith(QWidget* Widget, const QColor& Colour);
// A white panel.
QWidget* AddPanel(QWidget* Parent);
// A vertical layout without margins or spacing.
QVBoxLayout* Column(QWidget* Parent);
// A label sized to its (Russian) caption; TranslateControlTree translates it.
QLabel* AddLabel(QWidget* Parent, const char* Caption, int Left, int Top, bool Bold = false);
// A white strip with a bold caption.
QWidget* AddCaptionStrip(QWidget* Parent, const char* Caption, int Height, int LabelTop,
                         std::vector<QLabel*>& Labels);

// Controls standing side by side: each keeps its designed place and size
// unless its caption needs more, and then pushes the ones after it along.
class TFlowRows {
 public:
  void Add(std::vector<QWidget*> Widgets, int Gap);
  void Flow() const;

 private:
  struct TRow {
    std::vector<std::pair<QWidget*, QRect>> Items;
    int Gap = 0;
  };
  std::vector<TRow> FRows;
};

}  // namespace quelmora
