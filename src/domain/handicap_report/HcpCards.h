#pragma once
// Handicap cards: one card per player, two side by side in a row, five rows (ten cards) to a page,
// all pages one document. A card shows name, club, tee box, date, index, course handicap,
// average score and up to 20 recent scores in four lines of five.

#include <QString>
#include <QStringList>
#include <vector>

namespace dc {

class PrinterPage;
struct CardFigures;

struct HandicapCard {
    QString name, indexText, hcpText, avgText;
    QStringList scores;  // at most 20
};

// What every card of a run shares.
struct CardRun {
    QString club;  // ClubText of the chosen course
    QString tee, date;
    QString fontName;  // "" keeps the printer's font
    bool bold = false;
};

// The course's text, trimmed; "Not selected" when no course is chosen.
QString ClubText(const QString& courseText);
// A player's card: index "#0.0" (a plus index "+2.3"), and the course handicap for `teeSlope`, the
// chosen tee box's slope for the player's gender: none without a chosen course or without that slope
// (never one from another tee box).
HandicapCard MakeCard(const QString& name, const CardFigures& figures, bool courseChosen, int teeSlope = 0);

// Prints the cards in order; nothing for no cards.
void PrintHandicapCards(PrinterPage& page, const std::vector<HandicapCard>& cards, const CardRun& run);

}  // namespace dc
