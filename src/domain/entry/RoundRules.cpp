#include "entry/RoundRules.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "handicap/AllowableScores.h"
#include "handicap/HcpRules.h"
#include "platform/Val.h"
#include "shell/DateFormat.h"

namespace dc {

RowTotals SumRow(const std::array<int, 18>& values) {
    RowTotals t;
    for (int i = 0; i < 9; ++i) t.front += values[i];
    for (int i = 9; i < 18; ++i) t.back += values[i];
    return t;
}

std::array<int, 6> AdjustedScores(const std::array<int, 18>& gross, const std::array<int, 18>& pars,
                                  const std::array<int, 6>& courseHcp) {
    std::array<HoleMaximumRule, 6> rules;
    for (int k = 0; k < 6; ++k) rules[k] = VariantHoleMaximum(static_cast<HcpVariant>(k), courseHcp[k]);
    std::array<int, 6> sums{};
    for (int h = 0; h < 18; ++h) {
        const bool front = h < 9;
        for (int k = 0; k < 6; ++k) {
            const bool covers = (k == US_18 || k == CA_18) || (front == (k == US_F9 || k == CA_F9));
            if (covers) sums[k] += AllowedHoleScore(gross[h], rules[k].Of(pars[h]));  // par 0 caps nothing
        }
    }
    return sums;
}

unsigned int GrossColour(int gross, int par) {
    if (gross > par) return 0xFF0000;  // blue
    if (gross < par) return 0x0000FF;  // red
    return 0;
}

int ColumnCourseHcp(double prevIndex, double prevTIndex, int slope) {
    return CourseHcp(prevTIndex != kNoTournIndex ? prevTIndex : prevIndex, slope);
}

namespace {
QString OneDecimal(double v) { return FixedText(v, 1); }
}  // namespace

QString IndexDisplayText(double value) { return value >= 0 ? OneDecimal(value) : "+" + OneDecimal(-value); }

QString TournIndexDisplayText(double value) {
    return value > 0 ? OneDecimal(value) : "+" + OneDecimal(-value);
}

PrevIndexes PreviousIndexes(const RoundRec& prev, const RoundRec* prevHandicap, const RoundRec* shown,
                            bool male) {
    PrevIndexes out;
    // The default as stored (seven significant digits): 18.2, not 18.20000076.
    const double nineDefault = StoredIndexValue(DefaultIndex(male ? 0 : 1, true));
    auto take = [&out, nineDefault](int column, const RoundRec* from, int variant) {
        out.index[column] = from ? from->HCP_INDEX[variant] : nineDefault;
        out.tIndex[column] = from ? from->THCP_INDEX[variant] : kNoTournIndex;
    };
    for (int base : {0, 3}) {  // US, then Canada
        out.index[base] = prev.HCP_INDEX[base];
        out.tIndex[base] = prev.THCP_INDEX[base];
        const int front = base + 1, back = base + 2;
        const RoundRec* h = prevHandicap;
        const bool backPlayed = h && h->ADJSCR[back] > 0, frontPlayed = h && h->ADJSCR[front] > 0;
        take(front, backPlayed || frontPlayed ? h : nullptr, backPlayed ? back : front);
        if (shown && shown->ADJSCR[front] > 0)
            take(back, shown, front);
        else
            take(back, h, backPlayed ? back : front);
    }
    return out;
}

HcpGridStart Game1Grid(bool male) {
    HcpGridStart g;
    const int gender = male ? 0 : 1;
    // The default indexes as stored (seven significant digits): 36.4, not 36.40000153.
    const double i18 = StoredIndexValue(DefaultIndex(gender)),
                 i9 = StoredIndexValue(DefaultIndex(gender, true));
    for (int c = 0; c < 6; ++c) {
        const bool is18 = c == US_18 || c == CA_18;
        g.prevIndex[c] = g.currIndex[c] = is18 ? i18 : i9;
        g.prevTIndex[c] = g.currTIndex[c] = kNoTournIndex;
        g.allowScore[c] = c == US_18 ? "10" : c < 3 ? "11" : "+4";
    }
    return g;
}

SaveCheck CheckRoundForSave(const SaveInput& in, const QDate& today) {
    const bool mdy = in.dateFormat == "MM/DD/YYYY";
    const QString formatText =
        mdy ? "Date must be in the format MM/DD/YYYY." : "Date must be in the format DD/MM/YYYY.";
    if (in.player.trimmed().isEmpty())
        return {1, "A Player's name must be entered.  Please go to the Player Setup Screen.",
                SaveFocus::Player};
    if (!in.courseChosen) return {2, "A Course must be selected.", SaveFocus::Course};
    if (!in.teeChosen) return {10, "A Tee Box must be selected.", SaveFocus::TeeBox};
    const QString& d = in.dateText;
    if (d.contains('_'))
        return {3, "A valid date cannot contain any underscores.\r\n" + formatText, SaveFocus::Date};
    const int month = static_cast<int>(Val(d.mid(mdy ? 0 : 3, 2)));
    const int day = static_cast<int>(Val(d.mid(mdy ? 3 : 0, 2)));
    if (month < 1 || month > 12) return {4, "Month must be between 01 and 12.", SaveFocus::Date};
    if (day < 1 || day > 31) return {5, "Day must be between 01 and 31.", SaveFocus::Date};
    if (d.size() < 10) return {6, formatText, SaveFocus::Date};
    const std::optional<QDate> date = ParseLocalDate(d, in.dateFormat);
    if (!date)
        return {7,
                mdy ? "Invalid Date.  Please enter a date in the format MM/DD/YYYY."
                    : "Invalid Date.  Please enter a date in the format DD/MM/YYYY.",
                SaveFocus::Date};
    if (today.daysTo(*date) > 0)
        return {8,
                "Why would you want to enter a future date for a round of Dado?  Please check your "
                "computer's date.",
                SaveFocus::Date};
    if (in.grossTotal == 0)
        return {9, "A zero gross score cannot be saved off.  Please enter gross scores.", SaveFocus::Date};
    return {};
}

namespace {

ChangeResult Changed(const QString& field, bool hcp) {
    ChangeResult r;
    r.changed = true;
    r.hcpChanged = hcp;
    r.field = field.left(21);
    return r;
}

}  // namespace

ChangeResult CompareNewRound(const ScreenRound& s, const NewRoundStart& start) {
    bool changed = s.dateText != start.dateText || s.useHcp != start.useHcp || s.useTourn != start.useTourn ||
                   !s.gameCost.isEmpty() || !s.cartCost.isEmpty() || !s.otherCost.isEmpty() ||
                   !s.notes.isEmpty();
    for (int h = 0; h < 18 && !changed; ++h) changed = s.gross[h].has_value() || s.putts[h].has_value();
    return changed ? Changed("data", false) : ChangeResult{};
}

namespace {
// The caption of the first of date, course, tee box and the two checks that differs from the stored
// round; none when all are those stored.
std::optional<QString> FirstRoundFieldChanged(const ScreenRound& s, const RoundRec& r,
                                              const QString& storedDateText) {
    if (storedDateText != s.dateText) return "Date";
    if (r.COURSE_ID != s.courseId) return "Course";
    if (r.TEE_BOX_ID != s.teeBox) return "Tee Box";
    if ((r.USE_HCP ? 1 : 0) != s.useHcp) return "Handicap Check";
    if ((r.USE_TOURN ? 1 : 0) != s.useTourn) return "Tournament Check";
    return std::nullopt;
}
}  // namespace

bool SameHandicapEntries(const ScreenRound& s, const RoundRec& r, const QString& storedDateText) {
    if (FirstRoundFieldChanged(s, r, storedDateText)) return false;
    for (int h = 0; h < 18; ++h)
        if (r.GS[h] != s.gross[h].value_or(0)) return false;
    return true;
}

ChangeResult CompareStoredRound(const ScreenRound& s, const RoundRec& r, const QString& storedDateText) {
    if (const std::optional<QString> field = FirstRoundFieldChanged(s, r, storedDateText))
        return Changed(*field, true);
    bool hcp = false;
    for (int v = 0; v < 6; ++v) hcp = hcp || r.ADJSCR[v] != s.adjusted[v];
    ChangeResult r2;
    r2.hcpChanged = hcp;
    // A cost loads into its box with two decimals (10.005 shows as 10.01): the box is compared
    // with that, not with digits the golfer never saw.
    auto differs = [&](double stored, const QString& shown) {
        return Val(FixedText(stored, 2)) != Val(shown.trimmed());
    };
    if (differs(r.GAME_COST, s.gameCost)) return Changed("Game Cost", hcp);
    if (differs(r.CART_COST, s.cartCost)) return Changed("Cart Cost", hcp);
    if (differs(r.OTHER_COST, s.otherCost)) return Changed("Other Cost", hcp);
    if (r.NOTES.trimmed() != s.notes.trimmed()) return Changed("Notes", hcp);
    for (int h = 1; h <= 18; ++h)
        if (r.GS[h - 1] != s.gross[h - 1].value_or(0)) return Changed(QString("Hole %1 score").arg(h), hcp);
    for (int h = 1; h <= 18; ++h)
        if (PuttsOfHole(r.PUTTS, h) != s.putts[h - 1].value_or(0))
            return Changed(QString("Hole %1 # of Putts").arg(h), hcp);
    const struct {
        const QString* stored;
        const std::array<int, 18>* shown;
        const char* caption;
    } flags[] = {{&r.GREENS_IN_REG, &s.gir, "Greens in Regulation"},
                 {&r.SAND_SAVES, &s.sand, "Sand Saves"},
                 {&r.FAIRWAYS_HIT, &s.fhit, "Fairways Hit"}};
    for (const auto& f : flags)
        for (int h = 1; h <= 18; ++h)
            if ((FlagOfHole(*f.stored, h) ? 1 : 0) != ((*f.shown)[h - 1] != 0 ? 1 : 0))
                return Changed(QString("Hole %1 %2").arg(h).arg(f.caption), hcp);
    return r2;
}

QString ChangedPrompt(const QString& field, const QString& secondLine) {
    return "The " + field.trimmed() + " has changed.\n\r" + secondLine;
}

std::optional<EmptyHoles> EmptyHolesQuestion(const std::array<int, 18>& gross) {
    QStringList holes;
    int first = 0;
    for (int nine = 0; nine < 2; ++nine) {
        const auto begin = gross.begin() + 9 * nine, end = begin + 9;
        if (std::none_of(begin, end, [](int g) { return g > 0; })) continue;
        for (auto it = begin; it != end; ++it)
            if (*it <= 0) {
                const int hole = static_cast<int>(it - gross.begin()) + 1;
                if (first == 0) first = hole;
                holes << QString::number(hole);
            }
    }
    if (holes.isEmpty()) return std::nullopt;
    const bool one = holes.size() == 1;
    const QString which = one ? "Hole " + holes[0] + " has" : "Holes " + holes.join(", ") + " have";
    return EmptyHoles{which +
                          " no score. Under the handicap rules a hole not played is scored as par plus any "
                          "handicap strokes: enter " +
                          (one ? "that score" : "those scores") + ", or save the round as it is?",
                      "&Save As It Is", one ? "&Enter the Score" : "&Enter the Scores", first};
}

QString CostRefusal(const QString& caption, const QString& text) {
    const QString t = text.trimmed();
    bool ok = t.isEmpty();
    if (!ok) {
        const double amount = QLocale::c().toDouble(t, &ok);
        ok = ok && amount >= 0 && amount < 1e7;
    }
    if (ok) return {};
    return "The " + caption + " \"" + t +
           "\" is not an amount. Please enter it as in 25.75, or leave it empty.";
}

}  // namespace dc
