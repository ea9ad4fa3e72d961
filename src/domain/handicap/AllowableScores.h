#pragma once
// The allowable score: the most a hole may count with in an adjusted score, by the course
// handicap, the rules (United States or Canada) and 18 holes or one nine. A numeric form for the
// index procedures and a text form for the main screen's six allowable-score texts.

#include <QString>
#include <array>

#include "handicap/HcpRules.h"
#include "handicap/RoundRec.h"

namespace dc {

// US: in the lowest band (course handicap up to 9 for 18 holes, up to 4 for a nine) the answer is
// 2, meaning par + 2; otherwise the absolute maximum per hole (7 to 10; 11 for a nine at 25 and up).
int AllowableScoreUS(int courseHcp, bool is18);
// True when AllowableScoreUS answers par-relative for this course handicap.
bool AllowableScoreUSParRelative(int courseHcp, bool is18);
// Canada: always strokes over par, 1 to 4.
int AllowableScoreCA(int courseHcp, bool is18);

// The most a hole of this par may count with. A par of 0 is unknown (no pars stored for the round
// or its tee box): a par-relative rule then caps nothing, an absolute maximum still applies.
inline constexpr int kNoHoleMaximum = 1000;
int HoleMaximum(RuleSet rules, int courseHcp, bool is18, int par);
// The same rule for one course handicap, worked out once for every hole of a round.
struct HoleMaximumRule {
    bool parRelative = false;
    int allowance = 0;  // over par when par-relative, else the maximum itself
    int Of(int par) const {
        if (!parRelative) return allowance;
        return par <= 0 ? kNoHoleMaximum : par + allowance;
    }
};
HoleMaximumRule HoleMaximumFor(RuleSet rules, int courseHcp, bool is18);
// A gross score cut to the maximum; a hole not played (0) counts 0.
inline int AllowedHoleScore(int gross, int maximum) { return gross > maximum ? maximum : gross; }

// The rule of one variant as the recomputation takes it: its rules, and the 18-hole table for
// 18 holes, the nine-hole table for a nine.
HoleMaximumRule VariantHoleMaximum(HcpVariant variant, int courseHcp);
// A rule as the screen shows it: "+2" (par-relative) or "7" (absolute).
QString HoleMaximumText(const HoleMaximumRule& rule);
// The text of one variant's rule; a US nine at 25 and up reads "11".
QString AllowableScoreText(HcpVariant variant, int courseHcp);

}  // namespace dc
