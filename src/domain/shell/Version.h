#pragma once
// The program's own version numbers and the database layout version they imply.

#include <QString>

namespace dc {

constexpr int kVersionMajor = DC_VERSION_MAJOR;
constexpr int kVersionMinor = DC_VERSION_MINOR;
constexpr int kVersionRevision = DC_VERSION_REVISION;

// The layout of the shipped blank database; a database stamped older than this is upgraded.
constexpr int kLayoutMajor = 5, kLayoutMinor = 4, kLayoutRevision = 0;
static_assert(kVersionMajor * 10000 + kVersionMinor * 100 + kVersionRevision >=
                  kLayoutMajor * 10000 + kLayoutMinor * 100 + kLayoutRevision,
              "the stamp written by an update must test as current");

// "5.5.0"
inline QString VersionText() {
    return QString("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
}

// "Dado Corvy 5.5.0": the program's title, of its main window and of every box that names none.
inline QString AppTitle() { return "Dado Corvy " + VersionText(); }

}  // namespace dc
