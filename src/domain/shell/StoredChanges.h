#pragma once
// The notice that what is stored changed: every committed write to the open database and every
// switch to another database counts one change, and screens that show stored rounds, players or
// courses listen to Changed() to show what is stored now. Changed() comes from the event loop, once
// for any number of changes noted before it, never from inside the writing screen's work.

#include <QObject>

namespace dc {

class StoredChanges : public QObject {
    Q_OBJECT
  public:
    // The changes noted so far: a screen keeps the count it showed and compares.
    quint64 Count() const { return count_; }
    void Note();

  Q_SIGNALS:
    void Changed();

  private:
    quint64 count_ = 0;
    bool posted_ = false;
};

}  // namespace dc
