#include "scorecards/ScoreCardPrint.h"

#include <algorithm>


#include "platform/NameForms.h"
#include "platform/PrinterPage.h"
#include "platform/Val.h"
#include "records/MailingLabels.h"
#include "scorecards/StrokeMarks.h"

namespace dc {
namespace {

// Card geometry in twips.
constexpr double kGridLeft = 700, kLabelX = 800, kCol0 = 3220, kColWidth = 560, kGridRight = 14980;
constexpr double kScorerX = 6750, kLabelGap = 80;
constexpr double kGridTop = 1080, kGridBottom = 5760, kRowHeight = 360, kBottomCardY = 5960;
// What two cards take on a page: made smaller on a page whose printable area is smaller.
constexpr double kCardsWidth = kGridRight + 20, kCardsHeight = kBottomCardY + kGridBottom + 20;

const char* const kStatLabels[4] = {"Putts", "Greens in Regulation", "Sand Saves", "Fairways Hit"};

// Grid column of hole j: holes 1 to 9 in columns 0 to 8, 10 to 18 in 10 to 18.
int HoleColumn(int hole) { return hole <= 9 ? hole - 1 : hole; }

class CardPrinter {
  public:
    // `fit` is the size of the card on paper against its layout; the offsets stay in real inches.
    CardPrinter(PrinterPage& page, const ScoreCardJob& job, double fit)
        : page_(page),
          job_(job),
          fit_(fit),
          dx_(job.offsetXInches * 1440 / fit),
          dy_(job.offsetYInches * 1440 / fit) {
        KeepPlayerNamesApart();
    }

    void Card(const std::vector<CardPlayer>& players, double baseY) {
        baseY_ = baseY;
        Header();
        GridLines();
        FontSize(10);
        HoleRows();
        Labels();
        Players(players);
        StatRows();
    }

  private:
    void FontSize(double points) { page_.SetFontSize(points * fit_); }
    double X(double x) const { return x - dx_; }
    double Y(double y) const { return y + baseY_ - dy_; }
    void Text(double x, double y, const QString& text) {
        page_.SetCurrentX(X(x));
        page_.SetCurrentY(Y(y));
        page_.Print(text);
    }
    void Line(double x1, double y1, double x2, double y2) { page_.Line(X(x1), Y(y1), X(x2), Y(y2)); }
    double CentredY(int row, const QString& text) const {
        return kGridTop + row * kRowHeight + kRowHeight / 2 - page_.TextHeight(text) / 2;
    }
    void Centred(int col, int row, const QString& raw) {
        const QString text = raw.trimmed();
        Text(kCol0 + col * kColWidth + kColWidth / 2 - page_.TextWidth(text) / 2, CentredY(row, text), text);
    }
    // A row's label, within the label column (a long player's name is shortened or made smaller).
    void Label(int row, const QString& raw, PrinterPage::Fit kind = PrinterPage::Fit::Text) {
        const QString text = raw.trimmed();
        page_.SetCurrentX(X(kLabelX));
        page_.SetCurrentY(Y(CentredY(row, text)));
        page_.PrintFitted(text, kCol0 - kLabelX - kLabelGap, kind);
    }

    void Header() {
        FontSize(14);
        page_.SetCurrentX(X(kGridLeft));
        page_.SetCurrentY(Y(540));
        page_.PrintFitted(job_.courseName, kScorerX - kGridLeft - kLabelGap);
        Text(kGridRight - page_.TextWidth(job_.date), 540, job_.date);
        FontSize(8);
        Text(kScorerX, 400, "Scorer");
        Line(7200, 600, 11520, 600);
        Text(kScorerX, 760, "Attest");
        Line(7200, 960, 11520, 960);
    }

    void GridLines() {
        Line(kGridLeft, kGridTop, kGridLeft, kGridBottom);
        for (int k = 0; k <= 21; ++k)
            Line(kCol0 + k * kColWidth, kGridTop, kCol0 + k * kColWidth, kGridBottom);
        for (int k = 0; k <= 13; ++k)
            Line(kGridLeft, kGridTop + k * kRowHeight, kGridRight, kGridTop + k * kRowHeight);
    }

    // One tee row: the hole texts of a packed slot (width characters a hole), with totals.
    void TeeRow(int row, const QString& text, int width, bool totals) {
        int front = 0, back = 0;
        for (int j = 1; j <= 18; ++j) {
            const QString hole = text.mid((j - 1) * width, width);
            const int number = static_cast<int>(Val(hole));
            (j <= 9 ? front : back) += number;
            if (totals) {
                Centred(HoleColumn(j), row, hole);
            } else if (row != 12 || Y(CentredY(row, QString::number(number))) < page_.ScaleHeight() - 200) {
                Centred(HoleColumn(j), row, QString::number(number));  // hole handicaps without zeros
            }
        }
        if (!totals) return;
        Centred(9, row, QString::number(front));
        Centred(19, row, QString::number(back));
        Centred(20, row, QString::number(front + back));
    }

    void HoleRows() {
        for (int j = 1; j <= 18; ++j) Centred(HoleColumn(j), 0, QString::number(j));
        TeeRow(1, job_.tees.menPars, 1, true);
        TeeRow(2, job_.tees.menYards, 3, true);
        TeeRow(3, job_.tees.menHcps, 2, false);
        TeeRow(10, job_.tees.womenPars, 1, true);
        TeeRow(11, job_.tees.womenYards, 3, true);
        TeeRow(12, job_.tees.womenHcps, 2, false);
        Centred(9, 0, "IN");
        Centred(19, 0, "OUT");
        Centred(20, 0, "TOT");
    }

    void Labels() {
        Label(0, "Hole");
        Label(1, "Par");
        Label(2, job_.menTee);
        Label(3, "Handicap");
        Label(10, "Par");
        Label(11, job_.womenTee);
        Label(12, "Handicap");
    }

    void Players(const std::vector<CardPlayer>& players) {
        int k = 0;
        for (const CardPlayer& player : players) {
            ++k;
            Label(3 + k, player.name, PrinterPage::Fit::Name);
            if (!job_.strokes) continue;
            const QString& hcps = player.gender == "M" ? job_.tees.menHcps : job_.tees.womenHcps;
            const auto marks = StrokeMarks(player.hcpText, hcps);
            for (int j = 1; j <= 18; ++j) {
                const QString& mark = marks[static_cast<size_t>(j - 1)];
                if (mark.isEmpty()) continue;
                Text(kCol0 + HoleColumn(j) * kColWidth + kColWidth / 2 - page_.TextWidth(mark) / 2,
                     kGridTop + (3 + k) * kRowHeight, mark);
            }
        }
    }

    // Names that would shorten alike keep longer forms, on every card of the job.
    void KeepPlayerNamesApart() {
        QStringList names;
        for (const auto& card : job_.cards)
            for (const CardPlayer& player : card) names << player.name;
        page_.KeepNamesApart(NameSet(names));
    }

    void StatRows() {
        if (job_.perCard >= 3) return;
        int row = 5;
        for (int i = 0; i < 4; ++i)
            if (job_.statRows[static_cast<size_t>(i)]) Label(++row, kStatLabels[i]);
    }

    PrinterPage& page_;
    const ScoreCardJob& job_;
    double fit_, dx_, dy_;
    double baseY_ = 0;
};

}  // namespace

TeeTexts FindParHcpHoleYard(const PackedCourse& course, int menSlot, int womenSlot) {
    TeeTexts t;
    t.menPars = SlotText(course.MPARS, Packed::MPARS, menSlot);
    t.womenPars = SlotText(course.WPARS, Packed::WPARS, womenSlot);
    t.menHcps = SlotText(course.MHCP, Packed::MHCP, menSlot);
    t.womenHcps = SlotText(course.WHCP, Packed::WHCP, womenSlot);
    t.menYards = SlotText(course.YARDS, Packed::YARDS, menSlot);
    t.womenYards = SlotText(course.YARDS, Packed::YARDS, womenSlot);
    return t;
}

int CardsToPrint(int cards) { return cards > 1 && cards % 2 == 1 ? cards + 1 : cards; }

namespace {
// The card's size on paper against its layout, for a page in twips.
double CardFit(PrinterPage& page) {
    page.SetOrientation(kLandscape);
    page.SetScaleMode(kScaleTwips);
    return std::min({1.0, page.ScaleWidth() / kCardsWidth, page.ScaleHeight() / kCardsHeight});
}
}  // namespace

CardAreaCheck CheckCardArea(PrinterPage& page, const ScoreCardJob& job) {
    const double fit = CardFit(page);
    // What a page of cards covers in the layout: the grid's width, from the top card's "Scorer"
    // line to the bottom card's grid (one card alone covers its own half).
    const bool both = CardsToPrint(static_cast<int>(job.cards.size())) > 1;
    const double top = both || !job.startAtBottom ? 400 : kBottomCardY + 400;
    const double bottom = both || job.startAtBottom ? kBottomCardY + kGridBottom : kGridBottom;
    // On paper, from the printable corner (twips), with no offsets.
    const double left = kGridLeft * fit, right = kGridRight * fit;
    const double width = page.ScaleWidth(), height = page.ScaleHeight();
    const double ox = job.offsetXInches * kTwipsPerInch, oy = job.offsetYInches * kTwipsPerInch;
    constexpr double kTolerance = 1;  // twips
    CardAreaCheck check;
    check.inside = left - ox >= -kTolerance && right - ox <= width + kTolerance &&
                   top * fit - oy >= -kTolerance && bottom * fit - oy <= height + kTolerance;
    const bool x = NearestOffset(right - ox - width, left - ox, job.offsetXInches, check.xOffset);
    const bool y = NearestOffset(bottom * fit - oy - height, top * fit - oy, job.offsetYInches, check.yOffset);
    check.canFit = x && y;
    return check;
}

void PrintScoreCards(PrinterPage& page, const ScoreCardJob& job) {
    const double fit = CardFit(page);
    if (fit < 1) {
        page.SetScaleWidth(page.ScaleWidth() / fit);
        page.SetScaleHeight(page.ScaleHeight() / fit);
    }
    CardPrinter printer(page, job, fit);
    double baseY = job.startAtBottom ? kBottomCardY : 0;
    const int count = CardsToPrint(static_cast<int>(job.cards.size()));
    for (int card = 0; card < count; ++card) {
        static const std::vector<CardPlayer> kNoPlayers;
        printer.Card(
            card < static_cast<int>(job.cards.size()) ? job.cards[static_cast<size_t>(card)] : kNoPlayers,
            baseY);
        if (baseY > 0) {
            page.NewPage();
            baseY = 0;
        } else {
            baseY = kBottomCardY;
        }
    }
    page.EndDoc();
}

void SetPrinterOrigin(PrinterPage& page, double offsetXInches, double offsetYInches) {
    page.SetScaleMode(kScaleInches);
    const double x = page.PhysicalOffsetX() * page.TwipsPerPixelX() / 1440;
    const double y = page.PhysicalOffsetY() * page.TwipsPerPixelY() / 1440;
    page.SetScaleLeft(x - offsetXInches);
    page.SetScaleTop(y - offsetYInches);
    page.SetCurrentX(0);
    page.SetCurrentY(0);
}

QString MarginDiagnostic(PrinterPage& page) {
    SetPrinterOrigin(page, 0, 0);
    const double vertical = (page.Height() - page.ScaleHeight() * 1440) / 2880;
    const double horizontal = (page.Width() - page.ScaleWidth() * 1440) / 2880;
    return FixedText(vertical, 2) + " - " + FixedText(horizontal, 2);
}

}  // namespace dc
