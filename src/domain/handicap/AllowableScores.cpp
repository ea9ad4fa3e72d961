#include "handicap/AllowableScores.h"

#include <algorithm>

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

HoleMaximumRule ScreenHoleMaximum(HcpVariant variant, int courseHcp) {
    const bool is18 = variant == US_18 || variant == CA_18;
    if (variant == CA_18 || variant == CA_F9 || variant == CA_B9)
        return HoleMaximumFor(RuleSet::CA, courseHcp, is18);
    HoleMaximumRule rule = HoleMaximumFor(RuleSet::US, courseHcp, is18);
    if (!rule.parRelative) rule.allowance = std::min(rule.allowance, 10);
    return rule;
}

QString HoleMaximumText(const HoleMaximumRule& rule) {
    return (rule.parRelative ? "+" : "") + QString::number(rule.allowance);
}

QString AllowableScoreText(HcpVariant variant, int courseHcp) {
    return HoleMaximumText(ScreenHoleMaximum(variant, courseHcp));
}

std::array<QString, 6> AllowableScoreTexts(const std::array<int, 6>& courseHcps) {
    std::array<QString, 6> texts;
    for (int v = 0; v < 6; ++v) texts[v] = AllowableScoreText(static_cast<HcpVariant>(v), courseHcps[v]);
    return texts;
}

}  // namespace dc
