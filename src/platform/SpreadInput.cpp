// What the user does to the grid: moves of the active cell (LeaveCell, Tab and Advance), typing
// (KeyPress, edits that raise Change), clicks on cells, check boxes and headers, block selection,
// focus and copying to the clipboard.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTimer>
#include <utility>

#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "platform/SpreadDelegate.h"
#include "platform/SpreadModel.h"

namespace dc {

namespace {
enum BlockSource { kFromCells, kFromColHeader, kFromRowHeader };
}

// ---------------------------------------------------------------- moves of the active cell

bool Spread::ApproveMove(const QModelIndex& to) {
    if (moveGuard_ || !to.isValid()) return true;
    const QModelIndex from = currentIndex();
    if (!from.isValid() || from == to) return true;
    if (approved_.isValid() && approved_ == to) {
        approved_ = QPersistentModelIndex();
        return true;
    }
    return AskLeaveCell(from, to);
}

// Raises LeaveCell for a move the user asked for; false when the move must not happen (cancelled,
// or replaced by a SetActiveCell of the handler, which has then been made).
bool Spread::AskLeaveCell(const QModelIndex& from, const QModelIndex& to) {
    if (inLeaveCell_) return true;
    if (!CheckEdit()) return false;  // a number the cell cannot take keeps the cursor there
    const QPersistentModelIndex target(to);
    CommitEdit();  // the handler sees the text just typed
    bool cancel = false;
    inLeaveCell_ = true;
    redirect_.reset();
    Q_EMIT LeaveCell(from.column() + 1, from.row() + 1, target.column() + 1, target.row() + 1, cancel);
    inLeaveCell_ = false;
    if (redirect_) {
        const QModelIndex redirect = *redirect_;
        redirect_.reset();
        MoveCurrent(redirect);
        return false;
    }
    return !cancel && target.isValid();
}

void Spread::MoveCurrent(const QModelIndex& to) {
    if (!to.isValid()) return;
    moveGuard_ = true;
    selectionModel()->setCurrentIndex(to, QItemSelectionModel::ClearAndSelect);
    moveGuard_ = false;
    scrollTo(to);
}

void Spread::CommitEdit() {
    if (QWidget* editor = editor_) {
        editor_ = nullptr;
        committing_ = true;  // a Change handler may open a message box
        commitData(editor);
        committing_ = false;
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

bool Spread::CommitEditOrRefuse() {
    if (IsEditing() && !CheckEdit()) return false;
    CommitEdit();
    return true;
}

bool Spread::CanVisit(int col, int row) const {
    const auto cell = CellAt(col, row);
    return cell && !isColumnHidden(col - 1) && !isRowHidden(row - 1) && !(cell->fmt.locked && Protect());
}

// Tab and Shift+Tab: the next (previous) cell in reading order that is visible and not locked,
// wrapping from row to row; past the last (first) one the grid raises Advance. A grid whose
// Advance nobody handles passes the focus on instead.
void Spread::TabMove(bool next) {
    const int cols = MaxCols(), rows = MaxRows();
    const QModelIndex current = currentIndex();
    int c = current.isValid() ? current.column() + 1 : (next ? 0 : cols + 1);
    int r = current.isValid() ? current.row() + 1 : (next ? 1 : rows);
    bool found = false;
    while (cols > 0 && rows > 0) {
        if (next) {
            if (++c > cols) c = 1, ++r;
            if (r > rows) break;
        } else {
            if (--c < 1) c = cols, --r;
            if (r < 1) break;
        }
        if (CanVisit(c, r)) {
            found = true;
            break;
        }
    }
    if (found) {
        selectionModel()->setCurrentIndex(IndexOf(c, r), QItemSelectionModel::ClearAndSelect);
        return;
    }
    CommitEdit();
    if (isSignalConnected(QMetaMethod::fromSignal(&Spread::Advance)))
        Q_EMIT Advance(next);
    else
        QWidget::focusNextPrevChild(next);
}

// Qt also asks for the next focus when a focused editor is hidden (its column or row hidden by
// code); only the Tab key moves the active cell, anything else passes the focus on as a widget does.
bool Spread::focusNextPrevChild(bool next) {
    if (tabKey_ && tabKeyNavigation() && isVisible() && isEnabled()) {
        TabMove(next);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

bool Spread::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            const bool wasTab = std::exchange(tabKey_, true);
            const bool handled = QTableView::event(event);
            tabKey_ = wasTab;
            return handled;
        }
    }
    return QTableView::event(event);
}

void Spread::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == editor_) editor_ = nullptr;
    if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        TabMove(hint == QAbstractItemDelegate::EditNextItem);
        return;
    }
    QTableView::closeEditor(editor, hint);
}

bool Spread::Contains(const QWidget* widget) const {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w == this) return true;
    return false;
}

// Focus coming in raises GotFocus; focus going to another control of the program raises
// LeaveCell with the new cell -1, -1 (after the edit in progress has been stored).
void Spread::OnFocusChanged(QWidget* old, QWidget* now) {
    const bool wasIn = Contains(old), isIn = Contains(now);
    if (!wasIn && isIn) {
        Q_EMIT GotFocus();
    } else if (wasIn && !isIn && now) {
        const QModelIndex current = currentIndex();
        if (!current.isValid() || inLeaveCell_ || committing_ || refusing_) return;
        CommitEdit();
        if (EventsMuted()) return;
        bool cancel = false;
        inLeaveCell_ = true;
        Q_EMIT LeaveCell(current.column() + 1, current.row() + 1, -1, -1, cancel);
        inLeaveCell_ = false;
        if (redirect_) {
            const QModelIndex redirect = *redirect_;
            redirect_.reset();
            MoveCurrent(redirect);
        }
    }
}

// ---------------------------------------------------------------- edits by the user

void Spread::EditorOpened(QWidget* editor, const QModelIndex& index) {
    editor_ = editor;
    editIndex_ = index;
}

namespace {
std::function<void()>& RefusalSound() {
    static std::function<void()> sound;
    return sound;
}
}  // namespace

void Spread::SetRefusalSound(std::function<void()> sound) { RefusalSound() = std::move(sound); }

QString Spread::RefusalText(const SpreadCellFormat& fmt, const QString& typed) {
    const bool decimal = fmt.type == SpreadCellType::Float;
    if (!decimal && fmt.type != SpreadCellType::Integer) return {};
    if (SpreadDelegate::AcceptedNumber(typed, decimal, fmt.numberMin, fmt.numberMax, fmt.decPlaces))
        return {};
    const QString what = decimal ? QStringLiteral("a number") : QStringLiteral("a whole number");
    const auto number = [](double v) { return QString::number(v, 'g', 12); };
    QString range;
    if (fmt.numberMin && fmt.numberMax)
        range = " from " + number(*fmt.numberMin) + " to " + number(*fmt.numberMax);
    else if (fmt.numberMin)
        range = " of at least " + number(*fmt.numberMin);
    else if (fmt.numberMax)
        range = " of at most " + number(*fmt.numberMax);
    return "\"" + typed.trimmed() + "\" cannot be entered here. Please enter " + what + range +
           ", or leave the cell empty.";
}

void Spread::Refuse(const QString& text, bool later) {
    const auto tell = [this, text] {
        refusing_ = true;
        if (RefusalSound()) RefusalSound()();
        MsgBox(text, vbExclamation);
        refusing_ = false;
    };
    if (later)
        QTimer::singleShot(0, this, tell);
    else
        tell();
}

bool Spread::CheckEdit() {
    auto* line = qobject_cast<QLineEdit*>(editor_.data());
    const auto cell = line ? CellAtIndex(editIndex_) : std::nullopt;
    if (!cell) return true;
    const QString refusal = RefusalText(cell->fmt, line->text());
    if (refusal.isEmpty()) return true;
    Refuse(refusal, false);
    if (editor_) {
        line->setFocus();
        line->selectAll();
    }
    return false;
}

// An edit stored while the grid's window is hidden or the grid is being destroyed raises no event:
// the screen that would handle it may be half gone. A program that is merely not the active one
// still raises them, so that an edit stored then marks the screen as changed.
bool Spread::EventsMuted() const { return destroying_ || window()->isHidden(); }

void Spread::UserSetText(const QModelIndex& index, const QString& text) {
    const auto cell = CellAtIndex(index);
    if (!cell || cell->Text() == text) return;
    const int col = index.column() + 1, row = index.row() + 1;
    model_->SetText(col, row, text);
    CellChanged(col, row);
    FitColumnToCell(col, row);
    if (!EventsMuted()) Q_EMIT Change(col, row);
}

void Spread::UserSetComboSel(const QModelIndex& index, int sel) {
    const auto cell = CellAtIndex(index);
    if (!cell || cell->ComboSel() == sel) return;
    const int col = index.column() + 1, row = index.row() + 1;
    model_->SetComboSel(col, row, sel);
    CellChanged(col, row);
    FitColumnToCell(col, row);
    if (!EventsMuted()) Q_EMIT Change(col, row);
}

void Spread::UserToggle(const QModelIndex& index) {
    const auto cell = CellAtIndex(index);
    if (!cell) return;
    const int col = index.column() + 1, row = index.row() + 1;
    const bool on = !cell->Checked();
    model_->SetChecked(col, row, on);
    CellChanged(col, row);
    Q_EMIT ButtonClicked(col, row, on);
    Q_EMIT Change(index.column() + 1, index.row() + 1);
}

void Spread::SetEditSelStart(int start) {
    editSelStart_ = qMax(0, start);
    if (auto* line = qobject_cast<QLineEdit*>(editor_.data())) line->setCursorPosition(editSelStart_);
}

void Spread::SetEditSelLength(int length) {
    editSelLength_ = qMax(0, length);
    if (editSelStart_ < 0) editSelStart_ = 0;
    if (auto* line = qobject_cast<QLineEdit*>(editor_.data())) {
        line->setSelection(editSelStart_, editSelLength_);
        editSelStart_ = -1;
    }
}

void Spread::ApplyPendingEditSel(QWidget* editor) {
    if (editSelStart_ < 0) return;
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setSelection(editSelStart_, editSelLength_);
    editSelStart_ = -1;
}

// Passes a typed character through KeyPress. Returns true when the key was dropped or replaced
// (the replacement has then been delivered to `target`, or to the grid when target is null).
bool Spread::FilterKey(QWidget* target, QKeyEvent* event) {
    const QString text = event->text();
    if (text.size() != 1 || !text[0].isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const int original = text[0].unicode();
    int code = original;
    Q_EMIT KeyPress(code);
    if (code == original) return false;
    event->accept();
    if (code <= 0) return true;
    const QChar replaced(code);
    QKeyEvent replacement(QEvent::KeyPress, replaced.toUpper().unicode(), event->modifiers(),
                          QString(replaced), event->isAutoRepeat());
    keyFiltered_ = true;
    if (target)
        QCoreApplication::sendEvent(target, &replacement);
    else
        QTableView::keyPressEvent(&replacement);
    keyFiltered_ = false;
    return true;
}

void Spread::CopySelection() const {
    const QModelIndexList indexes = selectionModel()->selectedIndexes();
    if (indexes.isEmpty()) return;
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (const QModelIndex& index : indexes) {
        top = qMin(top, index.row());
        bottom = qMax(bottom, index.row());
        left = qMin(left, index.column());
        right = qMax(right, index.column());
    }
    QStringList lines;
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c) {
            const QModelIndex index = model()->index(r, c);
            cells << (selectionModel()->isSelected(index) ? CellText(c + 1, r + 1) : QString());
        }
        lines << cells.join(QChar('\t'));
    }
    QGuiApplication::clipboard()->setText(lines.join(QChar('\n')) + QChar('\n'));
}

void Spread::keyPressEvent(QKeyEvent* event) {
    headerPress_ = false;  // a header press whose release never came
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        event->accept();
        return;
    }
    const QModelIndex current = currentIndex();
    const auto cell = CellAtIndex(current);
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Enter on a cell one can type into moves on as Tab does; elsewhere it is the window's.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
        (enter && state() != EditingState && IsEditable(cell))) {
        TabMove(enter || (event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier)));
        event->accept();
        return;
    }
    if (cell && state() != EditingState && IsEditable(cell)) {
        const SpreadCellType type = cell->fmt.type;
        if (type == SpreadCellType::CheckBox && event->key() == Qt::Key_Space) {
            UserToggle(current);
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Delete && type != SpreadCellType::CheckBox) {
            if (type == SpreadCellType::ComboBox)
                UserSetComboSel(current, -1);
            else
                UserSetText(current, QString());
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_Backspace && type != SpreadCellType::CheckBox &&
            type != SpreadCellType::ComboBox) {
            // Backspace starts editing and takes effect in the editor, like any typed key.
            if (edit(current, AllEditTriggers, nullptr) && editor_)
                QCoreApplication::sendEvent(editor_, event);
            event->accept();
            return;
        }
    }
    if (!keyFiltered_ && !event->text().isEmpty()) {
        if (FilterKey(nullptr, event)) return;
        keyFiltered_ = true;
        QTableView::keyPressEvent(event);
        keyFiltered_ = false;
        return;
    }
    QTableView::keyPressEvent(event);
}

// ---------------------------------------------------------------- mouse

void Spread::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    pressIndex_ = QPersistentModelIndex();
    pressRefused_ = false;
    headerPress_ = false;
    if (index.isValid() && !moveGuard_) {
        const QModelIndex current = currentIndex();
        if (current.isValid() && index != current) {
            if (!AskLeaveCell(current, index)) {
                pressRefused_ = true;
                event->accept();
                return;
            }
            approved_ = QPersistentModelIndex(index);
        }
        if (event->button() == Qt::LeftButton) pressIndex_ = QPersistentModelIndex(index);
    }
    QTableView::mousePressEvent(event);
    approved_ = QPersistentModelIndex();
}

// A drag with the button down selects a block from the cell pressed; the active cell stays there.
void Spread::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        QTableView::mouseMoveEvent(event);
        return;
    }
    if (pressRefused_) {
        event->accept();
        return;
    }
    dragSelecting_ = true;
    QTableView::mouseMoveEvent(event);
    dragSelecting_ = false;
}

void Spread::mouseReleaseEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    const QPersistentModelIndex pressed = pressIndex_;
    pressIndex_ = QPersistentModelIndex();
    pressRefused_ = false;
    QTableView::mouseReleaseEvent(event);
    if (!pressed.isValid() || event->button() != Qt::LeftButton) return;
    if (index == pressed) {
        const auto cell = CellAtIndex(index);
        if (cell && IsEditable(cell)) {
            if (cell->fmt.type == SpreadCellType::CheckBox)
                UserToggle(index);
            else if (cell->fmt.type == SpreadCellType::ComboBox && state() != EditingState)
                edit(index);
        }
        Q_EMIT Click(index.column() + 1, index.row() + 1);
    } else {
        EmitBlockSelected(kFromCells);
    }
}

void Spread::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    pressIndex_ = QPersistentModelIndex();
    QTableView::mouseDoubleClickEvent(event);
    if (index.isValid()) Q_EMIT DblClick(index.column() + 1, index.row() + 1);
}

void Spread::EmitBlockSelected(int source) {
    const QItemSelection ranges = selectionModel()->selection();
    if (ranges.isEmpty()) return;
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (const QItemSelectionRange& range : ranges) {
        top = qMin(top, range.top());
        bottom = qMax(bottom, range.bottom());
        left = qMin(left, range.left());
        right = qMax(right, range.right());
    }
    int c1 = left + 1, c2 = right + 1, r1 = top + 1, r2 = bottom + 1;
    if (source == kFromRowHeader) c1 = c2 = -1;
    if (source == kFromColHeader) r1 = r2 = -1;
    Q_EMIT BlockSelected(c1, r1, c2, r2);
}

void Spread::PaintCorner(QWidget* corner) {
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.state = QStyle::State_None;
    if (corner->isEnabled()) option.state |= QStyle::State_Enabled;
    if (corner->isActiveWindow()) option.state |= QStyle::State_Active;
    option.rect = corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = CellText(0, 0);
    option.textAlignment = Qt::AlignCenter;
    QPainter painter(corner);
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}

bool Spread::eventFilter(QObject* object, QEvent* event) {
    const bool onHeader = object == horizontalHeader()->viewport() || object == verticalHeader()->viewport();
    if (onHeader && event->type() == QEvent::MouseButtonPress) headerPress_ = true;
    if (event->type() == QEvent::MouseButtonRelease) {
        if (onHeader) headerPress_ = false;
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (object == horizontalHeader()->viewport() && horizontalHeader()->logicalIndexAt(pos) >= 0)
            EmitBlockSelected(kFromColHeader);
        if (object == verticalHeader()->viewport() && verticalHeader()->logicalIndexAt(pos) >= 0)
            EmitBlockSelected(kFromRowHeader);
    }
    if (object == cornerButton_ && event->type() == QEvent::Paint) {
        PaintCorner(cornerButton_);
        return true;
    }
    return QTableView::eventFilter(object, event);
}

}  // namespace dc
