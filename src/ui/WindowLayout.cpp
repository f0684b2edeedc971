#include "ui/WindowLayout.h"

#include <QScrollArea>
#include <QSplitter>

namespace quelmora {

QSplitter* AddSplitter(QWidget* Parent, Qt::Orientation Orientation,
                       const std::vector<QWidget*>& Parts, const std::vector<int>& Sizes) {
  auto* splitter = new QSplitter(Orientation, Parent);
  splitter->setChildrenCollapsible(false);
  splitter->setHandleWidth(SplitterHandlePx);
  for (QWidget* part : Parts)
    splitter->addWidget(part);
  splitter->setSizes(QList<int>(Sizes.begin(), Sizes.end()));
  return splitter;
}

QScrollArea* AddScrolled(QWidget* Parent, QWidget* Content) {
  auto* area = new QScrollArea(Parent);
  area->setFrameShape(QFrame::NoFrame);
  area->setWidgetResizable(true);
  area->setWidget(Content);
  return area;
}

}  // namespace quelmora
