#include "ui/ProductGridWidget.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ui/ProductGrid.h"

namespace quelmora {

namespace {

const QColor HeaderBackground(0xE5, 0xEB, 0xF2);
const QColor HeaderText(0x22, 0x34, 0x49);
const QColor RejectedBackground(0xFF, 0xE4, 0xE4);
const QColor RejectedText(0xAF, 0x20, 0x20);
const QColor GridLine(0xC8, 0xD0, 0xDA);

constexpr int RowHeight = 34;
constexpr int HeaderHeight = 48;
// The header text's room inside its cell.
constexpr int HeaderMarginX = 4;
constexpr int HeaderMarginY = 3;

// Default painting, then rejected cells in red on pink so the user sees
// which value keeps the row from being taken over.
class TCellDelegate final : public QStyledItemDelegate {
 public:
  explicit TCellDelegate(TProductGridWidget* Grid) : QStyledItemDelegate(Grid), FGrid(Grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    const int row = index.row() + 1;
    if (!FGrid->CellValidity || FGrid->CellValidity(index.column(), row)) return;
    painter->save();
    painter->fillRect(option.rect, RejectedBackground);
    painter->setClipRect(option.rect);
    painter->setPen(RejectedText);
    painter->setFont(option.font);
    const QRect text = option.rect.adjusted(4, 6, 0, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }

 private:
  TProductGridWidget* FGrid;
};

}  // namespace

TGridHeaderView::TGridHeaderView(QWidget* Parent, int Height)
    : QHeaderView(Qt::Horizontal, Parent), FHeight(Height) {
  setSectionsClickable(false);
  setHighlightSections(false);
  setSectionResizeMode(QHeaderView::Interactive);
  setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
}

QSize TGridHeaderView::sizeHint() const {
  QSize size = QHeaderView::sizeHint();
  size.setHeight(FHeight);
  return size;
}

void TGridHeaderView::paintSection(QPainter* Painter, const QRect& Rect, int LogicalIndex) const {
  Painter->save();
  Painter->fillRect(Rect, HeaderBackground);
  Painter->setPen(GridLine);
  Painter->drawLine(Rect.topRight(), Rect.bottomRight());
  Painter->drawLine(Rect.bottomLeft(), Rect.bottomRight());
  Painter->setPen(HeaderText);
  Painter->setFont(font());
  const QString text = model() ? model()->headerData(LogicalIndex, orientation()).toString() : "";
  Painter->drawText(Rect.adjusted(HeaderMarginX, HeaderMarginY, -HeaderMarginX, -HeaderMarginY),
                    Qt::AlignCenter | Qt::TextWordWrap, text);
  Painter->restore();
}

TProductGridWidget::TProductGridWidget(QWidget* Parent) : QTableWidget(1, GridColumnCount, Parent) {
  setHorizontalHeader(new TGridHeaderView(this, HeaderHeight));
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(RowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int column = 0; column < GridColumnCount; ++column) {
    setHorizontalHeaderItem(column, new QTableWidgetItem());
    setColumnWidth(column, GridColumnWidth(column));
  }
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // A double click belongs to the Edit command and the on/off toggle.
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::SelectedClicked);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setItemDelegate(new TCellDelegate(this));

  connect(this, &QTableWidget::cellChanged, this,
          [this](int row, int column) { emit CellTextChanged(column, row + 1); });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this] { emit GridDoubleClicked(); });
}

void TProductGridWidget::SetGridRowCount(int Rows) {
  setRowCount(std::max(Rows - 1, 0));
}

QString TProductGridWidget::Cell(int Column, int Row) const {
  if (Row == 0) {
    const QTableWidgetItem* header = horizontalHeaderItem(Column);
    return header ? header->text() : QString();
  }
  const QTableWidgetItem* cell = item(Row - 1, Column);
  return cell ? cell->text() : QString();
}

QTableWidgetItem* TProductGridWidget::EnsureItem(int Column, int Row) {
  QTableWidgetItem* cell = item(Row - 1, Column);
  if (!cell) {
    cell = new QTableWidgetItem();
    setItem(Row - 1, Column, cell);
  }
  return cell;
}

void TProductGridWidget::SetCell(int Column, int Row, const QString& Text) {
  if (Row == 0) {
    horizontalHeaderItem(Column)->setText(Text);
    return;
  }
  EnsureItem(Column, Row)->setText(Text);
}

int TProductGridWidget::CurrentGridRow() const {
  const int row = currentRow();
  return row < 0 ? 1 : row + 1;
}

int TProductGridWidget::CurrentGridColumn() const {
  return std::max(currentColumn(), 0);
}

void TProductGridWidget::SetCurrentCell(int Column, int Row) {
  setCurrentCell(Row - 1, Column);
}

void TProductGridWidget::FitHeaderTexts() {
  const QFontMetrics metrics(horizontalHeader()->font());
  const int room = HeaderHeight - 2 * HeaderMarginY;
  for (int column = 0; column < columnCount(); ++column) {
    const QString text = Cell(column, 0);
    int width = columnWidth(column);
    const auto fits = [&](int w) {
      const QRect box(0, 0, w - 2 * HeaderMarginX, 1000);
      const QRect used = metrics.boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text);
      return used.height() <= room && used.width() <= box.width();
    };
    while (width < 400 && !fits(width))
      width += 2;
    if (width != columnWidth(column)) setColumnWidth(column, width);
  }
}

void TProductGridWidget::CommitPendingEdit() {
  if (state() != QAbstractItemView::EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

}  // namespace quelmora
