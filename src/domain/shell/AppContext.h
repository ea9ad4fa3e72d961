#pragma once
// The program's state shared between screens: the open database, the settings read at start-up,
// the chosen player, course, tee box and gender and the report screens' date range. Dialogs return
// their answers to their callers (a report screen the round it retrieves for the main screen).
// The program owns one and hands it to its screens by reference.

#include <QString>

#include "shell/LiveDatabase.h"

namespace dc {

class AppContext {
  public:
    AppContext();
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;
    AppContext& operator=(AppContext&&);

    // The open database; DbError 3420 "Object invalid or no longer set." when none is open.
    Database& Connection() const { return live_.Connection(); }
    bool HasDatabase() const { return live_.IsOpen(); }
    // The owner of the open database and its lock: opening, closing and replacing go through it.
    LiveDatabase& Live() { return live_; }
    // The notice of changes to what is stored (LiveDatabase::Changes).
    StoredChanges& Changes() const { return live_.Changes(); }

    // Back to the values at program start (the database closed).
    void Reset();

    // Settings and connection
    QString sDBPathFile;
    QString sMultimediaPath;
    bool bSounds = false;
    bool bFlag18_9 = false;              // true = 18 holes
    bool bUSCAFlag = false;              // true = US rules
    QString sDateFormat = "MM/DD/YYYY";  // or "DD/MM/YYYY"
    bool bErrorReport = false;

    // The chosen player, course, tee box and gender
    int nCurPlayerID = 0;
    int nCurCourseID = 0;
    int nCurTeeBox = 0;
    QString sCurGender;

    // The report screens' date range, in the user's date order
    QString sStartDate;
    QString sEndDate;

  private:
    LiveDatabase live_;
};

}  // namespace dc
