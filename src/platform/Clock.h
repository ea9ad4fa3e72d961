#pragma once
// "Today" and "now" for the whole program, from one place that tests can set.

#include <QDate>
#include <QDateTime>

namespace dc {

QDate Today();
QDateTime Now();
// Fixes the clock (an invalid value gives the real clock back).
void SetNowForTests(const QDateTime& now);

}  // namespace dc
