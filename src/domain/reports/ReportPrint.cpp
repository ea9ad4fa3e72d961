#include "reports/ReportPrint.h"

#include <algorithm>

#include "platform/PrinterError.h"
#include "platform/PrinterPage.h"
#include "platform/PrinterPageFactory.h"
#include "records/PlayerList.h"
#include "shell/DateFormat.h"

namespace dc {
namespace {
constexpr int kTextColumns = 80;  // where the widest line of the reports ends
}

void SetUpTextPage(PrinterPage& page) { SetUpColumnPage(page, kTextColumns); }

namespace {

// Items of one line at their columns; a text printed to end in column `end` starts at end + 1 - length.
struct Line {
    PrinterPage& page;
    Line& at(int column, const QString& text) {
        if (!text.isEmpty()) page.PrintTab(std::max(1, column), text);
        return *this;
    }
    Line& endingAt(int end, const QString& text) { return at(end + 1 - int(text.size()), text); }
    // A text that must stay within columns `column` to `last`.
    Line& within(int column, int last, const QString& text, PrinterPage::Fit kind = PrinterPage::Fit::Text) {
        if (!text.trimmed().isEmpty()) page.PrintTabFitted(column, last, text, kind);
        return *this;
    }
    void done() { page.Print(); }
};

}  // namespace

void PrintStats(PrinterPage& page, const StatsHeading& h, const StatsTexts& s) {
    SetUpTextPage(page);
    auto line = [&page] { return Line{page}; };
    line().at(24, "Statistics for:").within(40, kTextColumns, h.player, PrinterPage::Fit::Name).done();
    line().at(34, "From:").at(40, h.startDate).done();
    line().at(34, "To  :").at(40, h.endDate).done();
    page.Print();
    const struct {
        const char* label;
        QString value;
    } best[] = {{"Best-9 :", s.best9},
                {"Date   :", s.best9Date},
                {"Game # :", s.best9Game},
                {"Course :", s.best9Course},
                {nullptr, {}},
                {"Best-18:", s.best18},
                {"Date   :", s.best18Date},
                {"Game # :", s.best18Game},
                {"Course :", s.best18Course}};
    for (const auto& b : best) {
        if (b.label)
            line().at(31, b.label).within(40, kTextColumns, b.value).done();
        else
            page.Print();
    }
    page.Print();
    line().at(16, "Total # Games Played  :").at(40, s.games.trimmed()).done();
    page.Print();
    const QString money[] = {s.gameCost.trimmed(), s.cartCost.trimmed(), s.otherCost.trimmed(),
                             s.totalCost.trimmed()};
    int width = 0;
    for (const QString& m : money) width = std::max(width, int(m.size()));
    const int end = 39 + width;
    line().at(16, "Total $ Spent on Games:").endingAt(end, money[0]).done();
    line().at(16, "Total $ Spent on Carts:").endingAt(end, money[1]).done();
    line().at(16, "Total $ Spent on Other:").endingAt(end, money[2]).done();
    line().at(16, QString(width + 24, '-')).done();
    line().at(16, "Total $ Spent         :").endingAt(end, money[3]).done();
    page.Print();
    const char* heads[] = {"  Ace  ", "Dbl Eag", " Eagle ", " Birdie",
                           "  Par  ", " Bogey ", "Dbl Bgy", " Other "};
    Line head = line().at(3, "Hole#");
    Line rule = Line{page};
    for (int c = 0; c < kScoreTypes; ++c) head.at(10 + 9 * c, heads[c]);
    head.done();
    rule.at(3, "-----");
    for (int c = 0; c < kScoreTypes; ++c) rule.at(10 + 9 * c, "-------");
    rule.done();
    for (int r = 0; r < 19; ++r) {
        Line row = r < 18 ? line().endingAt(5, SignedText(r + 1)) : line().at(3, "Total");
        for (int c = 0; c < kScoreTypes; ++c) row.endingAt(7 + 9 * (c + 1), s.grid[r][c].trimmed());
        row.done();
    }
    page.Print();
    line().at(28, "Average Scores Per Hole").done();
    for (int b = 0; b < 4; ++b) line().at(35, QString("Par %1: ").arg(b + 3) + s.averages[b]).done();
    line().at(28, "Average # of Putts per Round: " + s.averages[4]).done();
    page.EndDoc();
}

QString ShortListDate(const QDate& date, const QString& dateFormat) {
    if (!date.isValid()) return QString();
    const QString sep = LocaleDateSeparator();
    const QString yy = QString::number(date.year() % 100).rightJustified(2, '0');
    const QString mm = QString::number(date.month()).rightJustified(2, '0');
    const QString dd = QString::number(date.day()).rightJustified(2, '0');
    return dateFormat == "MM/DD/YYYY" ? mm + sep + dd + sep + yy : dd + sep + mm + sep + yy;
}

void PrintGameList(PrinterPage& page, const GameListHeading& h, const std::vector<GameListRow>& rows) {
    SetUpTextPage(page);
    auto line = [&page] { return Line{page}; };
    line().at(25, "Game List for:").within(40, kTextColumns, h.player, PrinterPage::Fit::Name).done();
    line().at(38, ":").within(40, kTextColumns, h.course).done();
    page.Print();
    line().at(34, "From:").at(40, h.startDate).done();
    line().at(34, "To  :").at(40, h.endDate).done();
    // The column headings, on every page.
    auto headings = [&] {
        line()
            .at(2, "Game#")
            .at(8, "Player")
            .at(21, "Course")
            .at(52, "Date ")
            .at(59, "Tee")
            .at(63, "Scr")
            .at(68, "Adj")
            .at(72, "Hcp")
            .at(76, "Index")
            .done();
        line()
            .at(2, "-----")
            .at(8, "------------")
            .at(21, "----------------------------")
            .at(50, "--------")
            .at(59, "---")
            .at(63, "----")
            .at(68, "---")
            .at(72, "---")
            .at(76, "-----")
            .done();
    };
    headings();
    for (const GameListRow& row : rows) {
        if (page.CurrentY() + page.TextHeight() > page.ScaleTop() + page.ScaleHeight()) {
            page.NewPage();
            headings();
        }
        const auto& t = row.text;
        // The tee keeps a blank before the score: a tournament score ("T104") moves it a column left.
        const int scoreStart = 67 - int(t[kGlScr].trimmed().size());
        const int teeStart = std::clamp(scoreStart - 1 - int(t[kGlTee].trimmed().size()), 59, 60);
        line()
            .endingAt(6, t[kGlGame].trimmed())
            .within(8, 19, t[kGlName], PrinterPage::Fit::Name)
            .within(21, 48, t[kGlCourse])
            .at(50, ShortListDate(row.date, h.dateFormat))
            .within(teeStart, scoreStart - 2, t[kGlTee])
            .endingAt(66, t[kGlScr].trimmed())
            .endingAt(70, t[kGlAdj].trimmed())
            .at(73, t[kGlHcp].trimmed())
            .endingAt(80, t[kGlIndex].trimmed())
            .done();
    }
    page.EndDoc();
}

}  // namespace dc
