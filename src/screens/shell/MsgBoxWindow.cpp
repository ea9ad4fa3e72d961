#include "shell/MsgBoxWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <algorithm>

#include "platform/MsgBox.h"
#include "shell/OnScreen.h"

namespace dc {
namespace {

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(int style) {
    switch (style & 0x7) {
        case vbOKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case vbYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case vbYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case vbRetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

// A box appears while the user may still be typing: only Enter, Escape and the keys that move between
// the buttons reach it, so a typed letter or blank never answers a question.
class AnswerKeysOnly : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        // Alt+letter answers as the underlined letter says; Ctrl+C copies the text.
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Left:
            case Qt::Key_Right:
            case Qt::Key_Up:
            case Qt::Key_Down:
                return false;
            default:
                return true;
        }
    }
};

// The widest a box may be on its screen (as QMessageBox limits itself), and what the box keeps
// beside its text (the icon and the margins).
int BoxWidthLimit(const QWidget& box) {
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const int screenWidth = screen ? screen->availableGeometry().width() : 1024;
    return screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
}
constexpr int kBesideText = 100;

int ShowBox(const QString& text, int style, const QString& caption) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setTextFormat(Qt::PlainText);
    // One wrapping, the box's own at its width; a text too long for a box is cut, whole in the details,
    // above any technical lines given for them.
    const BoxText arranged = ArrangeBoxText(text);
    box.setText(arranged.shown);
    const QString details = QStringList{arranged.details, MsgBoxDetails()}.join("\n\n").trimmed();
    if (!details.isEmpty()) box.setDetailedText(details);
    box.installEventFilter(new OnScreen(&box));  // after it has sized itself to its text or details
    box.setIcon(IconOf(style));
    box.setStandardButtons(ButtonsOf(style));
    // Buttons named for what they do, in the style's order.
    const QStringList names = MsgBoxButtons();
    const QMessageBox::StandardButton order[] = {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No,
                                                 QMessageBox::Retry, QMessageBox::Cancel};
    int next = 0;
    for (QMessageBox::StandardButton b : order)
        if (QAbstractButton* button = box.button(b); button && next < names.size())
            button->setText(names[next++]);
    auto* keys = new AnswerKeysOnly(&box);
    box.installEventFilter(keys);
    for (QAbstractButton* button : box.buttons()) button->installEventFilter(keys);
    // At least as wide as its title (with room for the title bar's icon and buttons), so that a
    // short text such as "No matches found" does not cut the title; and as wide as its widest path
    // (up to what a box may take on this screen), a path wider still shortened in its middle.
    QFont titleFont = box.font();
    titleFont.setBold(true);
    int width = QFontMetrics(titleFont).horizontalAdvance(caption) + 120;
    const QFontMetrics metrics(box.font());
    const int room = BoxWidthLimit(box) - kBesideText;
    QString shown = arranged.shown;
    const QStringList lines = arranged.shown.split(u'\n');
    for (const QString& path : arranged.paths) {
        // The quotes and punctuation beside the path share its line.
        const auto line =
            std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(path); });
        const int beside = line == lines.end() ? 0 : metrics.horizontalAdvance(QString(*line).remove(path));
        const int pathWidth = metrics.horizontalAdvance(path);
        if (pathWidth + beside > room)
            shown.replace(path, metrics.elidedText(path, Qt::ElideMiddle, std::max(0, room - beside)));
        width = std::max(width, std::min(pathWidth + beside, room) + kBesideText);
    }
    if (shown != arranged.shown) {
        box.setText(shown);
        if (arranged.details.isEmpty()) box.setDetailedText(text);  // lays the box out anew
    }
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(),
                      0, 1, grid->columnCount());
    }
    switch (box.exec()) {
        case QMessageBox::Ok:
            return vbOK;
        case QMessageBox::Yes:
            return vbYes;
        case QMessageBox::No:
            return vbNo;
        case QMessageBox::Retry:
            return vbRetry;
        case QMessageBox::Cancel:
            return vbCancel;
        default:
            return UnansweredAnswer(style);  // the close box, or the program ending
    }
}

}  // namespace

void InstallMsgBoxWindow() { SetMsgBoxWindow(ShowBox); }

BoxText ArrangeBoxText(const QString& text) {
    QString whole = text;
    whole.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A long quoted text (a pasted value, a path) keeps its beginning.
    static const QRegularExpression quoted(
        QStringLiteral("\"([^\"\n]{%1,})\"|'([^'\n]{%1,})'").arg(kQuotedLimit + 1));
    QString shown;
    qsizetype from = 0;
    for (auto match = quoted.globalMatch(whole); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        const int group = m.capturedLength(1) > 0 ? 1 : 2;
        shown += QStringView(whole).mid(from, m.capturedStart(group) - from);
        shown += m.captured(group).left(kQuotedLimit) + QStringLiteral("...");
        from = m.capturedEnd(group);
    }
    shown += QStringView(whole).mid(from);
    // A text still too long for a box: its first lines, up to the limits.
    QStringList lines = shown.split(QLatin1Char('\n'));
    if (shown.size() > kShownLimit || lines.size() > kShownLines) {
        QStringList kept;
        qsizetype size = 0;
        for (const QString& line : lines) {
            if (kept.size() == kShownLines - 1 || size + line.size() > kShownLimit) {
                if (kept.isEmpty()) kept << line.left(kShownLimit);
                break;
            }
            kept << line;
            size += line.size() + 1;
        }
        kept.last() += QStringLiteral("...");
        shown = kept.join(QLatin1Char('\n'));
    }
    BoxText result;
    if (shown != whole) result.details = whole;
    // A path on a line of its own; between the paths, a word longer than a box is wide (a pasted
    // value) may break anywhere: a zero-width space after every kWordPiece characters of it.
    static const QRegularExpression longWord(QStringLiteral("\\S{%1,}").arg(kWordPiece + 1));
    auto breakable = [&](QStringView text) {
        QString out;
        qsizetype copied = 0;
        for (auto match = longWord.globalMatch(text); match.hasNext();) {
            const QRegularExpressionMatch m = match.next();
            out += text.mid(copied, m.capturedStart() - copied);
            QString word = m.captured();
            for (qsizetype at = kWordPiece; at < word.size(); at += kWordPiece + 1)
                word.insert(at, QChar(0x200B));
            out += word;
            copied = m.capturedEnd();
        }
        return out + text.mid(copied).toString();
    };
    // A path starts with "/" or "~/" at a word's start, and its folder names may hold any character,
    // quotes and apostrophes too ("Sean O'Brien's Files"). A quoted one runs to its closing quote: the
    // same quote before a blank, punctuation or the line's end, where the path does not go on. Any
    // other goes on over blanks while a later word still belongs to it: one holding a "/" (not after
    // its opening quotes, which begin another path), or, at most two words on, one ending in a file's
    // extension, as in "/home/ann/Golf Club Folder/Handicap Report.pdf". The quotes and punctuation
    // around a path stay on its line.
    static const QRegularExpression pathStart(QStringLiteral("(?:^|(?<=[\\s\"'(]))~?/\\S+"));
    static const QRegularExpression nextPart(QStringLiteral(
        "^(?:(?: [^\\s/.,;:!?](?:[^\\s/]*[^\\s/.,;:!?])?)*? (?![\"'(]*~?/)[^\\s/]+/\\S*"
        "|(?: [^\\s/\"'][^\\s/]*){0,2}? [^\\s/\"'][^\\s/]*\\.[A-Za-z0-9]{1,5}[.,;:)!?\"']*)(?=\\s|$)"));
    const QString around = QStringLiteral("\"'().,;:!?");
    // Where a path opened by `quote` at `start` closes, or -1.
    const auto closingQuote = [&](qsizetype start, QChar quote) -> qsizetype {
        for (qsizetype at = start; at < shown.size() && shown.at(at) != u'\n'; ++at) {
            if (shown.at(at) != quote) continue;
            const qsizetype next = at + 1;
            if (next < shown.size() && !shown.at(next).isSpace() &&
                !QStringLiteral(".,;:!?)").contains(shown.at(next)))
                continue;
            if (!nextPart.match(QStringView(shown).mid(next)).hasMatch()) return at;
        }
        return -1;
    };
    qsizetype copied = 0;
    for (auto match = pathStart.globalMatch(shown); match.hasNext();) {
        const QRegularExpressionMatch m = match.next();
        if (m.capturedStart() < copied) continue;
        qsizetype start = m.capturedStart(), end = m.capturedEnd();
        const QChar quote = start > 0 ? shown.at(start - 1) : QChar();
        const qsizetype closing = quote == u'\'' || quote == u'"' ? closingQuote(start, quote) : -1;
        const bool inQuotes = closing >= 0;
        if (inQuotes) end = closing;
        for (QRegularExpressionMatch more;
             !inQuotes && (more = nextPart.match(QStringView(shown).mid(end))).hasMatch();)
            end += more.capturedLength();
        qsizetype pathEnd = end;
        while (!inQuotes && pathEnd > start && QStringLiteral(".,;:)!?\"'").contains(shown.at(pathEnd - 1)))
            --pathEnd;
        while (end < shown.size() && around.contains(shown.at(end))) ++end;
        qsizetype lineStart = start;
        while (lineStart > copied && around.contains(shown.at(lineStart - 1))) --lineStart;
        QString before = breakable(QStringView(shown).mid(copied, lineStart - copied));
        while (before.endsWith(u' ')) before.chop(1);
        if (!before.isEmpty() && !before.endsWith(u'\n')) before += u'\n';
        QString path = shown.mid(start, pathEnd - start);
        path.replace(u' ', QChar(0x00A0));
        result.paths << path;
        // What ends the sentence stays on the path's line; the rest of the text starts a new one.
        qsizetype after = end;
        while (after < shown.size() && shown.at(after) == u' ') ++after;
        result.shown +=
            before + shown.mid(lineStart, start - lineStart) + path + shown.mid(pathEnd, end - pathEnd);
        if (after < shown.size() && shown.at(after) != u'\n') result.shown += u'\n';
        copied = after;
    }
    result.shown += breakable(QStringView(shown).mid(copied));
    return result;
}

}  // namespace dc
