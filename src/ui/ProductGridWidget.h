#pragma once

#include <QHeaderView>
#include <QString>
#include <QTableWidget>
#include <functional>

namespace quelmora {

// The main window's product grid. Rows are counted as the window counts
// them: row 0 is the header, data rows start at 1.
class TProductGridWidget final : public QTableWidget {
  Q_OBJECT

 public:
  explicit TProductGridWidget(QWidget* Parent);

  // Header row included: 1 + the number of data rows.
  int GridRowCount() const { return rowCount() + 1; }
  void SetGridRowCount(int Rows);

  QString Cell(int Column, int Row) const;
  void SetCell(int Column, int Row, const QString& Text);

  // The current cell; row 1 and column 0 when there is none.
  int CurrentGridRow() const;
  int CurrentGridColumn() const;
  void SetCurrentCell(int Column, int Row);

  // Widens a column whose header text would need more than the header's
  // two lines; columns are never narrowed.
  void FitHeaderTexts();

  // Stores what an open in-place editor holds and closes it, so a command
  // never works on a grid that still hides a typed value.
  void CommitPendingEdit();

  // Asked for every painted data cell; false paints the cell as rejected.
  std::function<bool(int Column, int Row)> CellValidity;

 signals:
  // A data cell's text changed (typing, a toggle, or a fill by the window).
  void CellTextChanged(int Column, int Row);
  void GridDoubleClicked();

 private:
  QTableWidgetItem* EnsureItem(int Column, int Row);
};

// Header cells on a light blue band, centred and wrapped over two lines.
class TGridHeaderView final : public QHeaderView {
  Q_OBJECT

 public:
  TGridHeaderView(QWidget* Parent, int Height);
  QSize sizeHint() const override;

 protected:
  void paintSection(QPainter* Painter, const QRect& Rect, int LogicalIndex) const override;

 private:
  int FHeight;
};

}  // namespace quelmora
