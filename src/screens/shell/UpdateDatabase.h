#pragma once
// The version update as the screens run it: the database brought up to date, then the user told of
// the update, of a missing blank database, or of the failure.

#include <QString>

namespace dc {

class LiveDatabase;

void UpdateDatabase(LiveDatabase& db, const QString& dbPathFile);

}  // namespace dc
