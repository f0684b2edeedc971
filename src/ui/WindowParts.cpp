#include "ui/WindowParts.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "l10n/TranslateControl.h"
#include "ui/UiText.h"

namespace quelmora {

void FillWith(QWidget* Widget, const QColor& Colour) {
  QPalette palette = Widget->palette();
  palette.setColor(QPalette::Window, Colour);
  Widget->setPalette(palette);
  Widget->setAutoFillBackground(true);
}

QWidget* AddPanel(QWidget* Parent) {
  auto* panel = new QWidget(Parent);
  FillWith(panel, Qt::white);
  return panel;
}

QVBoxLayout* Column(QWidget* Parent) {
  auto* layout = new QVBoxLayout(Parent);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

QLabel* AddLabel(QWidget* Parent, const char* Caption, int Left, int Top, bool Bold) {
  auto* label = new QLabel(Parent);
  SetKeyedText(label, Caption);
  label->setGeometry(Left, Top, 500, 22);
  if (Bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  label->adjustSize();
  return label;
}

QWidget* AddCaptionStrip(QWidget* Parent, const char* Caption, int Height, int LabelTop,
                         std::vector<QLabel*>& Labels) {
  QWidget* strip = AddPanel(Parent);
  strip->setFixedHeight(Height);
  Labels.push_back(AddLabel(strip, Caption, 12, LabelTop, true));
  return strip;
}

void TFlowRows::Add(std::vector<QWidget*> Widgets, int Gap) {
  TRow row;
  row.Gap = Gap;
  for (QWidget* widget : Widgets)
    row.Items.emplace_back(widget, widget->geometry());
  FRows.push_back(std::move(row));
}

void TFlowRows::Flow() const {
  for (const TRow& row : FRows) {
    int right = std::numeric_limits<int>::min() / 2;
    for (const auto& [widget, designed] : row.Items) {
      const int width = std::max(designed.width(), widget->sizeHint().width());
      const int left = std::max(designed.left(), right + row.Gap);
      widget->setGeometry(left, designed.top(), width, designed.height());
      right = left + width;
    }
  }
}

}  // namespace quelmora
