#include "handicap_report/HcpPrint.h"

#include <QRegularExpression>

#include "platform/NameForms.h"
#include "platform/PrinterPage.h"
#include "platform/Val.h"

namespace dc {

namespace {

constexpr int kReportColumns = 73;  // where the widest line of the reports ends

// Right-aligns a plain number (optionally after "+") through the picture of its size.
QString Picture(const QString& text, int decimals, int width) {
    const QString t = text.trimmed();
    static const QRegularExpression plain(R"(^\+?\d+(\.\d+)?$)");
    if (!plain.match(t).hasMatch()) return t;
    const bool plus = t.startsWith('+');
    const double value = (plus ? t.mid(1) : t).toDouble();
    const QString digits = FixedText(value, decimals);
    return ((plus ? "+" : "") + digits).rightJustified(width, ' ');
}

void LabelLine(PrinterPage& page, int column, const QString& label, const QString& value,
               PrinterPage::Fit kind = PrinterPage::Fit::Text) {
    page.PrintTab(column, label);
    page.PrintTabFitted(42, kReportColumns, value, kind);
    page.Print();
}

void Dashes(PrinterPage& page, int third, const QString& thirdDashes) {
    page.PrintTab(9, "-----");
    page.PrintTab(19, QString(27, '-'));
    page.PrintTab(third, thirdDashes);
    page.PrintTab(63, "----------");
    page.Print();
}

}  // namespace

void SetUpReportPage(PrinterPage& page) { SetUpColumnPage(page, kReportColumns); }

QString IndexPicture(const QString& text) { return Picture(text, 1, 5); }
QString HcpPicture(const QString& text) { return Picture(text, 0, 3); }

void PrintIndividual(PrinterPage& page, const IndividualPrint& r) {
    page.KeepNamesApart(NameSet(r.players));
    LabelLine(page, 16, "Handicap Information for:", r.player, PrinterPage::Fit::Name);
    page.Print();
    LabelLine(page, 36, "Date:", r.date);
    LabelLine(page, 26, "         Index:", r.index);
    LabelLine(page, 24, "Tournament Index:", r.tIndex);
    LabelLine(page, 34, "Course:", r.course);
    LabelLine(page, 33, "Tee Box:", r.tee);
    LabelLine(page, 32, "Handicap:", r.hcp);
    if (r.tHcpShown) LabelLine(page, 25, "Tourn. Handicap:", r.tHcp);
    page.Print();
    page.PrintTab(9, "Score");
    page.PrintTab(29, "Course");
    page.PrintTab(51, "Tee Box");
    page.PrintTab(66, "Date");
    page.Print();
    Dashes(page, 51, "-------");
    for (const PrintRow& row : r.rows) {
        const QString score = row.first.trimmed();
        if (!score.isEmpty()) page.PrintTab(Val(score) < 100 ? 10 : 9, score);
        if (!row.second.trimmed().isEmpty()) page.PrintTabFitted(19, 49, row.second);
        if (!row.third.isEmpty()) page.PrintTabFitted(51, 61, row.third);
        if (!row.date.trimmed().isEmpty()) page.PrintTab(63, row.date.trimmed());
        page.Print();
    }
    page.Print();
    page.PrintTab(9, "* Lowest Scores used to determine Handicap");
    page.Print();
    page.PrintTab(9, "T Tournament Score");
    page.Print();
    page.EndDoc();
}

void PrintIndexList(PrinterPage& page, const IndexListPrint& list) {
    LabelLine(page, 16, "Handicap Information for:", "All Players");
    page.Print();
    LabelLine(page, 36, "Date:", list.date);
    page.Print();
    LabelLine(page, 34, "Course:", list.course);
    page.Print();
    LabelLine(page, 33, "Tee Box:", list.tee);
    page.Print();
    page.PrintTab(9, "Index");
    page.PrintTab(29, "Player");
    page.PrintTab(54, "Hcp");
    page.PrintTab(66, "Date");
    page.Print();
    Dashes(page, 54, "---");
    // Names that would shorten alike keep longer forms; a surname stays whole.
    NameSet names;
    for (size_t i = 0; i < list.rows.size(); ++i) names.Add(list.rows[i].second, list.surnames.value(qsizetype(i)));
    page.KeepNamesApart(names);
    for (const PrintRow& row : list.rows) {
        const QString index = IndexPicture(row.first), hcp = HcpPicture(row.third);
        if (!index.isEmpty()) page.PrintTab(9, index);
        if (!row.second.isEmpty()) page.PrintTabFitted(19, 52, row.second, PrinterPage::Fit::Name);
        if (!hcp.isEmpty()) page.PrintTab(54, hcp);
        if (!row.date.trimmed().isEmpty()) page.PrintTab(63, row.date.trimmed());
        page.Print();
    }
    page.EndDoc();
}

}  // namespace dc
