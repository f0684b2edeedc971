#include "ui/ProductGridWidget.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <algorithm>
#include <numeric>

#include "ui/ProductGrid.h"
#include "ui/ProductTableModel.h"

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
  explicit TCellDelegate(QObject* Parent) : QStyledItemDelegate(Parent) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    if (!index.data(TProductTableModel::RejectedRole).toBool()) return;
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

TProductGridWidget::TProductGridWidget(TProductTableModel* Model, QWidget* Parent)
    : QTableView(Parent), FModel(Model) {
  setHorizontalHeader(new TGridHeaderView(this, HeaderHeight));
  setModel(Model);
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(RowHeight);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  for (int column = 0; column < GridColumnCount; ++column)
    FDesignedWidths.push_back(GridColumnWidth(column));
  ApplyColumnWidths();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // A double click belongs to the Edit command and the on/off toggle.
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::SelectedClicked);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setItemDelegate(new TCellDelegate(this));
  // However small the window, the header and two rows stay in sight.
  setMinimumHeight(HeaderHeight + 2 * RowHeight + 2 * frameWidth() +
                   horizontalScrollBar()->sizeHint().height());
  connect(this, &QTableView::doubleClicked, this, [this] { emit GridDoubleClicked(); });
}

int TProductGridWidget::GridRowCount() const {
  return FModel->rowCount() + 1;
}

QString TProductGridWidget::Cell(int Column, int Row) const {
  if (Row == 0) return FModel->headerData(Column, Qt::Horizontal).toString();
  return FModel->data(FModel->index(Row - 1, Column)).toString();
}

void TProductGridWidget::SetCell(int Column, int Row, const QString& Text) {
  FModel->setData(FModel->index(Row - 1, Column), Text);
}

int TProductGridWidget::CurrentGridRow() const {
  const int row = currentIndex().row();
  return row < 0 ? 1 : row + 1;
}

int TProductGridWidget::CurrentGridColumn() const {
  return std::max(currentIndex().column(), 0);
}

void TProductGridWidget::SetCurrentCell(int Column, int Row) {
  setCurrentIndex(FModel->index(Row - 1, Column));
}

void TProductGridWidget::ShowRow(int Row) {
  SetCurrentCell(CurrentGridColumn(), Row);
  scrollTo(currentIndex(), QAbstractItemView::PositionAtTop);
}

void TProductGridWidget::FitHeaderTexts() {
  const QFontMetrics metrics(horizontalHeader()->font());
  const int room = HeaderHeight - 2 * HeaderMarginY;
  for (int column = 0; column < GridColumnCount; ++column) {
    const QString text = Cell(column, 0);
    int width = FDesignedWidths[column];
    const auto fits = [&](int w) {
      const QRect box(0, 0, w - 2 * HeaderMarginX, 1000);
      const QRect used = metrics.boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text);
      return used.height() <= room && used.width() <= box.width();
    };
    while (width < 400 && !fits(width))
      width += 2;
    FDesignedWidths[column] = width;
  }
  ApplyColumnWidths();
}

void TProductGridWidget::StretchColumns(int ExtraPx) {
  FExtraPx = std::max(ExtraPx, 0);
  ApplyColumnWidths();
}

void TProductGridWidget::ApplyColumnWidths() {
  const int total = std::accumulate(FDesignedWidths.begin(), FDesignedWidths.end(), 0);
  for (int column = 0; column < GridColumnCount; ++column) {
    const int designed = FDesignedWidths[column];
    const int width = designed + FExtraPx * designed / std::max(total, 1);
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
