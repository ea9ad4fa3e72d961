#include "shell/GridFit.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>

#include "platform/Spread.h"

namespace dc {

GridFit::GridFit(Spread& grid, int stretchCol, int minimumTwips)
    : QObject(&grid), grid_(grid), col_(stretchCol), minimumTwips_(minimumTwips) {
    grid.viewport()->installEventFilter(this);
    // A column widened for a longer text (the stretch column too), or narrowed: fit again.
    connect(grid.horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (!applying_) Apply();
    });
    // The visible width can also change without a resize of its own (margins, scroll bars).
    connect(grid.horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        if (max > 0 && !applying_) Apply();
    });
}

void GridFit::SetStretchColumn(int col, int minimumTwips) {
    col_ = col;
    minimumTwips_ = minimumTwips;
    Apply();
}

void GridFit::Apply() {
    int others = 0;
    for (int c = 1; c <= grid_.MaxCols(); ++c)
        if (c != col_ && !grid_.isColumnHidden(c - 1)) others += grid_.columnWidth(c - 1);
    // Set on the view itself: the grid would widen a column set in twips to its longest text.
    const int least = minimumTwips_ / Spread::kTwipsPerPixel;
    applying_ = true;
    grid_.setColumnWidth(col_ - 1, std::max(least, grid_.viewport()->width() - others));
    applying_ = false;
}

bool GridFit::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        Apply();
    } else if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = grid_.indexAt(help->pos());
        const QString text = index.data().toString();
        const bool cut = index.isValid() &&
                         grid_.fontMetrics().horizontalAdvance(text) + 4 > grid_.columnWidth(index.column());
        if (cut)
            QToolTip::showText(help->globalPos(), text, grid_.viewport(), grid_.visualRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return false;
}

}  // namespace dc
