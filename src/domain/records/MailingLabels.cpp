#include "records/MailingLabels.h"

#include <QRectF>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "platform/NameForms.h"
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

LabelText LabelLines(const PlayerRec& p, const QString& name) {
    LabelText lines;
    lines[0] = p.SALUTATION + " " + (name.isEmpty() ? p.FIRST_NAME + " " + p.LAST_NAME : name);
    lines.surname = p.LAST_NAME.simplified();
    lines[1] = p.ADDRESS1;
    if (!p.ADDRESS2.trimmed().isEmpty()) {
        lines[2] = p.ADDRESS2;
        lines[3] = CityLine(p);
    } else {
        lines[2] = CityLine(p);
    }
    return lines;
}

std::vector<LabelText> LabelsOf(const std::vector<PlayerRec>& players) {
    std::vector<PersonName> people;
    for (const PlayerRec& p : players) people.push_back({p.FIRST_NAME, p.MI, p.LAST_NAME});
    const QStringList names = ListedNames(people);
    std::vector<LabelText> labels;
    for (size_t i = 0; i < players.size(); ++i)
        labels.push_back(LabelLines(players[i], names.value(qsizetype(i))));
    return labels;
}

namespace {

// One line of a label as it goes on the page: twips from the paper's top-left corner.
struct PlacedLine {
    int sheet = 0, row = 0, column = 0;  // row of the sheet, from 1
    bool lastColumn = false;
    double x = 0, y = 0, width = 0, textWidth = 0, height = 0, fontSize = 0;
    QString text;
    bool name = false;  // the first line: fitted as a name
};

// The printable area in twips from the paper's corner, for a page in twips.
QRectF PrintableArea(const PrinterPage& page) {
    return QRectF(page.PhysicalOffsetX() * page.TwipsPerPixelX(),
                  page.PhysicalOffsetY() * page.TwipsPerPixelY(), page.ScaleWidth(), page.ScaleHeight());
}

void SetUpLabelPage(PrinterPage& page, const LabelPrintSetup& setup) {
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
}

// Every non-empty line of every label, placed; the page is set up for the labels.
std::vector<PlacedLine> PlaceLabels(PrinterPage& page, const std::vector<LabelText>& labels,
                                    const LabelPrintSetup& setup) {
    std::vector<PlacedLine> placed;
    SetUpLabelPage(page, setup);
    const int across = setup.across == 2 ? 2 : 3;
    const std::vector<double> xs = LabelColumnsX(across);
    const double xo = setup.xOffsetInches * kTwipsPerInch, yo = setup.yOffsetInches * kTwipsPerInch;
    const QRectF area = PrintableArea(page);
    const double size = page.FontSize(), lineHeight = page.TextHeight();
    const int count = static_cast<int>(labels.size());
    for (int k = 0; k < count; ++k) {
        const int r = k / across + 1, c = k % across + 1;
        const int row = (r - 1) % kLabelRowsPerSheet + 1;
        const double top = kLabelTop + (row - 1) * kLabelPitch - yo;
        // A label whose address lines do not fit before the next label (or the printable edge) is
        // smaller; its name fits itself at that size.
        const double x = xs[c - 1] - xo;
        const double width = std::max(0.0, (c < across ? xs[c] - kLabelGap - xo : area.right()) - x);
        QStringList lines;
        for (int line = 0; line < 4; ++line) lines << labels[k][line].trimmed();
        page.SetFontSize(page.SizeToFit(lines.mid(1), width));
        for (int line = 0; line < 4; ++line) {
            if (lines[line].isEmpty()) continue;
            PlacedLine p;
            p.sheet = (r - 1) / kLabelRowsPerSheet;
            p.row = row;
            p.column = c;
            p.lastColumn = c == across;
            p.x = x;
            p.y = top + line * lineHeight;
            p.width = width;
            p.textWidth = std::min(width, page.TextWidth(lines[line]));
            p.height = page.TextHeight();
            p.fontSize = page.FontSize();
            p.text = lines[line];
            p.name = line == 0;
            placed.push_back(p);
        }
        page.SetFontSize(size);
    }
    return placed;
}

}  // namespace

void PrintLabels(PrinterPage& page, const std::vector<LabelText>& labels, const LabelPrintSetup& setup) {
    if (labels.empty()) return;
    const std::vector<PlacedLine> placed = PlaceLabels(page, labels, setup);
    const QPointF corner = PrintableArea(page).topLeft();
    const double size = page.FontSize();
    NameSet names;
    for (const LabelText& label : labels) names.Add(label[0], label.surname);
    page.KeepNamesApart(names);
    int sheet = 0;
    for (const PlacedLine& line : placed) {
        for (; sheet < line.sheet; ++sheet) page.NewPage();
        page.SetFontSize(line.fontSize);
        page.SetCurrentX(line.x - corner.x());
        page.SetCurrentY(line.y - corner.y());
        page.PrintFitted(line.text, line.width, line.name ? PrinterPage::Fit::Name : PrinterPage::Fit::Text);
    }
    page.SetFontSize(size);
    page.EndDoc();  // every sheet in one job
}

LabelAreaCheck CheckLabelArea(PrinterPage& page, const std::vector<LabelText>& labels,
                              const LabelPrintSetup& setup) {
    LabelAreaCheck check;
    const QRectF area = PrintableArea(page);
    check.leftInches = area.left() / kTwipsPerInch;
    check.topInches = area.top() / kTwipsPerInch;
    check.rightInches = area.right() / kTwipsPerInch;
    check.bottomInches = area.bottom() / kTwipsPerInch;
    const std::vector<PlacedLine> placed = PlaceLabels(page, labels, setup);
    if (placed.empty()) {
        check.canFit = true;
        return check;
    }
    constexpr double kTolerance = 1;  // twips
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (const PlacedLine& p : placed) {
        // The last column is fitted to the printable edge wherever the offsets put it.
        const double end = p.lastColumn ? p.x : p.x + p.textWidth;
        left = std::min(left, p.x);
        right = std::max(right, end);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y + p.height);
        if (p.x < area.left() - kTolerance || end > area.right() + kTolerance)
            check.columns.push_back(p.column);
        if (p.y < area.top() - kTolerance || p.y + p.height > area.bottom() + kTolerance)
            check.rows.push_back(p.row);
    }
    for (std::vector<int>* list : {&check.rows, &check.columns}) {
        std::sort(list->begin(), list->end());
        list->erase(std::unique(list->begin(), list->end()), list->end());
    }
    const bool x = NearestOffset(right - area.right(), left - area.left(), setup.xOffsetInches, check.xOffset);
    const bool y = NearestOffset(bottom - area.bottom(), top - area.top(), setup.yOffsetInches, check.yOffset);
    check.canFit = x && y;
    return check;
}

bool NearestOffset(double least, double most, double offsetInches, double& result) {
    const double lo = std::ceil((offsetInches + least / kTwipsPerInch) * 1000 - 1e-6) / 1000;
    const double hi = std::floor((offsetInches + most / kTwipsPerInch) * 1000 + 1e-6) / 1000;
    if (lo > hi) return false;
    result = std::clamp(offsetInches, lo, hi);
    return true;
}

double OffsetValue(const QString& text) {
    QString number;
    bool point = false;
    QString rest = text.trimmed();
    if (rest.startsWith('-')) {
        number = "-";
        rest.remove(0, 1);
    }
    for (QChar c : rest) {
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
