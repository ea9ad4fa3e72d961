#include "scorecards/StrokeMarks.h"

#include "platform/Val.h"
#include "scorecards/CourseHcpText.h"

namespace dc {

std::array<QString, 18> StrokeMarks(const QString& hcpText, const QString& holeHcps) {
    std::array<QString, 18> marks;
    const std::optional<int> hcp = HcpTextValue(hcpText);
    if (!hcp) return marks;
    for (int j = 1; j <= 18; ++j) {
        const int h = static_cast<int>(Val(holeHcps.mid(2 * j - 2, 2)));
        if (h <= 0) continue;
        QString& mark = marks[static_cast<size_t>(j - 1)];
        if (*hcp < 0) {
            if (h > 18 + *hcp) mark = "+1";
        } else {
            const int strokes = *hcp / 18 + (h <= *hcp % 18 ? 1 : 0);
            mark = QString(strokes, QLatin1Char('*'));
        }
    }
    return marks;
}

}  // namespace dc
