// Addressing, size, cell settings, content and sorting of the grid. Keyboard, mouse and the
// moves of the active cell are in SpreadInput.cpp, printing in SpreadPrint.cpp.
#include "platform/Spread.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "platform/SpreadDelegate.h"
#include "platform/SpreadModel.h"
#include "platform/Val.h"

namespace dc {

namespace {

// Texts measured per column before only longer ones are.
constexpr int kFitSample = 50;

int TwipsToPixels(int twips) {
    return twips <= 0 ? 0 : qMax(1, qRound(twips / double(Spread::kTwipsPerPixel)));
}

}  // namespace

// The selection model asks the grid before the active cell moves, so that LeaveCell can cancel it.
class SpreadSelectionModel : public QItemSelectionModel {
  public:
    SpreadSelectionModel(QAbstractItemModel* model, Spread* spread)
        : QItemSelectionModel(model, spread), spread_(spread) {}

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override {
        if (spread_->dragSelecting_) return;  // the block grows; the active cell stays where it began
        if (spread_->headerPress_) {          // selecting whole rows or columns asks nobody
            QItemSelectionModel::setCurrentIndex(index, command);
            return;
        }
        const QPersistentModelIndex target(index);  // the LeaveCell handler may change the grid
        if (spread_->ApproveMove(index) && (target.isValid() || !index.isValid()))
            QItemSelectionModel::setCurrentIndex(target, command);
    }

  private:
    Spread* spread_;
};

Spread::Spread(QWidget* parent) : QTableView(parent), model_(new SpreadModel(this)) {
    setModel(model_);
    delegate_ = new SpreadDelegate(this);
    setItemDelegate(delegate_);
    QItemSelectionModel* previous = selectionModel();
    setSelectionModel(new SpreadSelectionModel(model_, this));
    delete previous;

    // A click on the active cell opens no delayed editor: a key typed right after it would be lost.
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    const int rowPixels = fontMetrics().height() + 6;
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(rowPixels);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(64);
    horizontalHeader()->setDefaultAlignment(Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
    horizontalHeader()->viewport()->installEventFilter(this);
    verticalHeader()->viewport()->installEventFilter(this);

    colTwips_.assign(1, -1);
    colNeed_.assign(1, 0);
    fit_.resize(1);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int s) { Q_EMIT Click(s + 1, 0); });
    connect(verticalHeader(), &QHeaderView::sectionClicked, this, [this](int s) { Q_EMIT Click(0, s + 1); });
    connect(horizontalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int s) { Q_EMIT DblClick(s + 1, 0); });
    connect(verticalHeader(), &QHeaderView::sectionDoubleClicked, this,
            [this](int s) { Q_EMIT DblClick(0, s + 1); });
    if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        cornerButton_ = corner;
        corner->installEventFilter(this);
        connect(corner, &QAbstractButton::clicked, this, [this] {
            Q_EMIT BlockSelected(-1, -1, -1, -1);
            Q_EMIT Click(0, 0);
        });
    }
    connect(qApp, &QApplication::focusChanged, this, &Spread::OnFocusChanged);
}

Spread::~Spread() {
    destroying_ = true;  // an edit stored from here on raises no event
    disconnect(qApp, nullptr, this, nullptr);
}

QColor Spread::VbColor(unsigned int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// ---------------------------------------------------------------- cells and ranges

int Spread::MaxCols() const { return model_->Cols(); }
int Spread::MaxRows() const { return model_->Rows(); }
bool Spread::Protect() const { return model_->Protect(); }

std::optional<SpreadCell> Spread::CellAt(int col, int row) const {
    if (!model_->Contains(col, row)) return std::nullopt;
    return model_->Cell(col, row);
}

std::optional<SpreadCell> Spread::CellAtIndex(const QModelIndex& index) const {
    return index.isValid() ? CellAt(index.column() + 1, index.row() + 1) : std::nullopt;
}

QModelIndex Spread::IndexOf(int col, int row) const {
    if (col < 1 || row < 1 || col > MaxCols() || row > MaxRows()) return {};
    return model_->index(row - 1, col - 1);
}

std::optional<SpreadCell> Spread::AddressedCell() const {
    return CellAt(col_ < 0 ? 1 : col_, row_ < 0 ? 1 : row_);
}

Spread::Range Spread::MakeRange(int col, int row, int col2, int row2, bool block,
                                bool allColsIncludeHeader) const {
    Range range;
    auto span = [block](int a, int b, int max, int allFrom, bool& all, int& lo, int& hi) {
        if (a == -1 || (block && b == -1)) {
            all = true;
            lo = allFrom;
            hi = max;
            return;
        }
        if (!block) b = a;
        lo = qMax(0, qMin(a, b));
        hi = qMin(max, qMax(a, b));
    };
    span(col, col2, MaxCols(), allColsIncludeHeader ? 0 : 1, range.allCols, range.c1, range.c2);
    span(row, row2, MaxRows(), 1, range.allRows, range.r1, range.r2);
    return range;
}

Spread::Range Spread::AddressedRange() const {
    return MakeRange(col_, row_, col2_, row2_, blockMode_, false);
}

bool Spread::IsEditable(const std::optional<SpreadCell>& cell) const {
    return cell && model_->IsEditable(*cell);
}

// The views hear of a cell changed by code at once, unless drawing is off: then once, when it
// is switched on again. An open editor always hears of its own cell.
void Spread::CellChanged(int col, int row) {
    if (col == 0 && row == 0) {
        if (cornerButton_) cornerButton_->update();
        return;
    }
    const bool edited =
        editor_ && editIndex_.isValid() && editIndex_.column() == col - 1 && editIndex_.row() == row - 1;
    if (!updatesEnabled() && !edited)
        contentPending_ = true;
    else
        model_->CellChanged(col, row);
}

void Spread::RefreshView() {
    viewport()->update();
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
    if (cornerButton_) cornerButton_->update();
}

// ---------------------------------------------------------------- size

void Spread::SetMaxCols(int count) {
    count = qMax(0, count);
    // The edit is stored first: its Change handler may itself resize the grid.
    if (count < MaxCols()) CommitEdit();
    const int old = MaxCols();
    if (count == old) return;
    // The column facts are there before the model tells its views of the new columns (a view may
    // ask for them at once), and go only after the columns are gone.
    const auto resizeFacts = [&] {
        colTwips_.resize(count + 1, -1);
        colNeed_.resize(count + 1, horizontalHeader()->defaultSectionSize());
        fit_.resize(count + 1);
        for (int c = old + 1; c <= count; ++c) fit_[c] = {};
    };
    if (count > old) resizeFacts();
    model_->SetCols(count);
    if (count < old) resizeFacts();
}

void Spread::SetMaxRows(int count) {
    count = qMax(0, count);
    if (count < MaxRows()) CommitEdit();  // first, as above
    const int old = MaxRows();
    if (count == old) return;
    model_->SetRows(count);
    if (count > old) FitColumnToCell(0, count);  // the widest row number
}

int Spread::ColPixels(int col) const {
    if (col == 0) {
        if (verticalHeader()->isHidden()) return 0;
        const QHeaderView* header = verticalHeader();
        return header->minimumWidth() == header->maximumWidth() ? header->minimumWidth()
                                                                : header->sizeHint().width();
    }
    if (col < 0 || col > MaxCols() || isColumnHidden(col - 1)) return 0;
    return columnWidth(col - 1);
}

int Spread::ColWidth(int col) const {
    if (col < 0 || col > MaxCols()) return 0;
    const int pixels = ColPixels(col);
    const int set = colTwips_[col];
    if (set >= 0 && TwipsToPixels(set) == pixels) return set;  // as set, unless the user resized it
    return pixels * kTwipsPerPixel;
}

void Spread::SetColWidth(int col, int twips) {
    if (col == -1) {
        for (int c = 1; c <= MaxCols(); ++c) SetColWidth(c, twips);
        return;
    }
    if (col < 0 || col > MaxCols()) return;
    twips = qMax(0, twips);
    colTwips_[col] = twips;
    const int pixels = TwipsToPixels(twips);
    if (col == 0) {
        verticalHeader()->setVisible(pixels > 0);
        if (pixels > 0) verticalHeader()->setFixedWidth(pixels);
        RefitColumn(0);
        return;
    }
    if (pixels == 0) {
        // An edit in the column is stored first; a hidden editor would pass the focus on.
        if (IsEditing() && currentIndex().column() == col - 1) CommitEdit();
        hideColumn(col - 1);
    } else {
        showColumn(col - 1);
        SetColPixels(col, pixels);
    }
    RefitColumn(col);
}

void Spread::SetColPixels(int col, int pixels) {
    colNeed_[col] = pixels;
    if (fillWidth_)
        FillWidth();
    else
        setColumnWidth(col - 1, pixels);
}

void Spread::SetFillWidth(bool on) {
    fillWidth_ = on;
    FillWidth();
}

void Spread::FillWidth() {
    int need = 0;
    for (int c = 1; c <= MaxCols(); ++c)
        if (!isColumnHidden(c - 1)) need += colNeed_[c];
    const int spare = fillWidth_ ? viewport()->width() - need : 0;
    for (int c = 1; c <= MaxCols(); ++c) {
        if (isColumnHidden(c - 1)) continue;
        const int extra = spare > 0 && need > 0 ? qint64(colNeed_[c]) * spare / need : 0;
        setColumnWidth(c - 1, colNeed_[c] + extra);
    }
}

// The spare width is shared out again whenever the visible width changes (the window resized, a
// scroll bar shown or hidden).
bool Spread::viewportEvent(QEvent* event) {
    const bool handled = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize && fillWidth_) FillWidth();
    return handled;
}

// The column's width as set, widened for its header and texts: a sample of them and every one
// longer than those before it. The header column widens for the texts given to it, not for the
// row numbers it shows without one.
void Spread::RefitColumn(int col) {
    fit_[col] = {};
    if (col > 0) FitColumnToCell(col, 0);
    for (int r : model_->RowsToMeasure(col, kFitSample)) FitColumnToCell(col, r);
}

// A column set in twips is a minimum: it widens to show each text in the font in use. A header
// cell of the header row wraps, so there its longest word counts.
void Spread::FitColumnToCell(int col, int row, qsizetype length) {
    if (col < 0 || col > MaxCols() || row < 0 || row > MaxRows() || colTwips_[col] == 0) return;
    if (row > 0) {
        ColumnFit& fit = fit_[col];
        if (length < 0) length = model_->ShownLength(col, row);
        if (length == 0 || (fit.sampled >= kFitSample && length <= fit.longest)) return;
        ++fit.sampled;
        fit.longest = qMax(fit.longest, length);
    }
    if (col > 0 && isColumnHidden(col - 1)) return;
    const std::optional<SpreadCell> cell = CellAt(col, row);
    const QString text = cell->ShownText();
    if (text.isEmpty()) return;
    QFont f = cell->IsHeader() ? horizontalHeader()->font() : font();
    f.setBold(f.bold() || cell->fmt.bold);
    const QFontMetrics metrics(f);
    int need = 0;
    if (row == 0 && col > 0) {
        for (const QString& word : text.simplified().split(u' ', Qt::SkipEmptyParts))
            need = qMax(need, metrics.horizontalAdvance(word));
    } else {
        need = metrics.horizontalAdvance(text);
    }
    const int margin = cell->IsHeader()
                           ? 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this)
                           : 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    need += margin + 2;
    if (col == 0) {
        QHeaderView* header = verticalHeader();
        if (colTwips_[0] > 0 && !header->isHidden() && header->minimumWidth() < need)
            header->setFixedWidth(need);
    } else if (colNeed_[col] < need) {
        SetColPixels(col, need);
    }
}

int Spread::RowHeight(int row) const {
    if (row == 0) {
        const QHeaderView* header = horizontalHeader();
        if (header->isHidden()) return 0;
        const int pixels = header->minimumHeight() == header->maximumHeight() ? header->minimumHeight()
                                                                              : header->sizeHint().height();
        return pixels * kTwipsPerPixel;
    }
    if (row < 0 || row > MaxRows() || isRowHidden(row - 1)) return 0;
    return rowHeight(row - 1) * kTwipsPerPixel;
}

void Spread::SetRowHeight(int row, int twips) {
    const int pixels = TwipsToPixels(twips);
    if (row == -1) {
        if (pixels > 0) verticalHeader()->setDefaultSectionSize(pixels);
        for (int r = 1; r <= MaxRows(); ++r) SetRowHeight(r, twips);
        return;
    }
    if (row == 0) {
        horizontalHeader()->setVisible(pixels > 0);
        if (pixels > 0) horizontalHeader()->setFixedHeight(pixels);
        return;
    }
    if (row < 0 || row > MaxRows()) return;
    if (pixels == 0) {
        if (IsEditing() && currentIndex().row() == row - 1) CommitEdit();  // as for columns
        hideRow(row - 1);
    } else {
        showRow(row - 1);
        setRowHeight(row - 1, pixels);
    }
}

int Spread::TextHeight(int col, int row) const {
    const std::optional<SpreadCell> cell = CellAt(col, row);
    if (!cell) return 0;
    QFont f = (cell->kind() == SpreadCell::Kind::ColHeader) ? horizontalHeader()->font() : font();
    f.setBold(f.bold() || cell->fmt.bold);
    const QFontMetrics metrics(f);
    const QString text = cell->data(Qt::DisplayRole).toString();
    const int width = qMax(1, ColPixels(col) - 6);
    const QRect bounds = metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap,
                                              text.isEmpty() ? QStringLiteral("X") : text);
    return (bounds.height() + 6) * kTwipsPerPixel;
}

int Spread::MaxTextCellHeight() const { return TextHeight(col_ < 0 ? 1 : col_, row_ < 0 ? 1 : row_); }

int Spread::MaxTextRowHeight(int row) const {
    int most = 0;
    for (int c = 0; c <= MaxCols(); ++c)
        if (ColPixels(c) > 0) most = qMax(most, TextHeight(c, row));
    return most;
}

// ---------------------------------------------------------------- settings

Spread::Block& Spread::Block::Apply(SpreadAttr attr, const QVariant& value) {
    grid_.ApplySetting(grid_.MakeRange(col_, row_, col2_, row2_, true, false), attr, value);
    return *this;
}

// A setting for whole columns, rows or the grid is kept at that level, so that cells added later
// get it too; one for particular cells is kept with each of them.
void Spread::ApplySetting(const Range& range, SpreadAttr attr, const QVariant& value) {
    const SpreadSetting setting{++stamp_, value};
    if (range.allCols && range.allRows) {
        model_->SetGridSetting(attr, setting);
    } else if (range.allRows) {
        for (int c = range.c1; c <= range.c2; ++c) model_->SetColSetting(c, attr, setting);
    } else if (range.allCols) {
        for (int r = range.r1; r <= range.r2; ++r) model_->SetRowSetting(r, attr, setting);
    } else {
        for (int r = range.r1; r <= range.r2; ++r)
            for (int c = range.c1; c <= range.c2; ++c) model_->SetCellSetting(c, r, attr, setting);
    }
    RefreshView();
}

SpreadCellType Spread::CellType() const {
    const auto cell = AddressedCell();
    return cell ? cell->fmt.type : SpreadCellType::Edit;
}
void Spread::SetCellType(SpreadCellType type) { ApplySetting(SpreadAttr::CellType, int(type)); }

SpreadHAlign Spread::TypeHAlign() const {
    const auto cell = AddressedCell();
    return cell ? cell->fmt.hAlign : SpreadHAlign::Left;
}
void Spread::SetTypeHAlign(SpreadHAlign align) { ApplySetting(SpreadAttr::HAlign, int(align)); }
void Spread::SetTypeCheckCenter(bool on) { ApplySetting(SpreadAttr::CheckCenter, on); }
void Spread::SetTypeNumberMin(double min) { ApplySetting(SpreadAttr::NumberMin, min); }
void Spread::SetTypeNumberMax(double max) { ApplySetting(SpreadAttr::NumberMax, max); }
void Spread::SetTypeNumberDecPlaces(int places) { ApplySetting(SpreadAttr::DecPlaces, places); }

int Spread::TypeMaxEditLen() const {
    const auto cell = AddressedCell();
    return cell ? cell->fmt.maxEditLen : 0;
}
void Spread::SetTypeMaxEditLen(int length) { ApplySetting(SpreadAttr::MaxEditLen, length); }

QString Spread::TypeComboBoxList() const {
    const auto cell = AddressedCell();
    return cell ? cell->fmt.comboList.join(QChar('\t')) : QString();
}
void Spread::SetTypeComboBoxList(const QString& tabSeparated) {
    ApplySetting(SpreadAttr::ComboList, tabSeparated.split(QChar('\t')));
}

int Spread::TypeComboBoxCurSel() const {
    const auto cell = AddressedCell();
    return cell ? cell->ComboSel() : -1;
}
void Spread::SetTypeComboBoxCurSel(int index) { SetComboSel(AddressedRange(), index); }

int Spread::TypeComboBoxCurSel(int col, int row) const {
    const auto cell = CellAt(col, row);
    return cell ? cell->ComboSel() : -1;
}

void Spread::SetTypeComboBoxCurSel(int col, int row, int index) {
    SetComboSel(MakeRange(col, row, col, row, false, false), index);
}

void Spread::SetComboSel(const Range& range, int index) {
    for (int r = qMax(1, range.r1); r <= range.r2; ++r)
        for (int c = qMax(1, range.c1); c <= range.c2; ++c) {
            model_->SetComboSel(c, r, index);
            CellChanged(c, r);
            FitColumnToCell(c, r);
        }
}

QColor Spread::BackColor() const {
    const auto cell = AddressedCell();
    return cell ? cell->fmt.backColor : QColor();
}
void Spread::SetBackColor(const QColor& color) { ApplySetting(SpreadAttr::BackColor, color); }
QColor Spread::ForeColor() const {
    const auto cell = AddressedCell();
    return cell ? cell->fmt.foreColor : QColor();
}
void Spread::SetForeColor(const QColor& color) { ApplySetting(SpreadAttr::ForeColor, color); }

bool Spread::Lock() const {
    const auto cell = AddressedCell();
    return cell && cell->fmt.locked;
}
void Spread::SetLock(bool on) { ApplySetting(SpreadAttr::Lock, on); }

void Spread::SetProtect(bool on) {
    if (model_->Protect() == on) return;
    model_->SetProtect(on);
    RefreshView();
}

bool Spread::FontBold() const {
    const auto cell = AddressedCell();
    return cell && cell->fmt.bold;
}
void Spread::SetFontBold(bool on) { ApplySetting(SpreadAttr::FontBold, on); }

// ---------------------------------------------------------------- content

QString Spread::CellText(int col, int row) const {
    const auto cell = CellAt(col, row);
    return cell ? cell->Text() : QString();
}

void Spread::SetCellText(int col, int row, const QString& text) {
    if (!model_->Contains(col, row)) return;
    const qsizetype shown = model_->SetText(col, row, text);
    CellChanged(col, row);
    FitColumnToCell(col, row, shown);
}

void Spread::SetAllRows(std::vector<QString> texts, std::vector<QString> rowHeaders) {
    SetMaxRows(0);
    model_->SetAllRows(std::move(texts), std::move(rowHeaders));
    const int rows = MaxRows(), cols = MaxCols();
    if (rows == 0) return;
    FitColumnToCell(0, rows);  // the widest row number
    // Each column fitted as SetCellText fits it, the texts that cannot widen it passed over here. The
    // new rows have no settings of their own: a text column shows its texts as they are.
    std::vector<bool> shownAsText(cols + 1, false);
    for (int c = 1; c <= cols; ++c) {
        const SpreadCellType type = model_->TypeAt(c, 1);
        shownAsText[c] = type != SpreadCellType::CheckBox && type != SpreadCellType::ComboBox;
    }
    for (int r = 1; r <= rows; ++r)
        for (int c = 0; c <= cols; ++c) {
            if (c == 0 && !model_->HasOwnText(0, r)) continue;
            const qsizetype length = shownAsText[c] ? model_->TextLength(c, r) : model_->ShownLength(c, r);
            const ColumnFit& fit = fit_[c];
            if (length > 0 && (fit.sampled < kFitSample || length > fit.longest))
                FitColumnToCell(c, r, length);
        }
}

int Spread::CellValue(int col, int row) const {
    const auto cell = CellAt(col, row);
    if (!cell) return 0;
    if (!cell->IsHeader() && cell->fmt.type == SpreadCellType::CheckBox) return cell->Checked();
    return int(RoundHalfAway(Val(cell->Text())));
}

void Spread::SetCellValue(int col, int row, int value) {
    if (!model_->Contains(col, row)) return;
    if (col > 0 && row > 0 && model_->TypeAt(col, row) == SpreadCellType::CheckBox) {
        model_->SetChecked(col, row, value != 0);
        CellChanged(col, row);
    } else {
        SetCellText(col, row, QString::number(value));
    }
}

QString Spread::Text() const { return col_ < 0 || row_ < 0 ? QString() : CellText(col_, row_); }
void Spread::SetText(const QString& text) {
    if (col_ >= 0 && row_ >= 0) SetCellText(col_, row_, text);
}
int Spread::Value() const { return col_ < 0 || row_ < 0 ? 0 : CellValue(col_, row_); }
void Spread::SetValue(int value) {
    if (col_ >= 0 && row_ >= 0) SetCellValue(col_, row_, value);
}

void Spread::ClearRange(int col, int row, int col2, int row2) {
    const Range range = MakeRange(col, row, col2, row2, true, false);
    for (int r = qMax(1, range.r1); r <= range.r2; ++r)
        for (int c = qMax(1, range.c1); c <= range.c2; ++c) {
            model_->Clear(c, r);
            CellChanged(c, r);
        }
}

// ---------------------------------------------------------------- selection

void Spread::SetSelection(int col, int row, int col2, int row2) {
    const Range range = MakeRange(col, row, col2, row2, true, false);
    const int c1 = qMax(1, range.c1), r1 = qMax(1, range.r1);
    if (c1 > range.c2 || r1 > range.r2) return;
    const QModelIndex topLeft = model_->index(r1 - 1, c1 - 1);
    const QModelIndex bottomRight = model_->index(range.r2 - 1, range.c2 - 1);
    // The active cell goes to the block, so that ActiveRow follows a selected row.
    const int activeCol = (range.allCols && ActiveCol() >= 1) ? ActiveCol() : c1;
    moveGuard_ = true;
    selectionModel()->setCurrentIndex(IndexOf(activeCol, r1), QItemSelectionModel::NoUpdate);
    moveGuard_ = false;
    selectionModel()->select(QItemSelection(topLeft, bottomRight), QItemSelectionModel::ClearAndSelect);
}

void Spread::ClearSelection() { clearSelection(); }

int Spread::ActiveCol() const { return currentIndex().isValid() ? currentIndex().column() + 1 : 0; }
int Spread::ActiveRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

void Spread::SetActiveCell(int col, int row) {
    const QModelIndex index = IndexOf(col, row);
    if (!index.isValid()) return;
    if (inLeaveCell_) {
        redirect_ = QPersistentModelIndex(index);
        return;
    }
    MoveCurrent(index);
}

// order[i] is the row (as numbered before the move) that ends up at row r1 + i.
void Spread::PermuteRows(int c1, int c2, int r1, const std::vector<int>& order) {
    model_->PermuteRows(c1, c2, r1, order);
    RefreshView();
}

void Spread::MoveRow(int from, int to) {
    const int rows = MaxRows();
    if (from < 1 || to < 1 || from > rows || to > rows || from == to) return;
    CommitEdit();
    const int lo = qMin(from, to);
    std::vector<int> order;
    if (from < to) {
        for (int r = from + 1; r <= to; ++r) order.push_back(r);
        order.push_back(from);
    } else {
        order.push_back(from);
        for (int r = to; r < from; ++r) order.push_back(r);
    }
    const bool activeMoves = ActiveRow() == from;
    const int activeCol = ActiveCol();
    PermuteRows(0, MaxCols(), lo, order);
    if (activeMoves) MoveCurrent(IndexOf(activeCol, to));
}

// ---------------------------------------------------------------- sorting

int Spread::SortKey(int index) const {
    return index >= 1 && index <= int(sortKeys_.size()) ? sortKeys_[index - 1].first : 0;
}

void Spread::SetSortKey(int index, int col) {
    if (index < 1) return;
    if (int(sortKeys_.size()) < index) sortKeys_.resize(index, {0, SpreadSortOrder::None});
    sortKeys_[index - 1].first = col;
    if (sortKeys_[index - 1].second == SpreadSortOrder::None)
        sortKeys_[index - 1].second = SpreadSortOrder::Ascending;
}

SpreadSortOrder Spread::SortKeyOrder(int index) const {
    return index >= 1 && index <= int(sortKeys_.size()) ? sortKeys_[index - 1].second : SpreadSortOrder::None;
}

void Spread::SetSortKeyOrder(int index, SpreadSortOrder order) {
    if (index < 1) return;
    if (int(sortKeys_.size()) < index) sortKeys_.resize(index, {0, SpreadSortOrder::None});
    sortKeys_[index - 1].second = order;
}

namespace {

// A cell's sort key, worked out once per sort: empty cells sort after every filled one in either
// direction; number and check-box cells compare as numbers, others as text without regard to case.
struct SortKeyValue {
    bool empty = true;
    bool numeric = false;
    double number = 0;
    QString folded;
};

SortKeyValue MakeSortKey(const SpreadCell& cell) {
    SortKeyValue key;
    const bool check = !cell.IsHeader() && cell.fmt.type == SpreadCellType::CheckBox;
    const QString text = cell.Text().trimmed();
    key.empty = !check && text.isEmpty();
    key.numeric = cell.IsNumeric();
    if (key.numeric) key.number = check ? double(cell.Checked()) : Val(text);
    key.folded = check ? cell.Text() : text.toCaseFolded();
    return key;
}

// Negative when a sorts before b.
int CompareForSort(const SortKeyValue& a, const SortKeyValue& b, SpreadSortOrder order) {
    if (a.empty || b.empty) return a.empty == b.empty ? 0 : (a.empty ? 1 : -1);
    int cmp;
    if (a.numeric && b.numeric) {
        cmp = a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    } else {
        cmp = QString::compare(a.folded, b.folded, Qt::CaseSensitive);
    }
    return order == SpreadSortOrder::Descending ? -cmp : cmp;
}

}  // namespace

void Spread::Sort(int col, int row, int col2, int row2) {
    if (sortBy_ != SpreadSortBy::Row) return;  // the screens sort rows only
    const Range range = MakeRange(col, row, col2, row2, true, true);
    const int r1 = qMax(1, range.r1);
    if (range.r2 - r1 < 1 || range.c1 > range.c2) return;
    std::vector<std::pair<int, SpreadSortOrder>> keys;
    for (const auto& key : sortKeys_)
        if (key.second != SpreadSortOrder::None && key.first >= 0 && key.first <= MaxCols())
            keys.push_back(key);
    if (keys.empty()) return;
    CommitEdit();
    const int count = range.r2 - r1 + 1;
    std::vector<std::vector<SortKeyValue>> values(keys.size(), std::vector<SortKeyValue>(count));
    for (size_t k = 0; k < keys.size(); ++k)
        for (int i = 0; i < count; ++i) values[k][i] = MakeSortKey(model_->Cell(keys[k].first, r1 + i));
    std::vector<int> order(count);
    for (int i = 0; i < count; ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (size_t k = 0; k < keys.size(); ++k) {
            const int cmp = CompareForSort(values[k][a], values[k][b], keys[k].second);
            if (cmp != 0) return cmp < 0;
        }
        return false;
    });
    for (int& i : order) i += r1;
    PermuteRows(range.c1, range.c2, r1, order);
}

void Spread::Sort(int col, int row, int col2, int row2, int keyCol, SpreadSortOrder order) {
    const auto keepKeys = sortKeys_;
    const SpreadSortBy keepBy = sortBy_;
    sortKeys_ = {{keyCol, order}};
    sortBy_ = SpreadSortBy::Row;
    Sort(col, row, col2, row2);
    sortKeys_ = keepKeys;
    sortBy_ = keepBy;
}

// ---------------------------------------------------------------- drawing

void Spread::SetReDraw(bool on) {
    if (on == updatesEnabled()) return;
    setUpdatesEnabled(on);
    if (!on) return;
    if (std::exchange(contentPending_, false)) model_->Refresh();
    RefreshView();
}

// The headings scroll with the body. A view scrolled by whole columns keeps its heading offset in
// pixels: when the columns are resized without the scroll bar moving (a refill with other widths),
// the headings would stay where the old widths put them.
void Spread::updateGeometries() {
    QTableView::updateGeometries();
    auto sync = [](QHeaderView* header, const QScrollBar* bar, ScrollMode mode) {
        if (mode != ScrollPerItem) {
            if (header->offset() != bar->value()) header->setOffset(bar->value());
        } else if (bar->maximum() > 0 && bar->value() == bar->maximum()) {
            header->setOffsetToLastSection();
        } else {
            header->setOffsetToSectionPosition(bar->value());
        }
    };
    sync(horizontalHeader(), horizontalScrollBar(), horizontalScrollMode());
    sync(verticalHeader(), verticalScrollBar(), verticalScrollMode());
}

}  // namespace dc
