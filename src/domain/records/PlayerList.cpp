#include "records/PlayerList.h"

#include "platform/NameForms.h"
#include "platform/PrinterPage.h"

namespace dc {

namespace {
constexpr double kColumnGap = 60;  // twips kept free before the next column
}  // namespace

const std::vector<PlayerListColumn>& PlayerListColumns() {
    static const std::vector<PlayerListColumn> columns = {
        {"Player Name", 2, 700},
        {"M/F", 3, 700 + 1.625 * 1440},
        {"Address", 4, 700 + 2880},
        {"City", 5, 700 + 3.75 * 1440},
        {"St/Prov", 6, 700 + 7200},
        {"Zip", 7, 700 + 5.6 * 1440},
        {"Home Phone", 8, 700 + 6.5 * 1440},
        {"Email", 10, 700 + 7.5 * 1440},
    };
    return columns;
}

void PrintPlayerList(PrinterPage& page, const std::vector<QStringList>& rows, const PrinterOffsets& offsets) {
    const double xo = offsets.x * 1440, yo = offsets.y * 1440;
    const auto& columns = PlayerListColumns();
    page.SetOrientation(kLandscape);
    page.SetScaleMode(kScaleTwips);
    page.SetFontSize(10);

    auto printHeadings = [&] {
        page.SetFontUnderline(true);
        for (const auto& column : columns) {
            page.SetCurrentX(column.x - xo);
            page.SetCurrentY(540 - yo);
            page.Print(column.heading);
        }
        page.SetFontUnderline(false);
        return page.CurrentY();
    };

    double y = printHeadings();
    const double lineHeight = page.TextHeight("Ag");
    // Names that would shorten alike keep longer forms.
    QStringList names;
    for (const QStringList& row : rows) names << row.value(0);
    page.KeepNamesApart(NameSet(names));
    for (size_t r = 0; r < rows.size(); ++r) {
        const QStringList& row = rows[r];
        if (y + lineHeight > page.ScaleHeight()) {
            page.NewPage();
            y = printHeadings();
        }
        for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
            // A text never runs into the next column: a name is shortened, any text made smaller.
            const double right = i + 1 < static_cast<int>(columns.size()) ? columns[i + 1].x - kColumnGap - xo
                                                                          : page.ScaleWidth();
            page.SetCurrentX(columns[i].x - xo);
            page.SetCurrentY(y);
            page.PrintFitted(row.value(i), right - page.CurrentX(),
                             i == 0 ? PrinterPage::Fit::Name : PrinterPage::Fit::Text);
        }
        y = page.CurrentY();
    }
    page.EndDoc();
}

QString PrintErrorText(int number, const QString& description) {
    if (number == 68) return "68 Device unavailable";
    if (number == 482) return "482 Printer Error";
    return QString::number(number) + " " + description;
}

}  // namespace dc
