#include "platform/Clock.h"

namespace dc {
namespace {
QDateTime& Fixed() {
    static QDateTime fixed;
    return fixed;
}
}  // namespace

QDateTime Now() { return Fixed().isValid() ? Fixed() : QDateTime::currentDateTime(); }
QDate Today() { return Now().date(); }
void SetNowForTests(const QDateTime& now) { Fixed() = now; }

}  // namespace dc
