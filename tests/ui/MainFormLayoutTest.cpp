// The main window at sizes other than its default: what grows, what stays
// whole and what scrolls.
#include <QAbstractScrollArea>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <algorithm>
#include <climits>

#include "calc/PalletFigures.h"
#include "report/RecordingSurface.h"
#include "ui/MainFormFixture.h"
#include "ui/PalletView.h"
#include "ui/PreviewArea.h"
#include "ui/WindowLayout.h"

namespace quelmora::testing {
namespace {

using TKind = TRecordingSurface::TKind;

// A widget's rectangle in Window's coordinates.
QRect InWindow(const QWidget* widget, const QWidget* window) {
  return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// Whether the whole of Widget can be seen: inside every parent up to the
// window, where a scroll area's content counts as inside it (it scrolls into
// view) and the scroll area itself has to be whole.
bool WholeOrScrollable(const QWidget* widget, const QWidget* window) {
  const QWidget* w = widget;
  QRect rect = w->rect();
  while (w != window) {
    const QWidget* parent = w->parentWidget();
    const auto* area = qobject_cast<const QAbstractScrollArea*>(parent->parentWidget());
    if (area && area->viewport() == parent) {
      w = area;
      rect = area->rect();
      continue;
    }
    rect.translate(w->pos());
    if (!parent->rect().contains(rect)) return false;
    w = parent;
  }
  return true;
}

// The drawn shapes' extent, the background left out.
struct TExtent {
  int Left = INT_MAX, Top = INT_MAX, Right = INT_MIN, Bottom = INT_MIN;

  void Take(int x, int y) {
    Left = std::min(Left, x);
    Top = std::min(Top, y);
    Right = std::max(Right, x);
    Bottom = std::max(Bottom, y);
  }
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Within(const QSize& size) const {
    return Left >= 0 && Top >= 0 && Right <= size.width() && Bottom <= size.height();
  }
};

TExtent ShapesExtent(const TRecordingSurface& canvas) {
  TExtent extent;
  for (const TRecordingSurface::TCall& call : canvas.Calls()) {
    if (call.Kind == TKind::Rectangle || call.Kind == TKind::DrawText) {
      extent.Take(call.Rect.Left, call.Rect.Top);
      extent.Take(call.Rect.Right, call.Rect.Bottom);
    }
    for (const TPoint& p : call.Points)
      extent.Take(p.X, p.Y);
  }
  return extent;
}

template <typename TView>
TExtent Drawn(TView* view) {
  TRecordingSurface canvas;
  view->PaintOn(canvas);
  return ShapesExtent(canvas);
}

class MainFormLayoutTest : public MainFormTest {
 protected:
  void ResizeTo(const QSize& size) {
    Window().resize(size);
    QCoreApplication::processEvents();
  }

  // Whole data rows the grid shows without scrolling.
  int VisibleGridRows() { return Grid()->viewport()->height() / Grid()->rowHeight(0); }

  int ColumnsWidth() {
    int total = 0;
    for (int c = 0; c < Grid()->model()->columnCount(); ++c)
      total += Grid()->columnWidth(c);
    return total;
  }

  std::vector<QWidget*> Drawings() {
    return {Control<QWidget>("FPackPreview"), Control<QWidget>("FPalletView"),
            Control<QWidget>("FLayoutPreview")};
  }
};

TEST_F(MainFormLayoutTest, DefaultSizeKeepsTheDesignedBandsAndColumns) {
  ShowWindow();
  const QWidget* window = &Window();
  const QRect input = InWindow(Control<QWidget>("FInputPanel"), window);
  const QRect parameters = InWindow(Control<QWidget>("FParameters"), window);
  const QRect results = InWindow(Control<QWidget>("FDetails"), window);
  const QRect status = InWindow(Control<QWidget>("StatusBand"), window);
  EXPECT_EQ(input.height(), 246);
  EXPECT_EQ(parameters.height(), 120);
  // The parameters right under the handle, the results down to the status band.
  EXPECT_EQ(parameters.top() - input.bottom() - 1, SplitterHandlePx);
  EXPECT_EQ(results.top(), parameters.bottom() + 1);
  EXPECT_EQ(results.bottom() + 1, status.top());
  EXPECT_EQ(results.width(), 1340);
  EXPECT_EQ(VisibleGridRows(), 4);
  // The drawings keep their height; nothing scrolls.
  EXPECT_EQ(Control<QWidget>("FLayoutPreview")->height() + 28, 185);
  for (auto* area : Window().findChildren<QScrollArea*>())
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
  EXPECT_EQ(Control<QWidget>("FList")->parentWidget()->parentWidget()->width(), 360);
  EXPECT_EQ(Control<QWidget>("FOriginalPanel")->width(), (1340 - 360) / 2);
}

// Invariants at each size.
class MainFormAtSizeTest : public MainFormLayoutTest,
                           public ::testing::WithParamInterface<QSize> {};

TEST_P(MainFormAtSizeTest, EveryControlStaysWholeAndEveryDrawingInsideItsPanel) {
  ShowWindow();
  RunAndWait();
  const QSize size = GetParam().expandedTo(Window().minimumSize());
  ResizeTo(size);
  ASSERT_EQ(Window().size(), size);
  const QWidget* window = &Window();
  for (QPushButton* button : Window().findChildren<QPushButton*>()) {
    if (!button->isVisibleTo(window)) continue;
    EXPECT_GE(button->height(), button->sizeHint().height()) << button->text().toStdString();
    EXPECT_TRUE(WholeOrScrollable(button, window)) << button->text().toStdString();
  }
  for (const char* name : {"FGrid", "FList", "FProductList", "FOptimalMemo", "FOriginalMemo"})
    EXPECT_TRUE(WholeOrScrollable(Control<QWidget>(name), window)) << name;
  EXPECT_GE(VisibleGridRows(), 2);
  // From the default size up the results fit without scrolling.
  auto* results =
      qobject_cast<QScrollArea*>(Control<QWidget>("FDetails")->parentWidget()->parentWidget());
  ASSERT_NE(results, nullptr);
  if (size.width() >= 1340 && size.height() >= 920) {
    EXPECT_FALSE(results->verticalScrollBar()->isVisible());
    EXPECT_FALSE(results->horizontalScrollBar()->isVisible());
  }

  for (QWidget* drawing : Drawings()) {
    const std::string name = drawing->objectName().toStdString();
    EXPECT_TRUE(WholeOrScrollable(drawing, window)) << name;
    EXPECT_GT(drawing->width(), 100) << name;
    EXPECT_GT(drawing->height(), 80) << name;
  }
  const TExtent pack = Drawn(Control<TPreviewArea>("FPackPreview"));
  const TExtent layout = Drawn(Control<TPreviewArea>("FLayoutPreview"));
  const TExtent pallet = Drawn(Control<TPalletView>("FPalletView"));
  EXPECT_TRUE(pack.Within(Control<QWidget>("FPackPreview")->size()));
  EXPECT_TRUE(layout.Within(Control<QWidget>("FLayoutPreview")->size()));
  EXPECT_TRUE(pallet.Within(Control<QWidget>("FPalletView")->size()));
}

TEST_P(MainFormAtSizeTest, ThePalletKeepsItsProportions) {
  ShowWindow();
  RunAndWait();
  ResizeTo(GetParam().expandedTo(Window().minimumSize()));
  auto* view = Control<TPalletView>("FPalletView");
  TRecordingSurface canvas;
  view->PaintOn(canvas);
  // The pallet's edge: the one outline drawn without a fill.
  std::vector<TRect> edges;
  for (const auto& call : canvas.CallsOf(TKind::Rectangle))
    if (call.BrushStyle == TBrushStyle::Clear) edges.push_back(call.Rect);
  ASSERT_EQ(edges.size(), 1u);
  const double drawn = static_cast<double>(edges[0].Width()) / edges[0].Height();
  const TPalletSetup pallet = PalletSetupOf(Window().Project().Settings);
  const double real = pallet.LengthMM / pallet.WidthMM;
  // Within a pixel's rounding at either end.
  EXPECT_NEAR(drawn, real, 2.0 * (real + 1) / edges[0].Height());
}

INSTANTIATE_TEST_SUITE_P(Sizes, MainFormAtSizeTest,
                         ::testing::Values(QSize(1080, 700), QSize(1200, 760), QSize(1340, 920),
                                           QSize(1600, 1000), QSize(1920, 1200)));

// From the minimum size up: the grid shows no fewer rows, the drawings are
// no smaller and the columns fill the grid's width alike.
TEST_F(MainFormLayoutTest, ALargerWindowGivesMoreToTheGridAndTheDrawings) {
  ShowWindow();
  RunAndWait();
  const QSize sizes[] = {QSize(1080, 700), QSize(1200, 760), QSize(1340, 920), QSize(1600, 1000),
                         QSize(1920, 1200)};
  int rows = 0, width = 0, height = 0;
  int gap = INT_MIN;
  for (const QSize& size : sizes) {
    ResizeTo(size);
    const TExtent pallet = Drawn(Control<TPalletView>("FPalletView"));
    EXPECT_GE(VisibleGridRows(), rows) << size.width();
    EXPECT_GE(pallet.Width(), width) << size.width();
    EXPECT_GE(pallet.Height(), height) << size.width();
    for (QWidget* drawing : Drawings())
      EXPECT_TRUE(WholeOrScrollable(drawing, &Window())) << size.width();
    if (size.width() >= 1340) {
      const int emptyStrip = Grid()->viewport()->width() - ColumnsWidth();
      if (gap != INT_MIN) {
        EXPECT_NEAR(emptyStrip, gap, Grid()->model()->columnCount());
      }
      gap = emptyStrip;
    }
    rows = VisibleGridRows();
    width = pallet.Width();
    height = pallet.Height();
  }
  // The largest size really gave more.
  ResizeTo(QSize(1340, 920));
  const int defaultRows = VisibleGridRows();
  const TExtent defaultPallet = Drawn(Control<TPalletView>("FPalletView"));
  EXPECT_GT(rows, defaultRows);
  EXPECT_GT(width, defaultPallet.Width());
  EXPECT_GT(height, defaultPallet.Height());
}

// Columns the user has placed keep their proportion; an unplaced layout
// follows the window.
TEST_F(MainFormLayoutTest, ResultColumnsFollowTheWindowUntilTheUserMovesThem) {
  ShowWindow();
  auto* columns = Control<QSplitter>("FColumns");
  ResizeTo(QSize(1600, 1000));
  EXPECT_EQ(columns->sizes().front(), 360);
  // A drag as the handle makes it.
  columns->handle(1)->setFocus();
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 10),
                    columns->handle(1)->mapToGlobal(QPointF(2, 10)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(columns->handle(1), &press);
  QMouseEvent move(QEvent::MouseMove, QPointF(102, 10),
                   columns->handle(1)->mapToGlobal(QPointF(102, 10)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(columns->handle(1), &move);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(102, 10),
                      columns->handle(1)->mapToGlobal(QPointF(102, 10)), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(columns->handle(1), &release);
  const int placed = columns->sizes().front();
  EXPECT_GT(placed, 360);
  ResizeTo(QSize(1600, 900));
  EXPECT_EQ(columns->sizes().front(), placed) << "the same width, only lower";
}

}  // namespace
}  // namespace quelmora::testing
