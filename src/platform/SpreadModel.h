#pragma once
// The cells of a Spread, in flat tables: one text, tick and list choice per data cell (row by
// row), the header texts, and the settings made for the grid, each column, each row and, only
// where one was made, each cell. A cell's settings are worked out when it is read, so that a grid
// of a club's rounds costs a few strings per cell. Positions are the grid's: column 0 holds the
// row headers, row 0 the column headers.

#include <QAbstractTableModel>
#include <unordered_map>
#include <vector>

#include "platform/SpreadCell.h"

namespace dc {

class SpreadModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit SpreadModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    void SetCols(int count);  // removed columns lose their contents and settings
    void SetRows(int count);  // the same for rows

    bool Contains(int col, int row) const { return col >= 0 && row >= 0 && col <= cols_ && row <= rows_; }
    SpreadCell Cell(int col, int row) const;  // a position inside the grid
    SpreadCellFormat Format(int col, int row) const;
    SpreadCellType TypeAt(int col, int row) const;
    // What the cell shows (see SpreadCell::ShownText), without copying its settings.
    QString ShownText(int col, int row) const;
    // Length of what a data cell shows, cheaply; for fitting widths.
    qsizetype ShownLength(int col, int row) const;
    qsizetype TextLength(int col, int row) const { return text_[At(col, row)].size(); }  // a data cell's
    // A header given a text (not showing its row number or column letter).
    bool HasOwnText(int col, int row) const;
    // The rows whose texts a column's width is fitted to: the first `sample` that show a text and
    // each one longer than every row before it.
    std::vector<int> RowsToMeasure(int col, int sample) const;

    // Content. SetText follows the cell type: a check box is ticked by any non-zero number, a
    // list cell chooses the entry equal to the text. Returns the length of what the cell now shows.
    qsizetype SetText(int col, int row, const QString& text);
    // Every row replaced: the data texts row by row, Cols() to a row, and the row headers' texts
    // (none, or one a row), as SetRows(0), SetRows(rows) and SetText for each text would.
    void SetAllRows(std::vector<QString> texts, std::vector<QString> rowHeaders);
    void SetChecked(int col, int row, bool on);
    void SetComboSel(int col, int row, int index);
    void Clear(int col, int row);  // text, tick and choice; settings stay

    // Settings. A grid setting reaches the data cells; a column's reaches its data cells (column 0:
    // the row headers); a row's its data cells (row 0: the column headers).
    void SetGridSetting(SpreadAttr attr, const SpreadSetting& setting);
    void SetColSetting(int col, SpreadAttr attr, const SpreadSetting& setting);
    void SetRowSetting(int row, SpreadAttr attr, const SpreadSetting& setting);
    void SetCellSetting(int col, int row, SpreadAttr attr, const SpreadSetting& setting);
    // Locked cells are read-only while the grid is protected.
    void SetProtect(bool on);
    bool Protect() const { return protect_; }
    bool IsEditable(const SpreadCell& cell) const;

    // Rows r1.. are rearranged: order[i] is the row (numbered before the move) that goes to r1 + i.
    // Columns c1..c2 move (0 = the row headers); settings made for whole rows go with their rows
    // when every data column moves.
    void PermuteRows(int c1, int c2, int r1, const std::vector<int>& order);

    // Tells the views that a cell's content or look changed.
    void CellChanged(int col, int row);
    void Refresh();  // everything may have changed

  private:
    static quint64 Key(int col, int row) { return (quint64(quint32(row)) << 32) | quint32(col); }
    qsizetype At(int col, int row) const { return qsizetype(row - 1) * cols_ + (col - 1); }
    const SpreadSettings* CellSettings(int col, int row) const;
    const SpreadCellFormat& ColFormat(int col) const;
    // A data cell's settings: its column's when nothing else reaches it, else worked out in scratch.
    const SpreadCellFormat& DataFormat(int col, int row, SpreadCellFormat& scratch) const;
    QString HeaderText(int col, int row) const;  // own text, else row number or column letter
    void Resize(int cols, int rows);

    int cols_ = 0, rows_ = 0;
    std::vector<QString> text_;  // data cells, row by row
    std::vector<quint8> checked_;
    std::vector<qint16> comboSel_;
    std::vector<std::optional<QString>> colHead_, rowHead_;  // index = column / row, from 1
    std::optional<QString> corner_;

    SpreadSettings gridSettings_;
    std::vector<SpreadSettings> colSettings_;  // index = column, 0 = header column
    std::vector<SpreadSettings> rowSettings_;  // index = row, 0 = header row
    std::unordered_map<quint64, SpreadSettings> cellSettings_;
    bool protect_ = true;
    mutable std::vector<std::optional<SpreadCellFormat>> colFormat_;  // grid + column, worked out once
};

}  // namespace dc
