#pragma once

#include <Qt>
#include <vector>

class QScrollArea;
class QSplitter;
class QWidget;

namespace quelmora {

// How the main window's parts share a window larger or smaller than the
// one they were designed for.

inline constexpr int SplitterHandlePx = 5;

// Parts side by side (or stacked) with handles between them; none of them
// collapses. The splitter shares its length in the proportion of Sizes, the
// parts' designed sizes, until the user drags a handle.
QSplitter* AddSplitter(QWidget* Parent, Qt::Orientation Orientation,
                       const std::vector<QWidget*>& Parts, const std::vector<int>& Sizes);

// Content filling a frameless scroll area, which scrolls only where the
// area is smaller than the content's minimum size.
QScrollArea* AddScrolled(QWidget* Parent, QWidget* Content);

}  // namespace quelmora
