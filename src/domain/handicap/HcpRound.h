#pragma once
// One stored round as the index procedures see it: the columns they read, and the index,
// tournament index and adjusted score of each variant as they stand, updated in memory as runs
// write them so that later runs read what earlier ones wrote.

#include <QString>
#include <array>

#include "handicap/RoundRec.h"

namespace dc {

class Recordset;

struct HcpRound {
    int gameNumber = 0;
    int date = 0;  // ROUND_DATE as the number yyyymmdd; 0 when unreadable
    int courseId = 0;
    int teeBox = 0;
    double rating = 0;
    int slope = 0;
    bool useHcp = false;
    bool useTourn = false;
    std::array<int, 18> gross{};  // hole 1 first
    int gsf9 = 0;
    int gsb9 = 0;
    std::array<float, 6> hcpIndex{};  // by HcpVariant, as stored (empty reads 0)
    std::array<float, 6> tHcpIndex{};
    std::array<int, 6> adjScore{};

    // Sum of the gross scores of one nine.
    int GrossNine(bool front) const;

    // The PAR text, and its digits read once: hole i is character i of the text with the blanks
    // around it removed (older and converted rows may hold them), a missing or non-digit character 0.
    const QString& Par() const { return par_; }
    void SetPar(const QString& par);
    int ParOf(int hole) const { return parDigits_[hole - 1]; }
    const std::array<int, 18>& ParDigitsTrimmed() const { return parDigits_; }
    // The trimmed text reads as the number 0 (empty, or all zeros): no pars stored.
    bool NoPars() const { return noPars_; }

  private:
    QString par_;
    std::array<int, 18> parDigits_{};
    bool noPars_ = true;
};

// The digits of a pars text as the index procedures read them (see HcpRound::ParOf).
std::array<int, 18> ParDigits(const QString& pars);

// Reads the current row of a recordset opened with "SELECT * FROM INDIV_SCORES ..." (columns by
// position, as RoundFieldOrder fixes them).
HcpRound ReadHcpRound(const Recordset& rs);

// What one run of an index procedure writes into the row of its game.
struct HcpOutcome {
    float index = 0;
    float tIndex = -100;
    bool writeAdjScore = false;
    int adjScore = 0;
    bool writePar = false;  // 18-hole runs that recomputed the score
    QString par;
};

// Puts an outcome into a row's variant as it reads back once stored.
void ApplyOutcome(HcpRound& row, HcpVariant variant, const HcpOutcome& outcome);

}  // namespace dc
