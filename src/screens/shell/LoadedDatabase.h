#pragma once
// The database a screen's records were loaded from. A screen that writes what it shows keeps one:
// it writes only while that database is still the open one, and when another database takes its
// place (the settings screen's switch) the screen is told, after the switch, to show the open one's.

#include <QObject>
#include <QString>
#include <functional>

namespace dc {

class AppContext;

class LoadedDatabase : public QObject {
    Q_OBJECT
  public:
    // `switched` runs from the event loop once another database is open than the one loaded from.
    LoadedDatabase(AppContext& ctx, QObject* parent, std::function<void()> switched);

    // True while the open database is the one the screen's records were loaded from.
    bool IsOpen() const;
    // The open database is the one the screen shows from now on.
    void Take();

  private:
    void CheckSwitch();

    AppContext& ctx_;
    std::function<void()> switched_;
    QString path_;  // the loaded database's file; empty when none was open
};

}  // namespace dc
