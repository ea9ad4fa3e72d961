#include "platform/NameForms.h"

#include <algorithm>

namespace dc {
namespace {

// "Dr.", "Mr.", "Mrs.", "Ms.", "Prof.": a short word ending with a full stop, before the name.
bool IsTitle(const QString& word) { return word.size() >= 3 && word.size() <= 5 && word.endsWith(u'.'); }

QString Initial(const QString& word) {
    for (const QChar c : word)
        if (c.isLetter()) return QString(c) + u'.';
    return word;
}

// A name taken apart: the surname stays whole in every form.
struct Parts {
    QString whole, surname;
    QStringList given;  // without titles
    bool givenFirst = false;
    QString With(const QStringList& givenForm) const {
        const QString g = givenForm.join(u' ');
        return givenFirst ? g + u' ' + surname : surname + QStringLiteral(", ") + g;
    }
};

Parts Parse(const QString& name, const QString& surname) {
    Parts p;
    p.whole = name.simplified();
    const qsizetype comma = p.whole.indexOf(u',');
    if (comma > 0) {
        p.surname = p.whole.left(comma).trimmed();
        p.given = p.whole.mid(comma + 1).split(u' ', Qt::SkipEmptyParts);
    } else {
        const QString last = surname.simplified();
        p.givenFirst = true;
        if (!last.isEmpty() && p.whole.size() > last.size() && p.whole.endsWith(u' ' + last)) {
            p.surname = last;
            p.given = p.whole.left(p.whole.size() - last.size() - 1).split(u' ', Qt::SkipEmptyParts);
        } else {
            p.given = p.whole.split(u' ', Qt::SkipEmptyParts);
            p.surname = p.given.isEmpty() ? QString() : p.given.takeLast();
        }
    }
    p.given.removeIf(IsTitle);
    return p;
}

// Given names with only the words `whole` spelled out, the others as initials.
QStringList Spelled(const QStringList& given, const std::function<bool(qsizetype)>& whole) {
    QStringList form;
    for (qsizetype i = 0; i < given.size(); ++i) form << (whole(i) ? given[i] : Initial(given[i]));
    return form;
}

}  // namespace

QStringList ShortNameForms(const QString& name, const QString& surname) {
    const Parts p = Parse(name, surname);
    QStringList forms{p.whole};
    if (!p.given.isEmpty()) {
        forms << p.With(Spelled(p.given, [](qsizetype i) { return i == 0; }))  // middle names as initials
              << p.With(Spelled(p.given, [](qsizetype) { return false; }))   // all as initials
              << p.With({Initial(p.given.first())});                         // the first's alone
    }
    forms.removeDuplicates();
    return forms;
}

NameSet::Known NameSet::FormsOf(const QString& name, const QString& surname) const {
    Known known;
    known.forms = ShortNameForms(name, surname);
    known.shorter = known.forms.size();
    // Further forms: every given name whole, and each given name whole alone or beside the first
    // (a one-letter name stays an initial: "Q" and "Q." read alike).
    const Parts p = Parse(name, surname);
    const auto spelled = [&p](qsizetype i) { return p.given[i].size() > 1; };
    QStringList further{p.With(p.given)};
    for (qsizetype w = 0; w < p.given.size(); ++w) {
        further << p.With(Spelled(p.given, [&](qsizetype i) { return i == w && spelled(i); }))
                << p.With(Spelled(p.given, [&](qsizetype i) { return (i == w || i == 0) && spelled(i); }));
    }
    for (const QString& form : further)
        if (!p.given.isEmpty() && !known.forms.contains(form)) known.forms << form;
    return known;
}

NameSet::NameSet(const QStringList& names) {
    for (const QString& name : names) Add(name);
}

void NameSet::Add(const QString& name, const QString& surname, const QString& listed) {
    const QString key = name.simplified();
    if (key.isEmpty() || names_.contains(key)) return;
    Known known = FormsOf(key, surname);
    known.listed = listed.simplified();
    names_.insert(key, known);
    for (const QString& form : known.forms) readers_[form].insert(key);
    if (!known.listed.isEmpty()) readers_[known.listed].insert(key);
}

QStringList NameSet::Forms(const QString& name) const {
    const QString key = name.simplified();
    const auto found = names_.constFind(key);
    const Known known = found != names_.cend() ? *found : FormsOf(key, {});
    const auto apart = [&](const QString& form) {
        const QSet<QString> readers = readers_.value(form);
        return readers.isEmpty() || (readers.size() == 1 && readers.contains(key));
    };
    QStringList kept;
    for (qsizetype i = 0; i < known.shorter; ++i)
        if (apart(known.forms[i])) kept << known.forms[i];
    if (!known.listed.isEmpty() && apart(known.listed)) {
        kept.removeIf([&](const QString& form) { return form.size() >= known.listed.size(); });
        kept.prepend(known.listed);
        return kept;
    }
    if (kept.size() == known.shorter) return kept;
    QStringList further;
    for (qsizetype i = known.shorter; i < known.forms.size(); ++i) {
        const QString& form = known.forms[i];
        if (apart(form) && (kept.isEmpty() || form.size() < kept.last().size())) further << form;
    }
    std::stable_sort(further.begin(), further.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    kept << further;
    if (kept.isEmpty()) kept << key;  // the name itself is another's shorter form: it stays whole
    return kept;
}

QString NameSet::Fit(const QString& name, const std::function<bool(const QString&)>& fits) const {
    const QStringList forms = Forms(name);
    for (const QString& form : forms)
        if (fits(form)) return form;
    return forms.last();
}

QString FitName(const QString& name, const std::function<bool(const QString&)>& fits) {
    return NameSet().Fit(name, fits);
}

QStringList FitNames(const QStringList& names, const std::function<bool(const QString&)>& fits) {
    const NameSet set(names);
    QStringList fitted;
    for (const QString& name : names) fitted << set.Fit(name, fits);
    return fitted;
}

QStringList ListedNames(const std::vector<PersonName>& names, NameOrder order) {
    const auto form = [order](const PersonName& n, const QString& middle) {
        return (order == NameOrder::FirstLast
                    ? n.first + u' ' + middle + u' ' + n.last
                    : n.last.trimmed() + QStringLiteral(", ") + n.first + u' ' + middle)
            .simplified();
    };
    NameSet set;
    for (const PersonName& n : names)
        set.Add(form(n, n.middle), order == NameOrder::FirstLast ? n.last : QString(), form(n, QString()));
    QStringList listed;
    for (const PersonName& n : names) listed << set.Forms(form(n, n.middle)).value(0);
    return listed;
}

}  // namespace dc
