#include "records/MailingLabels.h"

#include <cmath>

#include "platform/PrinterPage.h"
#include "platform/Val.h"

namespace dc {
namespace {

// "City, State  Zip", or empty when all three are empty.
QString CityLine(const PlayerRec& p) {
    if (p.CITY.trimmed().isEmpty() && p.STATE.trimmed().isEmpty() && p.ZIP.trimmed().isEmpty())
        return QString();
    return p.CITY + ", " + p.STATE + "  " + p.ZIP;
}

constexpr int kLabelRowsPerSheet = 10;
constexpr double kLabelTop = 864;     // y of the first line of the first row, twips
constexpr double kLabelPitch = 1440;  // from one label row to the next
constexpr double kLabelGap = 144;     // twips kept free before the next label

// x of each label column for 2 or 3 across, twips.
std::vector<double> LabelColumnsX(int across) {
    return across == 2 ? std::vector<double>{432, 6480} : std::vector<double>{432, 4680, 8640};
}

}  // namespace

LabelText LabelLines(const PlayerRec& p) {
    LabelText lines;
    lines[0] = p.SALUTATION + " " + p.FIRST_NAME + " " + p.LAST_NAME;
    lines[1] = p.ADDRESS1;
    if (!p.ADDRESS2.trimmed().isEmpty()) {
        lines[2] = p.ADDRESS2;
        lines[3] = CityLine(p);
    } else {
        lines[2] = CityLine(p);
    }
    return lines;
}

void PrintLabels(PrinterPage& page, const std::vector<LabelText>& labels, const LabelPrintSetup& setup) {
    if (labels.empty()) return;
    const int across = setup.across == 2 ? 2 : 3;
    const std::vector<double> xs = LabelColumnsX(across);
    const double xo = setup.xOffsetInches * 1440, yo = setup.yOffsetInches * 1440;

    page.SetOrientation(kPortrait);
    page.SetScaleMode(kScaleTwips);
    for (int i = 0; i < page.FontCount(); ++i) {
        if (page.Fonts(i) == setup.fontName) {
            page.SetFontName(setup.fontName);
            break;
        }
    }
    page.SetFontBold(setup.bold);
    page.SetFontSize(12);

    const int count = static_cast<int>(labels.size());
    const int rows = (count + across - 1) / across;
    const double size = page.FontSize(), lineHeight = page.TextHeight();
    for (int r = 1; r <= rows; ++r) {
        // Each sheet starts its rows at the top again.
        const double top = kLabelTop + ((r - 1) % kLabelRowsPerSheet) * kLabelPitch - yo;
        for (int c = 1; c <= across; ++c) {
            const int k = (r - 1) * across + (c - 1);
            if (k >= count) break;
            // A label whose lines do not fit before the next label is printed smaller, whole.
            const double x = xs[c - 1] - xo;
            const double width = (c < across ? xs[c] - kLabelGap - xo : page.ScaleWidth()) - x;
            QStringList lines;
            for (int line = 0; line < 4; ++line) lines << labels[k][line].trimmed();
            page.SetFontSize(page.SizeToFit(lines, width));
            for (int line = 0; line < 4; ++line) {
                page.SetCurrentX(x);
                page.SetCurrentY(top + line * lineHeight);
                page.PrintFitted(lines[line], width);
            }
            page.SetFontSize(size);
        }
        if (r % kLabelRowsPerSheet == 0 && r < rows) page.NewPage();
    }
    page.EndDoc();  // every sheet in one job
}

double OffsetValue(const QString& text) {
    QString number;
    bool point = false;
    for (QChar c : text.trimmed()) {
        if (c.isDigit()) {
            number += c;
        } else if (c == '.' && !point) {
            point = true;
            number += c;
        } else {
            break;
        }
    }
    return Val(number);
}

bool OffsetInRange(double inches) { return std::isfinite(inches) && std::fabs(inches) <= kMaxOffsetInches; }

QString OffsetBoxText(double inches) {
    QString text = FixedText(inches, 3);
    if (text.startsWith("0."))
        text.remove(0, 1);
    else if (text.startsWith("-0."))
        text.remove(1, 1);
    return text;
}

QString OffsetSqlText(double inches) { return FixedText(inches, 3); }

}  // namespace dc
