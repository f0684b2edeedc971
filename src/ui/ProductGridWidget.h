#pragma once

#include <QHeaderView>
#include <QString>
#include <QTableView>
#include <vector>

namespace quelmora {

class TProductTableModel;

// The main window's product grid, a view of the product table. Rows are
// counted as the window counts them: row 0 is the header, data rows start
// at 1.
class TProductGridWidget final : public QTableView {
  Q_OBJECT

 public:
  TProductGridWidget(TProductTableModel* Model, QWidget* Parent);

  TProductTableModel& Products() const { return *FModel; }

  // Header row included: 1 + the number of data rows.
  int GridRowCount() const;

  QString Cell(int Column, int Row) const;
  // A data cell's text, as if typed.
  void SetCell(int Column, int Row, const QString& Text);

  // The current cell; row 1 and column 0 when there is none.
  int CurrentGridRow() const;
  int CurrentGridColumn() const;
  void SetCurrentCell(int Column, int Row);
  // Makes Row current (in the current column) and scrolls it to the top.
  void ShowRow(int Row);

  // Widens a column whose header text would need more than the header's
  // two lines; columns are never narrowed.
  void FitHeaderTexts();

  // ExtraPx beyond the width the grid was designed for, spread over the
  // columns in proportion to their own widths.
  void StretchColumns(int ExtraPx);

  // Stores what an open in-place editor holds and closes it, so a command
  // never works on a grid that still hides a typed value.
  void CommitPendingEdit();

 signals:
  void GridDoubleClicked();

 private:
  void ApplyColumnWidths();

  TProductTableModel* FModel;
  std::vector<int> FDesignedWidths;
  int FExtraPx = 0;
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
