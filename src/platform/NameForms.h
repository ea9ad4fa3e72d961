#pragma once
// Shorter forms of a person's name for a place too narrow for it. Every form keeps the surname and
// the first name's initial: "Smythe, Dr. Bartholomew Maximilian" gives "Smythe, Bartholomew M.",
// "Smythe, B. M." and "Smythe, B."; "Bartholomew Maximilian Smythe" gives "Bartholomew M. Smythe",
// "B. M. Smythe" and "B. Smythe". Titles ("Dr.", "Mr.") are left out of the shorter forms.

#include <QString>
#include <QStringList>
#include <functional>

namespace dc {

// The name itself, then its shorter forms, longest first, without repeats.
QStringList ShortNameForms(const QString& name);
// The first form of the name that `fits` accepts; the shortest when none does.
QString FitName(const QString& name, const std::function<bool(const QString&)>& fits);

// FitName for every name of a list, keeping them apart: where two different names would read alike,
// each takes its next longer form until they differ (a longer form may then need a smaller print).
QStringList FitNames(const QStringList& names, const std::function<bool(const QString&)>& fits);

}  // namespace dc
