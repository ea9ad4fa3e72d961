#include "handicap/AllowableScores.h"

namespace dc {

int AllowableScoreUS(int courseHcp, bool is18) {
    if (is18) {
        if (courseHcp <= 9) return 2;
        if (courseHcp <= 19) return 7;
        if (courseHcp <= 29) return 8;
        if (courseHcp <= 39) return 9;
        return 10;
    }
    if (courseHcp <= 4) return 2;
    if (courseHcp <= 9) return 7;
    if (courseHcp <= 14) return 8;
    if (courseHcp <= 19) return 9;
    if (courseHcp <= 24) return 10;
    return 11;
}

bool AllowableScoreUSParRelative(int courseHcp, bool is18) { return courseHcp <= (is18 ? 9 : 4); }

int AllowableScoreCA(int courseHcp, bool is18) {
    if (courseHcp < 1) return 1;
    if (is18) {
        if (courseHcp <= 18) return 2;
        if (courseHcp <= 32) return 3;
        return 4;
    }
    if (courseHcp <= 9) return 2;
    if (courseHcp <= 18) return 3;
    return 4;
}

HoleMaximumRule HoleMaximumFor(RuleSet rules, int courseHcp, bool is18) {
    if (rules == RuleSet::CA) return {true, AllowableScoreCA(courseHcp, is18)};
    // An unknown par caps nothing where the rule is par-relative.
    return {AllowableScoreUSParRelative(courseHcp, is18), AllowableScoreUS(courseHcp, is18)};
}

int HoleMaximum(RuleSet rules, int courseHcp, bool is18, int par) {
    return HoleMaximumFor(rules, courseHcp, is18).Of(par);
}

HoleMaximumRule VariantHoleMaximum(HcpVariant variant, int courseHcp) {
    const RuleSet rules = variant >= CA_18 ? RuleSet::CA : RuleSet::US;
    return HoleMaximumFor(rules, courseHcp, variant == US_18 || variant == CA_18);
}

QString HoleMaximumText(const HoleMaximumRule& rule) {
    return (rule.parRelative ? "+" : "") + QString::number(rule.allowance);
}

QString AllowableScoreText(HcpVariant variant, int courseHcp) {
    return HoleMaximumText(VariantHoleMaximum(variant, courseHcp));
}

}  // namespace dc
