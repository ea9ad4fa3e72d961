#include "shell/GridFit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolTip>
#include <algorithm>

#include "platform/Spread.h"

namespace dc {

namespace {

constexpr int kTextMargin = 4;  // pixels a cell keeps beside its text

// Shows an item's text as its tooltip when its column cuts it.
class CutTextTips : public QObject {
  public:
    explicit CutTextTips(QAbstractItemView& view) : QObject(view.viewport()), view_(view) {
        view.viewport()->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = view_.indexAt(help->pos());
        const QString text = index.data().toString();
        // A list's item is as wide as its text: what the viewport shows of it is what counts.
        const QRect cell = view_.visualRect(index).intersected(view_.viewport()->rect());
        const bool cut =
            index.isValid() && view_.fontMetrics().horizontalAdvance(text) + kTextMargin > cell.width();
        if (cut)
            QToolTip::showText(help->globalPos(), text, view_.viewport(), cell);
        else if (index.isValid() && !index.data(Qt::ToolTipRole).toString().isEmpty())
            return false;  // the item's own tooltip
        else
            QToolTip::hideText();
        return true;
    }

  private:
    QAbstractItemView& view_;
};

// The drop-down's width follows its entries; the box shows a cut entry as its tooltip.
class ComboFit : public QObject {
  public:
    explicit ComboFit(QComboBox& box) : QObject(&box), box_(box) {
        box.installEventFilter(this);
        // A list filled entry by entry is measured once, after the filling.
        QAbstractItemModel* model = box.model();
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, signal, this, [this] { WidenLater(); });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { WidenLater(); });
        connect(model, &QAbstractItemModel::dataChanged, this, [this] { WidenLater(); });
        Widen();
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::ToolTip) return false;
        const QString text = box_.currentText();
        QStyleOptionComboBox option;
        option.initFrom(&box_);
        option.editable = box_.isEditable();
        const QRect field =
            box_.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &box_);
        if (text.isEmpty() || box_.fontMetrics().horizontalAdvance(text) + kTextMargin <= field.width())
            return false;  // whole: the box's own tooltip, if any
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, &box_);
        return true;
    }

  private:
    void WidenLater() {
        if (pending_) return;
        pending_ = true;
        QMetaObject::invokeMethod(
            this, [this] { Widen(); }, Qt::QueuedConnection);
    }
    void Widen() {
        pending_ = false;
        int widest = 0;
        const QFontMetrics metrics(box_.view()->font());
        for (int i = 0; i < box_.count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(box_.itemText(i)));
        const int scroll = box_.view()->verticalScrollBar()->sizeHint().width();
        int width = widest + 2 * kTextMargin + scroll + 2 * box_.view()->frameWidth() + 8;
        if (const QScreen* screen = box_.screen())
            width = std::min(width, screen->availableGeometry().width());
        box_.view()->setMinimumWidth(width);
    }

    QComboBox& box_;
    bool pending_ = false;
};

}  // namespace

GridFit::GridFit(Spread& grid, int stretchCol, int minimumTwips)
    : QObject(&grid), grid_(grid), stretch_{{stretchCol, minimumTwips}} {
    grid.viewport()->installEventFilter(this);
    ShowCutTextsAsTips(grid);
    // A column widened for a longer text (the stretch column too), or narrowed: fit again.
    connect(grid.horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!applying_) Apply();
    });
    // The visible width can also change without a resize of its own (margins, scroll bars).
    connect(grid.horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        if (max > 0 && !applying_) Apply();
    });
}

void GridFit::SetStretchColumns(std::vector<Stretch> columns) {
    stretch_ = std::move(columns);
    Apply();
}

void GridFit::AddStretchColumn(int col, int minimumTwips) {
    stretch_.push_back({col, minimumTwips});
    Apply();
}

bool GridFit::IsStretch(int col) const {
    return std::any_of(stretch_.begin(), stretch_.end(), [col](const Stretch& s) { return s.col == col; });
}

void GridFit::NarrowOtherColumns() {
    for (int c = 1; c <= grid_.MaxCols(); ++c)
        if (!IsStretch(c) && !grid_.isColumnHidden(c - 1) && grid_.ColWidth(c) > 0)
            grid_.SetColWidth(c, Spread::kTwipsPerPixel);  // widened again to its texts
    Apply();
}

void GridFit::Apply() {
    int others = 0;
    for (int c = 1; c <= grid_.MaxCols(); ++c)
        if (!IsStretch(c) && !grid_.isColumnHidden(c - 1)) others += grid_.columnWidth(c - 1);
    const int room = grid_.viewport()->width() - others;
    // What each stretch column must have, and what its texts need.
    std::vector<int> least, need;
    int leastSum = 0, needSum = 0;
    for (const Stretch& s : stretch_) {
        least.push_back(s.minimumTwips / Spread::kTwipsPerPixel);
        need.push_back(std::max(least.back(), grid_.ColNeedPixels(s.col)));
        leastSum += least.back();
        needSum += need.back();
    }
    // Set on the view itself: the grid would widen a column set in twips to its longest text.
    applying_ = true;
    for (size_t i = 0; i < stretch_.size(); ++i) {
        int width = least[i];
        if (needSum <= room)  // room for every text; the first column takes what is left over
            width = i == 0 ? need[i] + room - needSum : need[i];
        else if (room > leastSum && needSum > leastSum)
            width = least[i] +
                    static_cast<int>(qint64(room - leastSum) * (need[i] - least[i]) / (needSum - leastSum));
        grid_.setColumnWidth(stretch_[i].col - 1, width);
    }
    applying_ = false;
}

bool GridFit::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Resize) Apply();
    return false;
}

void ShowCutTextsAsTips(QAbstractItemView& view) { new CutTextTips(view); }

void FitList(QAbstractItemView& view) {
    view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.setTextElideMode(Qt::ElideRight);
    ShowCutTextsAsTips(view);
}

void FitComboBox(QComboBox& box) {
    if (box.property("dcComboFit").toBool()) return;  // fitted once
    box.setProperty("dcComboFit", true);
    new ComboFit(box);
}

void FitComboBoxes(QWidget& screen) {
    for (QComboBox* box : screen.findChildren<QComboBox*>()) FitComboBox(*box);
}

}  // namespace dc
