#pragma once
// The record's database: a club of 49 players, with 60-character names, names alike but for a
// middle initial or a last letter, one as long as the player editor takes; a course without yards
// or pars and one with pars 3 to 5, hole handicaps out of hole order and women's ratings, slopes,
// pars and hole handicaps of their own; nine-hole and tournament rounds, a beginner, a round stored
// without its pars and indexes held to two places; the index list, the game list and the labels
// run over a page.

#include "EngineDb.h"
#include "TestSupport.h"

namespace dc::test {

class Record : public EngineDb {
  protected:
    void SetUp() override;
    void TearDown() override;
    void AddRounds();

    ScriptedMsgBox boxes;
};

}  // namespace dc::test
