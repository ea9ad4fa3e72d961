#include "platform/HeaderFit.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace dc {

namespace {

double Width(const QFont& font, QPaintDevice* device, const QString& text) {
    return QFontMetricsF(font, device).horizontalAdvance(text);
}

// Greedy lines of the header's fields (apart by three blanks); a field wider than a line is broken
// at its blanks, and a word wider than a line stands on a line of its own.
QStringList Wrap(const QString& text, const QFont& font, QPaintDevice* device, double width) {
    const QString gap = QStringLiteral("   ");
    QStringList pieces;  // fields, or the words of a field too wide, with what joins each to the last
    QStringList joins;
    for (const QString& field : text.split(gap, Qt::SkipEmptyParts)) {
        const QString trimmed = field.trimmed();
        if (trimmed.isEmpty()) continue;
        if (Width(font, device, trimmed) <= width) {
            pieces << trimmed;
            joins << gap;
            continue;
        }
        bool first = true;
        for (const QString& word : trimmed.split(u' ', Qt::SkipEmptyParts)) {
            pieces << word;
            joins << (first ? gap : QStringLiteral(" "));
            first = false;
        }
    }
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        const QString longer = line.isEmpty() ? pieces[i] : line + joins[i] + pieces[i];
        if (!line.isEmpty() && Width(font, device, longer) > width) {
            lines << line;
            line = pieces[i];
        } else {
            line = longer;
        }
    }
    if (!line.isEmpty()) lines << line;
    return lines;
}

}  // namespace

FittedHeader FitHeader(const QStringList& forms, const QFont& font, double width, QPaintDevice* device,
                       double leastPoints) {
    FittedHeader fitted{{}, font};
    if (forms.isEmpty()) return fitted;
    for (const QString& form : forms)
        if (Width(font, device, form) <= width) {
            fitted.lines = {form};
            return fitted;
        }
    const QString shortest = forms.last();
    const double size = font.pointSizeF() > 0 ? font.pointSizeF() : 10;
    const double least = std::min(size, leastPoints);
    // Widths grow with the size: start from the proportional size, then step down a quarter point.
    double fit = std::max(least, std::floor(size * width / Width(font, device, shortest) * 4) / 4);
    fitted.font.setPointSizeF(fit);
    while (fit > least && Width(fitted.font, device, shortest) > width) {
        fit = std::max(least, fit - 0.25);
        fitted.font.setPointSizeF(fit);
    }
    fitted.lines = Width(fitted.font, device, shortest) <= width ? QStringList{shortest}
                                                                 : Wrap(shortest, fitted.font, device, width);
    return fitted;
}

}  // namespace dc
