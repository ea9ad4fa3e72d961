#pragma once
// The printed score cards: two cards to a landscape page at fixed positions in twips, each with the
// course, the date, signature lines, and a grid of hole numbers, the men's and women's pars, yards
// and hole handicaps, the card's players with their stroke marks, and optional statistics rows.
// Also the page origin and the printer-margin diagnostic of the score-card screen.

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "records/TeeBoxPacking.h"

namespace dc {

class PrinterPage;

// The tee-box texts of the chosen men's and women's tee boxes, as stored (zeros when there is none).
struct TeeTexts {
    QString menPars = QString(18, '0'), womenPars = QString(18, '0');
    QString menHcps = QString(36, '0'), womenHcps = QString(36, '0');
    QString menYards = QString(54, '0'), womenYards = QString(54, '0');
};
// The slots of the men's and women's tee boxes of a course (a short column gives a short text).
TeeTexts FindParHcpHoleYard(const PackedCourse& course, int menSlot, int womenSlot);

struct CardPlayer {
    QString name;
    QString gender;   // "M" men; anything else is marked from the women's hole handicaps
    QString hcpText;  // the course-handicap text of the grid
};

struct ScoreCardJob {
    QString courseName, date, menTee, womenTee;
    TeeTexts tees;
    std::vector<std::vector<CardPlayer>> cards;  // card 1, 2, ...
    bool strokes = true;                         // "Hcp Strokes per hole"
    std::array<bool, 4> statRows{};              // Putts, Greens in Regulation, Sand Saves, Fairways Hit
    int perCard = 1;
    bool startAtBottom = false;
    double offsetXInches = 0, offsetYInches = 0;  // a positive offset moves the print left or up
};

// Cards printed for `cards` cards: an odd number above one gets an empty card to fill its page.
int CardsToPrint(int cards);

// Prints every card as one document (landscape, twips), top and bottom halves in turn.
void PrintScoreCards(PrinterPage& page, const ScoreCardJob& job);

// Whether the cards, moved by the job's offsets, fall inside what the printer prints (as the mailing
// labels are checked), and the offsets nearest to the job's that bring them inside.
struct CardAreaCheck {
    bool inside = true;
    bool canFit = false;
    double xOffset = 0, yOffset = 0;
};
CardAreaCheck CheckCardArea(PrinterPage& page, const ScoreCardJob& job);

// Puts the page in inches with (0, 0) the given offsets right of and below the paper's corner.
void SetPrinterOrigin(PrinterPage& page, double offsetXInches, double offsetYInches);
// The mean unprintable margins in inches, "vertical - horizontal" ("0.13 - 0.25").
QString MarginDiagnostic(PrinterPage& page);

}  // namespace dc
