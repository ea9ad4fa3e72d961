#include "handicap_report/HcpCards.h"

#include <algorithm>

#include "handicap_report/CardFigures.h"
#include "platform/NameForms.h"
#include "platform/PrinterPage.h"
#include "platform/Val.h"

namespace dc {

namespace {

constexpr int kRowsPerPage = 5;
// Score columns 0.625 inches apart on both cards: a five-character score such as "103T*" takes about
// half an inch at 12 points, so a narrower column would run it into the next score.
constexpr double kLeftX[5] = {0.875, 1.5, 2.125, 2.75, 3.375};
constexpr double kRightX[5] = {4.5, 5.125, 5.75, 6.375, 7.0};
constexpr double kGap = 0.1;  // between a value and the next card

void PrintAt(PrinterPage& page, double x, double y, const QString& text) {
    page.SetCurrentX(x);
    page.SetCurrentY(y);
    page.Print(text);
}

// A value that must end before `rightX`.
void PrintWithin(PrinterPage& page, double x, double rightX, double y, const QString& text,
                 PrinterPage::Fit kind) {
    page.SetCurrentX(x);
    page.SetCurrentY(y);
    page.PrintFitted(text, rightX - x, kind);
}

// One card of a row; `xs` are the card's five score columns, the first also its label column;
// the card's values end before `rightX`.
void PrintCard(PrinterPage& page, const HandicapCard& card, const CardRun& run, const double* xs,
               double valueX, double rightX, double base) {
    // On a page narrowed by its margins the values move right to stay clear of their labels.
    valueX = std::max(valueX, xs[0] + page.TextWidth("Name: "));
    PrintAt(page, xs[0], base + 0.5, "Name:");
    PrintWithin(page, valueX, rightX, base + 0.5, card.name, PrinterPage::Fit::Name);
    PrintAt(page, xs[0], base + 0.7, "Club:");
    PrintWithin(page, valueX, rightX, base + 0.7, run.club, PrinterPage::Fit::Text);
    PrintWithin(page, xs[0], rightX, base + 0.9,
                "TBox: " + run.tee.trimmed() + "  Date:" + run.date.trimmed(), PrinterPage::Fit::Text);
    PrintAt(page, xs[0], base + 1.1,
            "Index:" + card.indexText.trimmed() + "  Hcp:" + card.hcpText.trimmed() +
                "  Avg:" + card.avgText.trimmed());
    for (int line = 0; line < 4; ++line)
        for (int c = 0; c < 5; ++c)
            PrintAt(page, xs[c], base + 1.3 + 0.2 * (line + 1), card.scores.value(line * 5 + c).trimmed());
}

}  // namespace

QString ClubText(const QString& courseText) {
    const QString t = courseText.trimmed();
    if (t.isEmpty()) return "Not selected";
    return t;  // whole: the card fits it to its line
}

HandicapCard MakeCard(const QString& name, const CardFigures& figures, bool courseChosen, int teeSlope) {
    HandicapCard card;
    card.name = name;
    if (figures.hasIndex) {
        card.indexText =
            figures.index >= 0 ? FixedText(figures.index, 1, 7) : "+" + FixedText(-figures.index, 1, 7);
        if (courseChosen && teeSlope > 0) card.hcpText = CardHcpText(figures.index, figures.tIndex, teeSlope);
    }
    card.avgText = AverageText(figures.scores);
    card.scores = figures.scores;
    return card;
}

void PrintHandicapCards(PrinterPage& page, const std::vector<HandicapCard>& cards, const CardRun& run) {
    if (cards.empty()) return;
    page.Scale(0, 0, 8.5, 11);
    if (!run.fontName.isEmpty()) page.SetFontName(run.fontName);
    page.SetFontBold(run.bold);
    page.SetFontSize(12);
    QStringList names;
    for (const HandicapCard& card : cards) names << card.name;
    page.KeepNamesApart(NameSet(names));
    for (size_t i = 0; i < cards.size(); i += 2) {
        const int row = static_cast<int>(i / 2) % kRowsPerPage;
        const double base = row * 2.0;
        PrintCard(page, cards[i], run, kLeftX, 1.5, kRightX[0] - kGap, base);
        if (i + 1 < cards.size())  // an empty last card is left blank
            PrintCard(page, cards[i + 1], run, kRightX, 5.0125, 8.5 - kGap, base);
        if (row == kRowsPerPage - 1 && i + 2 < cards.size()) page.NewPage();
    }
    page.EndDoc();  // every page in one job
}

}  // namespace dc
