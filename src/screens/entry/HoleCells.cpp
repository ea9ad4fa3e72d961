#include "entry/HoleCells.h"

#include <algorithm>
#include <climits>

#include "platform/Val.h"

namespace dc {

HoleFigure HoleFigureOf(const QString& cellText) {
    const QString t = cellText.trimmed();
    if (t.isEmpty()) return kEmptyHole;
    return static_cast<int>(std::clamp(Val(t), double(INT_MIN), double(INT_MAX)));
}

QString HoleFigureText(HoleFigure figure) { return figure ? QString::number(*figure) : QString(); }

}  // namespace dc
