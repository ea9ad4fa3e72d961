// Addressing, size, cell settings, content and sorting of the grid. Keyboard, mouse and the
// moves of the active cell are in SpreadInput.cpp, printing in SpreadPrint.cpp.
#include "platform/Spread.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QRegularExpression>
#include <QStyle>
#include <algorithm>

#include "platform/SpreadDelegate.h"
#include "platform/Val.h"

namespace dc {

namespace {

QString ColumnLetters(int col) {
    QString letters;
    for (int n = col; n > 0; n = (n - 1) / 26) letters.prepend(QChar('A' + (n - 1) % 26));
    return letters;
}

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

Spread::Spread(QWidget* parent)
    : QTableWidget(parent), corner_(std::make_unique<SpreadCell>(SpreadCell::Kind::Corner)) {
    setItemPrototype(new SpreadCell());
    delegate_ = new SpreadDelegate(this);
    setItemDelegate(delegate_);
    QItemSelectionModel* previous = selectionModel();
    setSelectionModel(new SpreadSelectionModel(model(), this));
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

    colSettings_.resize(1);
    rowSettings_.resize(1);
    colTwips_.assign(1, -1);
    colNeed_.assign(1, 0);

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
    connect(model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                for (int r = first.row(); r <= last.row(); ++r)
                    for (int c = first.column(); c <= last.column(); ++c) FitColumnToCell(c + 1, r + 1);
            });
    connect(model(), &QAbstractItemModel::headerDataChanged, this,
            [this](Qt::Orientation o, int first, int last) {
                for (int s = first; s <= last; ++s)
                    o == Qt::Horizontal ? FitColumnToCell(s + 1, 0) : FitColumnToCell(0, s + 1);
            });
}

Spread::~Spread() {
    destroying_ = true;  // an edit stored from here on raises no event
    disconnect(qApp, nullptr, this, nullptr);
}

QColor Spread::VbColor(unsigned int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// ---------------------------------------------------------------- cells and ranges

SpreadCell* Spread::CellAt(int col, int row) const {
    if (col < 0 || row < 0 || col > MaxCols() || row > MaxRows()) return nullptr;
    if (col == 0 && row == 0) return corner_.get();
    if (row == 0) return dynamic_cast<SpreadCell*>(horizontalHeaderItem(col - 1));
    if (col == 0) return dynamic_cast<SpreadCell*>(verticalHeaderItem(row - 1));
    return dynamic_cast<SpreadCell*>(item(row - 1, col - 1));
}

SpreadCell* Spread::CellAtIndex(const QModelIndex& index) const {
    return index.isValid() ? CellAt(index.column() + 1, index.row() + 1) : nullptr;
}

QModelIndex Spread::IndexOf(int col, int row) const {
    if (col < 1 || row < 1 || col > MaxCols() || row > MaxRows()) return {};
    return model()->index(row - 1, col - 1);
}

SpreadCell* Spread::AddressedCell() const { return CellAt(col_ < 0 ? 1 : col_, row_ < 0 ? 1 : row_); }

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

SpreadCellFormat Spread::ResolveFormat(SpreadCell::Kind kind, int col, int row) const {
    SpreadCellFormat fmt;
    if (kind != SpreadCell::Kind::Data) fmt.hAlign = SpreadHAlign::Center;
    std::vector<const std::pair<const SpreadAttr, SpreadSetting>*> entries;
    auto add = [&entries](const SpreadSettings& settings) {
        for (const auto& entry : settings) entries.push_back(&entry);
    };
    switch (kind) {
        case SpreadCell::Kind::Data:
            add(gridSettings_);
            if (col < int(colSettings_.size())) add(colSettings_[col]);
            if (row < int(rowSettings_.size())) add(rowSettings_[row]);
            break;
        case SpreadCell::Kind::ColHeader:
            add(rowSettings_[0]);
            break;
        case SpreadCell::Kind::RowHeader:
            add(colSettings_[0]);
            break;
        case SpreadCell::Kind::Corner:
            break;
    }
    std::sort(entries.begin(), entries.end(),
              [](auto* a, auto* b) { return a->second.stamp < b->second.stamp; });
    for (const auto* entry : entries) fmt.Apply(entry->first, entry->second.value);
    return fmt;
}

SpreadCell* Spread::NewCell(SpreadCell::Kind kind, int col, int row) const {
    auto* cell = new SpreadCell(kind);
    cell->fmt = ResolveFormat(kind, col, row);
    SyncFlags(cell);
    return cell;
}

bool Spread::IsEditable(const SpreadCell* cell) const {
    return cell && !cell->IsHeader() && cell->fmt.type != SpreadCellType::StaticText &&
           !(cell->fmt.locked && protect_);
}

void Spread::SyncFlags(SpreadCell* cell) const {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const SpreadCellType type = cell->fmt.type;
    if (IsEditable(cell) && type != SpreadCellType::CheckBox) flags |= Qt::ItemIsEditable;
    if (cell->flags() != flags) cell->setFlags(flags);
}

void Spread::RenumberHeaders() {
    for (int r = 1; r <= MaxRows(); ++r)
        if (SpreadCell* cell = CellAt(0, r)) cell->SetDefaultText(QString::number(r));
    for (int c = 1; c <= MaxCols(); ++c)
        if (SpreadCell* cell = CellAt(c, 0)) cell->SetDefaultText(ColumnLetters(c));
    if (MaxRows() > 0) verticalHeader()->headerDataChanged(Qt::Vertical, 0, MaxRows() - 1);
    if (MaxCols() > 0) horizontalHeader()->headerDataChanged(Qt::Horizontal, 0, MaxCols() - 1);
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
    setColumnCount(count);
    colSettings_.resize(count + 1);
    colTwips_.resize(count + 1, -1);
    colNeed_.resize(count + 1, horizontalHeader()->defaultSectionSize());
    for (int c = old + 1; c <= count; ++c) {
        SpreadCell* header = NewCell(SpreadCell::Kind::ColHeader, c, 0);
        header->SetDefaultText(ColumnLetters(c));
        setHorizontalHeaderItem(c - 1, header);
        for (int r = 1; r <= MaxRows(); ++r) setItem(r - 1, c - 1, NewCell(SpreadCell::Kind::Data, c, r));
    }
}

void Spread::SetMaxRows(int count) {
    count = qMax(0, count);
    if (count < MaxRows()) CommitEdit();  // first, as above
    const int old = MaxRows();
    if (count == old) return;
    setRowCount(count);
    rowSettings_.resize(count + 1);
    for (int r = old + 1; r <= count; ++r) {
        SpreadCell* header = NewCell(SpreadCell::Kind::RowHeader, 0, r);
        header->SetDefaultText(QString::number(r));
        setVerticalHeaderItem(r - 1, header);
        for (int c = 1; c <= MaxCols(); ++c) setItem(r - 1, c - 1, NewCell(SpreadCell::Kind::Data, c, r));
    }
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
    for (int r = 0; r <= MaxRows(); ++r) FitColumnToCell(col, r);
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

void Spread::resizeEvent(QResizeEvent* event) {
    QTableWidget::resizeEvent(event);
    if (fillWidth_) FillWidth();
}

// A column set in twips is a minimum: it widens to show each text in the font in use. A header
// cell of the header row wraps, so there its longest word counts.
void Spread::FitColumnToCell(int col, int row) {
    const SpreadCell* cell = CellAt(col, row);
    if (!cell || col < 0 || colTwips_[col] == 0) return;
    if (col > 0 && isColumnHidden(col - 1)) return;
    if (!cell->IsHeader() && cell->fmt.type == SpreadCellType::CheckBox) return;
    const QString text = cell->data(Qt::DisplayRole).toString();
    if (text.isEmpty()) return;
    QFont f = cell->IsHeader() ? horizontalHeader()->font() : font();
    f.setBold(f.bold() || cell->fmt.bold);
    const QFontMetrics metrics(f);
    int need = 0;
    if (row == 0 && col > 0) {
        for (const QString& word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
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
    const SpreadCell* cell = CellAt(col, row);
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

void Spread::ApplySetting(SpreadAttr attr, const QVariant& value) {
    const Range range = AddressedRange();
    const SpreadSetting setting{++stamp_, value};
    if (range.allCols && range.allRows) {
        gridSettings_[attr] = setting;
    } else if (range.allRows) {
        for (int c = range.c1; c <= range.c2; ++c) colSettings_[c][attr] = setting;
    } else if (range.allCols) {
        for (int r = range.r1; r <= range.r2; ++r) rowSettings_[r][attr] = setting;
    }
    for (int r = range.r1; r <= range.r2; ++r) {
        for (int c = range.c1; c <= range.c2; ++c) {
            SpreadCell* cell = CellAt(c, r);
            if (!cell) continue;
            cell->fmt.Apply(attr, value);
            if (attr == SpreadAttr::ComboList) cell->SetComboSel(cell->ComboSel());
            SyncFlags(cell);
        }
    }
    RefreshView();
}

SpreadCellType Spread::CellType() const {
    const SpreadCell* cell = AddressedCell();
    return cell ? cell->fmt.type : SpreadCellType::Edit;
}
void Spread::SetCellType(SpreadCellType type) { ApplySetting(SpreadAttr::CellType, int(type)); }

SpreadHAlign Spread::TypeHAlign() const {
    const SpreadCell* cell = AddressedCell();
    return cell ? cell->fmt.hAlign : SpreadHAlign::Left;
}
void Spread::SetTypeHAlign(SpreadHAlign align) { ApplySetting(SpreadAttr::HAlign, int(align)); }
void Spread::SetTypeCheckCenter(bool on) { ApplySetting(SpreadAttr::CheckCenter, on); }
void Spread::SetTypeNumberMin(double min) { ApplySetting(SpreadAttr::NumberMin, min); }
void Spread::SetTypeNumberMax(double max) { ApplySetting(SpreadAttr::NumberMax, max); }
void Spread::SetTypeNumberDecPlaces(int places) { ApplySetting(SpreadAttr::DecPlaces, places); }

int Spread::TypeMaxEditLen() const {
    const SpreadCell* cell = AddressedCell();
    return cell ? cell->fmt.maxEditLen : 0;
}
void Spread::SetTypeMaxEditLen(int length) { ApplySetting(SpreadAttr::MaxEditLen, length); }

QString Spread::TypeComboBoxList() const {
    const SpreadCell* cell = AddressedCell();
    return cell ? cell->fmt.comboList.join(QChar('\t')) : QString();
}
void Spread::SetTypeComboBoxList(const QString& tabSeparated) {
    ApplySetting(SpreadAttr::ComboList, tabSeparated.split(QChar('\t')));
}

int Spread::TypeComboBoxCurSel() const {
    const SpreadCell* cell = AddressedCell();
    return cell ? cell->ComboSel() : -1;
}
void Spread::SetTypeComboBoxCurSel(int index) {
    const Range range = AddressedRange();
    for (int r = qMax(1, range.r1); r <= range.r2; ++r)
        for (int c = qMax(1, range.c1); c <= range.c2; ++c)
            if (SpreadCell* cell = CellAt(c, r)) {
                cell->SetComboSel(index);
                cell->Touch();
            }
}

QColor Spread::BackColor() const {
    const SpreadCell* cell = AddressedCell();
    return cell ? cell->fmt.backColor : QColor();
}
void Spread::SetBackColor(const QColor& color) { ApplySetting(SpreadAttr::BackColor, color); }
QColor Spread::ForeColor() const {
    const SpreadCell* cell = AddressedCell();
    return cell ? cell->fmt.foreColor : QColor();
}
void Spread::SetForeColor(const QColor& color) { ApplySetting(SpreadAttr::ForeColor, color); }

bool Spread::Lock() const {
    const SpreadCell* cell = AddressedCell();
    return cell && cell->fmt.locked;
}
void Spread::SetLock(bool on) { ApplySetting(SpreadAttr::Lock, on); }

void Spread::SetProtect(bool on) {
    if (protect_ == on) return;
    protect_ = on;
    for (int r = 1; r <= MaxRows(); ++r)
        for (int c = 1; c <= MaxCols(); ++c)
            if (SpreadCell* cell = CellAt(c, r)) SyncFlags(cell);
}

bool Spread::FontBold() const {
    const SpreadCell* cell = AddressedCell();
    return cell && cell->fmt.bold;
}
void Spread::SetFontBold(bool on) { ApplySetting(SpreadAttr::FontBold, on); }

// ---------------------------------------------------------------- content

QString Spread::CellText(int col, int row) const {
    const SpreadCell* cell = CellAt(col, row);
    return cell ? cell->Text() : QString();
}

void Spread::SetCellText(int col, int row, const QString& text) {
    SpreadCell* cell = CellAt(col, row);
    if (!cell) return;
    cell->SetText(text);
    cell->Touch();
    if (cell->kind() == SpreadCell::Kind::Corner && cornerButton_) cornerButton_->update();
}

int Spread::CellValue(int col, int row) const {
    const SpreadCell* cell = CellAt(col, row);
    if (!cell) return 0;
    if (!cell->IsHeader() && cell->fmt.type == SpreadCellType::CheckBox) return cell->Checked();
    return int(RoundHalfAway(Val(cell->Text())));
}

void Spread::SetCellValue(int col, int row, int value) {
    SpreadCell* cell = CellAt(col, row);
    if (!cell) return;
    if (!cell->IsHeader() && cell->fmt.type == SpreadCellType::CheckBox) {
        cell->SetChecked(value != 0);
        cell->Touch();
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
        for (int c = qMax(1, range.c1); c <= range.c2; ++c)
            if (SpreadCell* cell = CellAt(c, r)) {
                cell->Clear();
                cell->Touch();
            }
}

// ---------------------------------------------------------------- selection

void Spread::SetSelection(int col, int row, int col2, int row2) {
    const Range range = MakeRange(col, row, col2, row2, true, false);
    const int c1 = qMax(1, range.c1), r1 = qMax(1, range.r1);
    if (c1 > range.c2 || r1 > range.r2) return;
    const QModelIndex topLeft = model()->index(r1 - 1, c1 - 1);
    const QModelIndex bottomRight = model()->index(range.r2 - 1, range.c2 - 1);
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

SpreadCell* Spread::TakeCell(int col, int row) {
    return static_cast<SpreadCell*>(col == 0 ? takeVerticalHeaderItem(row - 1) : takeItem(row - 1, col - 1));
}

void Spread::PutCell(int col, int row, SpreadCell* cell) {
    if (col == 0)
        setVerticalHeaderItem(row - 1, cell);
    else
        setItem(row - 1, col - 1, cell);
}

// order[i] is the row (as numbered before the move) that ends up at row r1 + i.
void Spread::PermuteRows(int c1, int c2, int r1, const std::vector<int>& order) {
    std::vector<SpreadCell*> taken(order.size());
    for (int c = c1; c <= c2; ++c) {
        for (size_t i = 0; i < order.size(); ++i) taken[i] = TakeCell(c, r1 + int(i));
        for (size_t i = 0; i < order.size(); ++i) PutCell(c, r1 + int(i), taken[order[i] - r1]);
    }
    if (c1 <= 1 && c2 >= MaxCols()) {
        std::vector<SpreadSettings> settings(order.size());
        for (size_t i = 0; i < order.size(); ++i) settings[i] = rowSettings_[order[i]];
        for (size_t i = 0; i < order.size(); ++i) rowSettings_[r1 + i] = std::move(settings[i]);
    }
    RenumberHeaders();
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

// Negative when a sorts before b. Empty cells sort after every filled one in either direction.
int CompareForSort(const SpreadCell* a, const SpreadCell* b, SpreadSortOrder order) {
    auto empty = [](const SpreadCell* cell) {
        return !cell || (cell->fmt.type != SpreadCellType::CheckBox && cell->Text().trimmed().isEmpty());
    };
    const bool ea = empty(a), eb = empty(b);
    if (ea || eb) return ea == eb ? 0 : (ea ? 1 : -1);
    int cmp;
    if (a->IsNumeric() && b->IsNumeric()) {
        auto number = [](const SpreadCell* cell) {
            return cell->fmt.type == SpreadCellType::CheckBox ? double(cell->Checked()) : Val(cell->Text());
        };
        const double x = number(a), y = number(b);
        cmp = x < y ? -1 : (x > y ? 1 : 0);
    } else {
        cmp = QString::compare(a->Text().trimmed(), b->Text().trimmed(), Qt::CaseInsensitive);
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
    std::vector<int> order;
    for (int r = r1; r <= range.r2; ++r) order.push_back(r);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        for (const auto& key : keys) {
            const int cmp = CompareForSort(CellAt(key.first, a), CellAt(key.first, b), key.second);
            if (cmp != 0) return cmp < 0;
        }
        return false;
    });
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
    if (on) RefreshView();
}

}  // namespace dc
