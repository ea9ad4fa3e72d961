#include "platform/SpreadDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "platform/Spread.h"

namespace dc {

namespace {

QLocale NumberLocale() {
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::RejectGroupSeparator | QLocale::OmitGroupSeparator);
    return locale;
}

Qt::Alignment EditorAlignment(SpreadHAlign align) {
    switch (align) {
        case SpreadHAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case SpreadHAlign::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

}  // namespace

SpreadDelegate::SpreadDelegate(Spread* spread) : QStyledItemDelegate(spread), spread_(spread) {}

std::optional<QString> SpreadDelegate::AcceptedNumber(const QString& typed, bool decimal,
                                                      std::optional<double> min, std::optional<double> max,
                                                      int decPlaces) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) return QString();
    const QLocale locale = NumberLocale();
    bool ok = false;
    double value = 0;
    if (decimal) {
        value = locale.toDouble(text, &ok);
        if (ok && !std::isfinite(value)) ok = false;
    } else {
        value = double(locale.toLongLong(text, &ok));
    }
    if (!ok) return std::nullopt;
    if ((min && value < *min) || (max && value > *max)) return std::nullopt;
    // More decimals than the cell keeps are refused rather than silently rounded away.
    const double scale = std::pow(10.0, decPlaces);
    if (decimal && std::abs(std::round(value * scale) - value * scale) > 1e-6) return std::nullopt;
    return decimal ? QString::number(value, 'f', decPlaces) : QString::number(qlonglong(value));
}

QWidget* SpreadDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
    const auto cell = spread_->CellAtIndex(index);
    if (!cell || !spread_->IsEditable(cell)) return nullptr;
    const SpreadCellFormat& fmt = cell->fmt;
    switch (fmt.type) {
        case SpreadCellType::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->addItems(fmt.comboList);
            // The list opens as wide as its longest entry, however narrow the cell.
            combo->view()->setMinimumWidth(combo->view()->sizeHintForColumn(0) +
                                           combo->view()->verticalScrollBar()->sizeHint().width() +
                                           2 * combo->view()->frameWidth());
            // A choice from the list is stored at once, as the grid's own list cells do.
            connect(combo, &QComboBox::activated, this, [this, combo] {
                Q_EMIT const_cast<SpreadDelegate*>(this)->commitData(combo);
                Q_EMIT const_cast<SpreadDelegate*>(this)->closeEditor(combo);
            });
            QTimer::singleShot(0, combo, [combo] {
                if (combo->isVisible()) combo->showPopup();
            });
            spread_->EditorOpened(combo, index);
            return combo;
        }
        case SpreadCellType::Edit:
        case SpreadCellType::Integer:
        case SpreadCellType::Float: {
            auto* line = new QLineEdit(parent);
            line->setFrame(false);
            line->setAlignment(EditorAlignment(fmt.hAlign));
            if (fmt.maxEditLen > 0) line->setMaxLength(fmt.maxEditLen);
            // Numbers are checked when the edit is stored, with a message for what cannot be taken
            // (a validator would drop keys without a word, or change "18,50" into "1850").
            spread_->EditorOpened(line, index);
            return line;
        }
        default:
            return nullptr;
    }
    Q_UNUSED(option);
}

void SpreadDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const auto cell = spread_->CellAtIndex(index);
    if (!cell) return;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(cell->ComboSel());
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        if (line->text() != cell->Text()) line->setText(cell->Text());
    }
}

void SpreadDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    const auto cell = spread_->CellAtIndex(index);
    if (!cell) return;
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        spread_->UserSetComboSel(index, combo->currentIndex());
        return;
    }
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line) return;
    QString text = line->text();
    const SpreadCellFormat& fmt = cell->fmt;
    if (fmt.type == SpreadCellType::Integer || fmt.type == SpreadCellType::Float) {
        const auto accepted = AcceptedNumber(text, fmt.type == SpreadCellType::Float, fmt.numberMin,
                                             fmt.numberMax, fmt.decPlaces);
        if (!accepted) {  // the cell keeps what it had, and the user is told
            spread_->Refuse(Spread::RefusalText(fmt, text), true);
            return;
        }
        text = *accepted;
    } else if (fmt.maxEditLen > 0) {
        text.truncate(fmt.maxEditLen);
    }
    spread_->UserSetText(index, text);
}

void SpreadDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
    const auto cell = spread_->CellAtIndex(index);
    if (!cell || cell->fmt.type != SpreadCellType::CheckBox) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text.clear();
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    QStyleOptionButton box;
    const int w = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget);
    const int h = style->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
    const QRect r = option.rect;
    const int x = cell->fmt.checkCenter ? r.x() + (r.width() - w) / 2 : r.x() + 3;
    box.rect = QRect(x, r.y() + (r.height() - h) / 2, w, h);
    box.state = QStyle::State_Enabled | (cell->Checked() ? QStyle::State_On : QStyle::State_Off);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
}

bool SpreadDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        // Another program or window taking the activation leaves the edit open, as it was; the
        // edit is stored when the user comes back and leaves the cell.
        auto* editor = qobject_cast<QWidget*>(object);
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::ActiveWindowFocusReason && editor &&
            !editor->window()->isHidden())
            return false;
        // The focus going to another control closes the edit; a number it cannot take is refused.
        auto* line = qobject_cast<QLineEdit*>(object);
        const bool open = line && line == spread_->editor_;  // not an editor being closed already
        if (const auto cell = open ? spread_->CellAtIndex(spread_->editIndex_) : std::nullopt) {
            const QString refusal = Spread::RefusalText(cell->fmt, line->text());
            // A click on another cell keeps the edit open: the grid refuses that move itself.
            if (!refusal.isEmpty() && QApplication::focusWidget() == spread_) return true;
            if (!refusal.isEmpty()) spread_->Refuse(refusal, true);
        }
    }
    if (event->type() == QEvent::KeyPress) {
        auto* editor = qobject_cast<QWidget*>(object);
        auto* key = static_cast<QKeyEvent*>(event);
        spread_->ApplyPendingEditSel(editor);
        const int k = key->key();
        if ((k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Return || k == Qt::Key_Enter) &&
            !spread_->CheckEdit())
            return true;  // the cursor stays in the cell
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            // Enter stores the cell and moves on, as Tab does (typing 5 Enter 6 Enter on the keypad).
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
            return QStyledItemDelegate::eventFilter(object, &tab);
        }
        if (!spread_->keyFiltered_ && spread_->FilterKey(editor, key)) return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace dc
