#pragma once
// Shorter forms of a person's name for a place too narrow for it. Every form keeps the whole surname
// and the first name's initial: "Smythe, Dr. Bartholomew Maximilian" gives "Smythe, Bartholomew M.",
// "Smythe, B. M." and "Smythe, B."; "Bartholomew Maximilian Smythe" gives "Bartholomew M. Smythe",
// "B. M. Smythe" and "B. Smythe". Titles ("Dr.", "Mr.") are left out of the shorter forms.

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace dc {

// The name itself, then its shorter forms, longest first, without repeats. A name without a comma
// has its given names first; `surname` names the words it ends with (by default its last word).
QStringList ShortNameForms(const QString& name, const QString& surname = {});

// The names of one printout or list, and those a single printed name must not be taken for (the
// club's players): every place that prints a name takes its form from such a set, so that two
// different names never read alike.
class NameSet {
  public:
    NameSet() = default;
    explicit NameSet(const QStringList& names);
    // `listed`: a form that leaves out a middle initial, as a list prints the name ("John Smith" for
    // "John A Smith"); it comes first while no other name of the set reads like it.
    void Add(const QString& name, const QString& surname = {}, const QString& listed = {});
    // The forms of the name that no other name of the set shares, longest first: its shorter forms
    // as ShortNameForms gives them; where those read alike, further ones shorter than the last left,
    // that keep the given names which tell the two apart whole ("Baker, C. J. Aab"). A name not in
    // the set has all its shorter forms.
    QStringList Forms(const QString& name) const;
    // The first of the forms that `fits`; the shortest when none does (to be printed smaller).
    QString Fit(const QString& name, const std::function<bool(const QString&)>& fits) const;

  private:
    struct Known {
        QStringList forms;      // ShortNameForms, then the further forms
        qsizetype shorter = 0;  // how many of them ShortNameForms gave
        QString listed;
    };
    Known FormsOf(const QString& name, const QString& surname) const;
    QHash<QString, Known> names_;            // by the name with single blanks
    QHash<QString, QSet<QString>> readers_;  // a form and the names it may stand for
};

// The name's form alone (NameSet without other names).
QString FitName(const QString& name, const std::function<bool(const QString&)>& fits);
// The forms of the names of one list, kept apart (NameSet of the list).
QStringList FitNames(const QStringList& names, const std::function<bool(const QString&)>& fits);

// Names a list prints without the middle initial, given name first ("John Smith") or surname first
// ("Smith, John"): each as its list gives it, with its middle initial ("John A Smith", "Smith,
// John A") where two would otherwise read alike.
struct PersonName {
    QString first, middle, last;
};
enum class NameOrder { FirstLast, LastFirst };
QStringList ListedNames(const std::vector<PersonName>& names, NameOrder order = NameOrder::FirstLast);

}  // namespace dc
