#include "platform/NameForms.h"

#include <QSet>
#include <map>
#include <vector>

namespace dc {
namespace {

// "Dr.", "Mr.", "Mrs.", "Ms.", "Prof.": a short word ending with a full stop, before the name.
bool IsTitle(const QString& word) { return word.size() >= 3 && word.size() <= 5 && word.endsWith(u'.'); }

QString Initial(const QString& word) {
    for (const QChar c : word)
        if (c.isLetter()) return QString(c) + u'.';
    return word;
}

// The given names' forms: middle names as initials, then all as initials, then the first's alone.
QList<QStringList> GivenForms(QStringList given) {
    given.removeIf(IsTitle);
    if (given.isEmpty()) return {};
    QStringList middle = given, all;
    for (qsizetype i = 1; i < middle.size(); ++i) middle[i] = Initial(middle[i]);
    for (const QString& word : given) all << Initial(word);
    return {middle, all, {Initial(given.first())}};
}

}  // namespace

QStringList ShortNameForms(const QString& name) {
    const QString whole = name.simplified();
    QStringList forms{whole};
    const qsizetype comma = whole.indexOf(u',');
    if (comma > 0) {
        const QString surname = whole.left(comma).trimmed();
        const QStringList given = whole.mid(comma + 1).split(u' ', Qt::SkipEmptyParts);
        for (const QStringList& form : GivenForms(given))
            forms << surname + QStringLiteral(", ") + form.join(u' ');
    } else {
        QStringList words = whole.split(u' ', Qt::SkipEmptyParts);
        if (words.size() > 1) {
            const QString surname = words.takeLast();
            for (const QStringList& form : GivenForms(words)) forms << form.join(u' ') + u' ' + surname;
        }
    }
    forms.removeDuplicates();
    return forms;
}

QString FitName(const QString& name, const std::function<bool(const QString&)>& fits) {
    const QStringList forms = ShortNameForms(name);
    for (const QString& form : forms)
        if (fits(form)) return form;
    return forms.last();
}

QStringList FitNames(const QStringList& names, const std::function<bool(const QString&)>& fits) {
    std::vector<QStringList> forms;
    std::vector<qsizetype> chosen;
    for (const QString& name : names) {
        forms.push_back(ShortNameForms(name));
        const QStringList& f = forms.back();
        qsizetype i = 0;
        while (i + 1 < f.size() && !fits(f[i])) ++i;
        chosen.push_back(i);
    }
    for (bool apart = false; !apart;) {
        apart = true;
        std::map<QString, QSet<QString>> readers;  // a printed form and the whole names it stands for
        for (size_t i = 0; i < forms.size(); ++i) readers[forms[i][chosen[i]]].insert(forms[i].first());
        for (size_t i = 0; i < forms.size(); ++i)
            if (readers[forms[i][chosen[i]]].size() > 1 && chosen[i] > 0) {
                --chosen[i];
                apart = false;
            }
    }
    QStringList fitted;
    for (size_t i = 0; i < forms.size(); ++i) fitted << forms[i][chosen[i]];
    return fitted;
}

}  // namespace dc
