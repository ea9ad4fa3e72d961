#pragma once
// The spreadsheet grid control of every grid screen: cells given by column and row (column 0 is
// the row-header column, row 0 the header row, -1 all columns or rows), settings applied to a
// given cell or block (or to the one addressed by Col and Row), typed cells, sorting, and the
// classic events as signals.
//
// Settings made with Row = -1 (or Col = -1, or both) are also remembered for the column (row, grid)
// and given to rows (columns) added later, so a grid laid out before it has rows keeps its layout;
// a setting made for particular rows goes with those rows and is gone when they are removed.
// Widths and heights are in twips, 15 to a screen pixel.

#include <QPointer>
#include <QTableView>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

#include "platform/SpreadCell.h"

class QPrinter;

namespace dc {

class PrintJob;
class SpreadDelegate;
class SpreadModel;
class SpreadSelectionModel;

class Spread : public QTableView {
    Q_OBJECT
  public:
    static constexpr int kTwipsPerPixel = 15;

    explicit Spread(QWidget* parent = nullptr);
    ~Spread() override;

    // ---- addressing
    int Col() const { return col_; }
    void SetCol(int col) { col_ = col; }
    int Row() const { return row_; }
    void SetRow(int row) { row_ = row; }
    int Col2() const { return col2_; }
    void SetCol2(int col) { col2_ = col; }
    int Row2() const { return row2_; }
    void SetRow2(int row) { row2_ = row; }
    // On: the settings below apply to the block Col..Col2 x Row..Row2; off: to the cell Col, Row.
    bool BlockMode() const { return blockMode_; }
    void SetBlockMode(bool on) { blockMode_ = on; }

    // Settings of a given cell, column, row or block, made without touching Col and Row:
    // grid.Cells(3, -1).SetCellType(SpreadCellType::Integer).SetLock(true).
    class Block {
      public:
        Block& SetCellType(SpreadCellType type) { return Apply(SpreadAttr::CellType, int(type)); }
        Block& SetTypeHAlign(SpreadHAlign align) { return Apply(SpreadAttr::HAlign, int(align)); }
        Block& SetTypeCheckCenter(bool on) { return Apply(SpreadAttr::CheckCenter, on); }
        Block& SetTypeNumberMin(double min) { return Apply(SpreadAttr::NumberMin, min); }
        Block& SetTypeNumberMax(double max) { return Apply(SpreadAttr::NumberMax, max); }
        Block& SetTypeFloatDecimalPlaces(int places) { return Apply(SpreadAttr::DecPlaces, places); }
        Block& SetTypeMaxEditLen(int length) { return Apply(SpreadAttr::MaxEditLen, length); }
        Block& SetTypeComboBoxList(const QString& tabSeparated) {  // entries separated by a tab
            return Apply(SpreadAttr::ComboList, tabSeparated.split(QChar('\t')));
        }
        Block& SetBackColor(const QColor& color) { return Apply(SpreadAttr::BackColor, color); }
        Block& SetForeColor(const QColor& color) { return Apply(SpreadAttr::ForeColor, color); }
        Block& SetLock(bool on) { return Apply(SpreadAttr::Lock, on); }
        Block& SetFontBold(bool on) { return Apply(SpreadAttr::FontBold, on); }

      private:
        friend class Spread;
        Block(Spread& grid, int col, int row, int col2, int row2)
            : grid_(grid), col_(col), row_(row), col2_(col2), row2_(row2) {}
        Block& Apply(SpreadAttr attr, const QVariant& value);
        Spread& grid_;
        int col_, row_, col2_, row2_;
    };
    Block Cells(int col, int row) { return Block(*this, col, row, col, row); }
    Block Cells(int col, int row, int col2, int row2) { return Block(*this, col, row, col2, row2); }

    // ---- size
    int MaxCols() const;
    void SetMaxCols(int count);  // adds or removes columns at the end
    int MaxRows() const;
    void SetMaxRows(int count);  // adds or removes rows at the end; removed rows lose their contents
    // On: the columns share out the grid's spare width in proportion to their own widths.
    void SetFillWidth(bool on);
    int ColWidth(int col) const;
    // Pixels the column needs: its width as set, widened to its header and texts.
    int ColNeedPixels(int col) const {
        return col > 0 && col <= MaxCols() && col < int(colNeed_.size()) ? colNeed_[col] : 0;
    }
    void SetColWidth(int col, int twips);  // 0 hides the column; col -1 = every data column
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);  // 0 hides the row; row 0 is the header row
    // Height (twips) that the addressed cell's text needs in its column's width.
    int MaxTextCellHeight() const;
    int MaxTextRowHeight(int row) const;  // the same, the largest over the row

    // ---- settings of the addressed cells (getters read the cell Col, Row)
    SpreadCellType CellType() const;
    void SetCellType(SpreadCellType type);
    SpreadHAlign TypeHAlign() const;
    void SetTypeHAlign(SpreadHAlign align);
    void SetTypeCheckCenter(bool on);
    // Limits of whole-number and decimal cells (inclusive).
    void SetTypeNumberMin(double min);
    void SetTypeNumberMax(double max);
    // Decimal places of decimal cells; both names set the same setting.
    void SetTypeNumberDecPlaces(int places);
    void SetTypeFloatDecimalPlaces(int places) { SetTypeNumberDecPlaces(places); }
    int TypeMaxEditLen() const;
    void SetTypeMaxEditLen(int length);  // longest text the user can type; 0 = no limit
    QString TypeComboBoxList() const;    // entries separated by a tab
    void SetTypeComboBoxList(const QString& tabSeparated);
    int TypeComboBoxCurSel() const;  // chosen entry from 0, -1 none
    void SetTypeComboBoxCurSel(int index);
    // The same for the list cell at col, row.
    int TypeComboBoxCurSel(int col, int row) const;
    void SetTypeComboBoxCurSel(int col, int row, int index);
    QColor BackColor() const;
    void SetBackColor(const QColor& color);
    QColor ForeColor() const;
    void SetForeColor(const QColor& color);
    // Colours are QColor values; use VbColor for the classic &HBBGGRR numbers. A bare number is
    // refused at compile time so that 0xFF0000 cannot silently mean red instead of blue.
    template <typename T>
    requires std::is_arithmetic_v<T>
    void SetBackColor(T) = delete;
    template <typename T>
    requires std::is_arithmetic_v<T>
    void SetForeColor(T) = delete;
    static QColor VbColor(unsigned int bgr);
    bool Lock() const;
    void SetLock(bool on);
    // Locked cells are read-only while the grid is protected (the default).
    bool Protect() const;
    void SetProtect(bool on);
    bool FontBold() const;
    void SetFontBold(bool on);

    // ---- content of the cell Col, Row (header cells included)
    QString Text() const;
    void SetText(const QString& text);
    int Value() const;  // a check box's 0 or 1; other cells: their number
    void SetValue(int value);
    // The same without Col and Row; they leave the addressing as it is.
    QString CellText(int col, int row) const;
    void SetCellText(int col, int row, const QString& text);
    // Replaces every row at once: the data texts row by row, MaxCols() to a row, and the row
    // headers' texts (none, or one a row). The same as SetMaxRows(0), SetMaxRows(rows) and
    // SetCellText for each cell that has a text, in one step.
    void SetAllRows(std::vector<QString> texts, std::vector<QString> rowHeaders = {});
    int CellValue(int col, int row) const;
    void SetCellValue(int col, int row, int value);
    // Empties the texts, ticks and list choices of a block (-1 = all); settings and headers stay.
    void ClearRange(int col, int row, int col2, int row2);

    // ---- selection and the active cell
    void SetSelection(int col, int row, int col2, int row2);  // -1 = whole rows / columns
    void ClearSelection();
    int ActiveCol() const;  // 0 when there is no active cell
    int ActiveRow() const;
    // Makes a cell active without raising LeaveCell; inside a LeaveCell handler it replaces the
    // move the user asked for.
    void SetActiveCell(int col, int row);
    void MoveRow(int from, int to);  // the row moves to position `to`, the rows between close up
    // Selection of the text in the cell being edited; applied to the open editor, or else to the
    // next one that opens (so that typing replaces just that part).
    void SetEditSelStart(int start);
    void SetEditSelLength(int length);
    // Stores the edit in progress, if any, as leaving the cell would (raising Change), and closes
    // the editor. For screens that read the grid when the window is closed with an edit open.
    void CommitEdit();
    // The same, but a number the cell cannot take is refused at once (the user is told, the edit
    // stays open and nothing is stored): false then.
    bool CommitEditOrRefuse();
    bool IsEditing() const { return !editor_.isNull(); }  // a cell editor is open

    // ---- sorting
    SpreadSortBy SortBy() const { return sortBy_; }
    void SetSortBy(SpreadSortBy by) { sortBy_ = by; }
    int SortKey(int index) const;  // keys are numbered from 1
    void SetSortKey(int index, int col);
    SpreadSortOrder SortKeyOrder(int index) const;
    void SetSortKeyOrder(int index, SpreadSortOrder order);
    // Sorts the rows Row..Row2 by the keys; the cells of columns Col..Col2 (-1 = every column,
    // the header column included) move with their rows. Number and check-box cells compare as
    // numbers, other cells as text without regard to case; empty cells come last either way; rows
    // that compare equal keep their order. Only rows are sorted (SortBy Col leaves the grid as is).
    void Sort(int col, int row, int col2, int row2);
    void Sort(int col, int row, int col2, int row2, int keyCol, SpreadSortOrder order);

    // ---- drawing
    bool ReDraw() const { return updatesEnabled(); }
    void SetReDraw(bool on);

    // ---- printing the sheet
    SpreadPrintOrientation PrintOrientation() const { return printOrientation_; }
    void SetPrintOrientation(SpreadPrintOrientation orientation) { printOrientation_ = orientation; }
    bool PrintColHeaders() const { return printColHeaders_; }
    void SetPrintColHeaders(bool on) { printColHeaders_ = on; }
    bool PrintRowHeaders() const { return printRowHeaders_; }
    void SetPrintRowHeaders(bool on) { printRowHeaders_ = on; }
    // How the printed columns are sized: each from its own texts (a list), or in the screen's
    // proportions and across the page's whole width (a card, whose hole columns stay even).
    SpreadPrintWidths PrintWidths() const { return printWidths_; }
    void SetPrintWidths(SpreadPrintWidths widths) { printWidths_ = widths; }
    QString PrintJobName() const { return printJobName_; }
    void SetPrintJobName(const QString& name) { printJobName_ = name; }
    QString PrintHeader() const { return printHeader_; }
    void SetPrintHeader(const QString& header) {
        printHeader_ = header;
        printHeaderForms_ = QStringList{header};
    }
    // The header and its shorter forms, longest first: a page too narrow for the header takes the
    // first that fits, else the shortest printed smaller (and on more lines when it must), never cut.
    void SetPrintHeaderForms(const QStringList& forms) {
        printHeader_ = forms.value(0);
        printHeaderForms_ = forms;
    }
    // Kept for the screens that set it, and not shown: a sheet of more than three pages gets the
    // progress window with Cancel that every printout has (PrintJob::NextPage).
    QString PrintAbortMsg() const { return printAbortMsg_; }
    void SetPrintAbortMsg(const QString& text) { printAbortMsg_ = text; }
    // Prints the whole sheet (header line, headers as asked, every row and visible column, colours)
    // as one print job, over as many pages as it needs; false when the output cannot be opened or
    // fails, or a PDF was not written whole.
    bool PrintSheet(PrintJob& job);

    // A copy of the cell at a grid position (headers included), or none outside the grid.
    std::optional<SpreadCell> CellAt(int col, int row) const;

    // The program's warning sound, made with every message that refuses a typed value.
    static void SetRefusalSound(std::function<void()> sound);
    // The message that refuses `typed` in a number cell, or empty when the cell can take it.
    static QString RefusalText(const SpreadCellFormat& fmt, const QString& typed);

  Q_SIGNALS:
    void Click(int col, int row);
    void DblClick(int col, int row);
    void Change(int col, int row);  // the user changed a cell (typing, tick, list choice)
    void ButtonClicked(int col, int row, bool buttonDown);  // the user ticked (true) or cleared a box
    // The user is moving the active cell from (col, row) to (newCol, newRow), by key or by a click
    // on a cell (a drag selecting a block keeps the active cell; a header click moves it without
    // asking); an edit in progress has been stored. newCol and newRow are -1 when the focus leaves
    // the grid (cancel is then ignored). Setting cancel keeps the old cell. Moves made by code
    // raise none.
    void LeaveCell(int col, int row, int newCol, int newRow, bool& cancel);
    void Advance(bool advanceNext);  // Tab past the last cell (true) or Shift+Tab before the first
    void BlockSelected(int blockCol, int blockRow, int blockCol2, int blockRow2);
    void GotFocus();
    // A character typed into the grid; set keyAscii to another code to replace it, 0 to drop it.
    void KeyPress(int& keyAscii);

  protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void updateGeometries() override;
    // Typing never searches the grid: every key goes to the active cell.
    void keyboardSearch(const QString&) override {}

  private:
    friend class SpreadDelegate;
    friend class SpreadSelectionModel;

    struct Range {
        int c1 = 0, c2 = -1, r1 = 0, r2 = -1;
        bool allCols = false, allRows = false;
    };
    Range AddressedRange() const;
    Range MakeRange(int col, int row, int col2, int row2, bool block, bool allColsIncludeHeader) const;
    void ApplySetting(SpreadAttr attr, const QVariant& value) { ApplySetting(AddressedRange(), attr, value); }
    void ApplySetting(const Range& range, SpreadAttr attr, const QVariant& value);
    void SetComboSel(const Range& range, int index);
    void RefreshView();
    std::optional<SpreadCell> AddressedCell() const;
    std::optional<SpreadCell> CellAtIndex(const QModelIndex& index) const;
    QModelIndex IndexOf(int col, int row) const;
    bool IsEditable(const std::optional<SpreadCell>& cell) const;
    void CellChanged(int col, int row);  // content changed by code or by the user
    bool CanVisit(int col, int row) const;
    int ColPixels(int col) const;
    double PrintedColumnWidth(int col, const QFont& font, QPrinter& printer) const;
    int TextHeight(int col, int row) const;  // twips

    // Moves of the active cell
    bool ApproveMove(const QModelIndex& to);
    bool AskLeaveCell(const QModelIndex& from, const QModelIndex& to);
    void MoveCurrent(const QModelIndex& to);
    void TabMove(bool next);
    void OnFocusChanged(QWidget* old, QWidget* now);
    bool Contains(const QWidget* widget) const;

    // User edits (from the delegate and the mouse)
    bool EventsMuted() const;
    void EditorOpened(QWidget* editor, const QModelIndex& index);
    void UserSetText(const QModelIndex& index, const QString& text);
    void UserSetComboSel(const QModelIndex& index, int sel);
    void UserToggle(const QModelIndex& index);
    bool FilterKey(QWidget* target, QKeyEvent* event);
    void ApplyPendingEditSel(QWidget* editor);
    bool CheckEdit();  // false (the user has been told why) when the open edit cannot be stored
    void Refuse(const QString& text, bool later);
    // length: what the cell shows, when the caller knows it
    void FitColumnToCell(int col, int row, qsizetype length = -1);
    void RefitColumn(int col);
    void CopySelection() const;
    void EmitBlockSelected(int source);

    void PermuteRows(int c1, int c2, int r1, const std::vector<int>& order);

    void PaintCorner(QWidget* corner);

    int col_ = 1, row_ = 1, col2_ = 1, row2_ = 1;
    bool blockMode_ = false;
    quint64 stamp_ = 0;
    SpreadModel* model_ = nullptr;
    std::vector<int> colTwips_;  // widths as set, index = column
    std::vector<int> colNeed_;   // pixels each column needs (set width or its texts)
    bool fillWidth_ = false;
    void SetColPixels(int col, int pixels);  // the need of a column; shown wider when filling
    void FillWidth();
    // A column's width follows a sample of its texts and each text longer than any before it,
    // rather than every text: a proportional font rarely makes a shorter text the wider one.
    struct ColumnFit {
        qsizetype longest = -1;
        int sampled = 0;
    };
    std::vector<ColumnFit> fit_;   // index = column
    bool contentPending_ = false;  // cells changed while drawing was off

    SpreadSortBy sortBy_ = SpreadSortBy::Row;
    std::vector<std::pair<int, SpreadSortOrder>> sortKeys_;

    SpreadDelegate* delegate_ = nullptr;
    QPointer<QWidget> editor_;
    QPointer<QWidget> cornerButton_;
    bool moveGuard_ = false;  // moves made by the grid itself raise no LeaveCell
    bool inLeaveCell_ = false;
    bool committing_ = false;
    bool refusing_ = false;            // a refusal message is up: the focus leaving for it moves nothing
    QPersistentModelIndex editIndex_;  // the cell of the open editor
    bool destroying_ = false;
    std::optional<QModelIndex> redirect_;
    QPersistentModelIndex approved_;  // a move already approved (mouse press)
    QPersistentModelIndex pressIndex_;
    bool pressRefused_ = false;   // LeaveCell cancelled the press: no drag follows it
    bool dragSelecting_ = false;  // a mouse drag is selecting a block; the active cell stays
    bool headerPress_ = false;    // a header is being clicked or dragged: moves raise no LeaveCell
    bool tabKey_ = false;         // a Tab key is being handled (focusNextPrevChild may move the cell)
    bool keyFiltered_ = false;    // the key being passed on has been through KeyPress already
    int editSelStart_ = -1, editSelLength_ = 0;

    SpreadPrintOrientation printOrientation_ = SpreadPrintOrientation::Portrait;
    SpreadPrintWidths printWidths_ = SpreadPrintWidths::OwnTexts;
    bool printColHeaders_ = true;
    bool printRowHeaders_ = true;
    QString printJobName_;
    QString printHeader_;
    QStringList printHeaderForms_;
    QString printAbortMsg_;
};

}  // namespace dc
