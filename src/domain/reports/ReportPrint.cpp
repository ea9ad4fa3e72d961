#include "reports/ReportPrint.h"

#include <algorithm>
#include <cmath>

#include "platform/NameForms.h"
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
    page.KeepNamesApart(NameSet(h.players));
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

namespace {

// The game list's variable columns: as wide as their longest texts need, never narrower than the
// classic layout. A name or course may be printed smaller inside its column, to `share` of the font.
struct GameListLayout {
    int name = 12, course = 28, tee = 3;
    int Shift() const { return name - 12 + course - 28; }  // of the columns after the course
    int TeeShift() const { return Shift() + tee - 3; }     // of the columns after the tee
    int Columns() const { return kTextColumns + TeeShift(); }
};

constexpr double kLeastShare = 0.6;  // of the font, for a long name or course in its column

GameListLayout LayOutGameList(const std::vector<GameListRow>& rows, const NameSet& names, double share) {
    const auto ShareColumns = [share](qsizetype length) {
        return static_cast<int>(std::ceil(length * share));
    };
    GameListLayout layout;
    for (const GameListRow& row : rows) {
        layout.name = std::max(layout.name, ShareColumns(names.Forms(row.text[kGlName]).last().size()));
        layout.course = std::max(layout.course, ShareColumns(row.text[kGlCourse].trimmed().size()));
        layout.tee = std::max(layout.tee, int(row.tee.size()));
    }
    return layout;
}

// Rows a page of the list holds: the first under five lines of heading and two of column headings,
// each further page under the column headings.
struct GameListPaging {
    int first = 1, later = 1;
    explicit GameListPaging(const PrinterPage& page) {
        const int lines = static_cast<int>(std::floor(page.ScaleHeight() / page.TextHeight() + 1e-9));
        first = std::max(1, lines - 7);
        later = std::max(1, lines - 2);
    }
    int Pages(int rows) const { return rows <= first ? 1 : 1 + (rows - first + later - 1) / later; }
};

}  // namespace

void PrintGameList(PrinterPage& page, const GameListHeading& h, const std::vector<GameListRow>& rows) {
    // Wider columns make the whole page's font smaller: widen them until a name or course printed
    // smaller in its column stays at a readable size, so that none is cut.
    // Names that would shorten alike keep longer forms, apart from every player's name.
    NameSet names(h.players);
    for (const GameListRow& row : rows) names.Add(row.text[kGlName]);
    page.KeepNamesApart(names);
    double share = kLeastShare;
    GameListLayout layout;
    for (int i = 0; i < 8; ++i) {
        layout = LayOutGameList(rows, names, share);
        SetUpColumnPage(page, layout.Columns());
        const double least = PrinterPage::kMinFitPoints / page.FontSize() * 1.02;
        if (least <= share) break;
        share = least;
    }
    // Even at the least size the line ends inside the page: the course and the name give up
    // columns, the wider first, down to their classic widths; their texts are then cut with "...".
    const int fits = static_cast<int>(std::floor(page.ScaleWidth() / page.TabWidth(1, 1) + 1e-9));
    for (int excess = layout.Columns() - fits; excess > 0; --excess) {
        int& wider = layout.course - 28 >= layout.name - 12 ? layout.course : layout.name;
        if (wider <= (&wider == &layout.course ? 28 : 12)) break;
        --wider;
    }
    const int s = layout.Shift(), t = layout.TeeShift(), last = layout.Columns();
    const GameListPaging paging(page);
    page.SetExpectedPages(paging.Pages(static_cast<int>(rows.size())));
    auto line = [&page] { return Line{page}; };
    line().at(25, "Game List for:").within(40, last, h.player, PrinterPage::Fit::Name).done();
    line().at(38, ":").within(40, last, h.course).done();
    page.Print();
    line().at(34, "From:").at(40, h.startDate).done();
    line().at(34, "To  :").at(40, h.endDate).done();
    // The column headings, on every page.
    auto headings = [&] {
        line()
            .at(2, "Game#")
            .at(8, "Player")
            .at(9 + layout.name, "Course")
            .at(52 + s, "Date ")
            .at(59 + s, "Tee")
            .at(63 + t, "Scr")
            .at(68 + t, "Adj")
            .at(72 + t, "Hcp")
            .at(76 + t, "Index")
            .done();
        line()
            .at(2, "-----")
            .at(8, QString(layout.name, '-'))
            .at(9 + layout.name, QString(layout.course, '-'))
            .at(50 + s, "--------")
            .at(59 + s, QString(layout.tee, '-'))
            .at(63 + t, "----")
            .at(68 + t, "---")
            .at(72 + t, "---")
            .at(76 + t, "-----")
            .done();
    };
    headings();
    int room = paging.first;  // rows still to go on this page: the pages come out as counted
    for (const GameListRow& row : rows) {
        if (room == 0) {
            page.NewPage();
            headings();
            room = paging.later;
        }
        --room;
        const auto& x = row.text;
        // The tee keeps a blank before the score: a tournament score ("T104") moves it a column left.
        const int scoreStart = 67 + t - int(x[kGlScr].trimmed().size());
        const int teeStart = std::clamp(scoreStart - 1 - int(row.tee.size()), 59 + s, 60 + s);
        line()
            .endingAt(6, x[kGlGame].trimmed())
            .within(8, 7 + layout.name, x[kGlName], PrinterPage::Fit::Name)
            .within(9 + layout.name, 8 + layout.name + layout.course, x[kGlCourse])
            .at(50 + s, ShortListDate(row.date, h.dateFormat))
            .within(teeStart, scoreStart - 2, row.tee)
            .endingAt(66 + t, x[kGlScr].trimmed())
            .endingAt(70 + t, x[kGlAdj].trimmed())
            .at(73 + t, x[kGlHcp].trimmed())
            .endingAt(80 + t, x[kGlIndex].trimmed())
            .done();
    }
    page.EndDoc();
}

}  // namespace dc
