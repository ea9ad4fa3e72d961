#pragma once
// What the main screen's source files share: the tag of its error reports and two texts.

#include <QString>

#include "platform/Clock.h"
#include "shell/DateFormat.h"

namespace dc::mainscreen {

inline const QString kTag = "Form Main Dado, ";
inline const QString kNoPlayer = "A Player's name must be entered.";
inline QString TodayText(const QString& dateFormat) { return FormatLocalDate(Today(), dateFormat); }

}  // namespace dc::mainscreen
