#include "Record.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXYSeries>
#include <cmath>

#include "TestSupport.h"
#include "platform/PrintJob.h"
#include "platform/Spread.h"

namespace dc::test {

namespace {

QString Inches(double points) { return QString::number(std::round(points / 72.0 * 100) / 100, 'f', 2); }

// Inside a grid, a combo box or a chart: shown by its owner.
bool OwnedByControl(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const Spread*>(p) || qobject_cast<const QComboBox*>(p) ||
            qobject_cast<const QChartView*>(p))
            return true;
    return false;
}

QString SeriesText(QChartView& view) {
    QString out;
    for (QAbstractSeries* s : view.chart()->series()) {
        out += "series " + s->name() + ":";
        if (auto* xy = qobject_cast<QXYSeries*>(s))
            for (const QPointF& p : xy->points()) out += QString(" %1,%2").arg(p.x()).arg(p.y());
        out += "\n";
    }
    return out;
}

}  // namespace

QString GridText(const Spread& grid) {
    QString out;
    for (int r = 0; r <= grid.MaxRows(); ++r) {
        QStringList cells;
        for (int c = 0; c <= grid.MaxCols(); ++c) {
            if (c > 0 && grid.isColumnHidden(c - 1)) continue;
            const auto cell = grid.CellAt(c, r);
            if (!cell)
                cells << QString();
            else if (!cell->IsHeader() && cell->fmt.type == SpreadCellType::CheckBox)
                cells << (cell->Checked() ? "x" : ".");
            else
                cells << cell->data(Qt::DisplayRole).toString();
        }
        while (!cells.isEmpty() && cells.back().isEmpty()) cells.removeLast();
        out += "  |" + cells.join("|") + "\n";
    }
    return out;
}

QString ScreenText(QWidget& window) {
    QString out = window.windowTitle() + "\n";
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || OwnedByControl(w, &window)) continue;
        if (auto* grid = qobject_cast<Spread*>(w)) {
            out += "grid " + grid->objectName() + "\n" + GridText(*grid);
        } else if (auto* view = qobject_cast<QChartView*>(w)) {
            out += SeriesText(*view);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().isEmpty()) out += label->text() + "\n";
        } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            out += "[" + edit->text() + "]\n";
        } else if (auto* notes = qobject_cast<QPlainTextEdit*>(w)) {
            out += "[" + notes->toPlainText() + "]\n";
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            out += "<" + combo->currentText() + ">\n";
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            auto* button = static_cast<QAbstractButton*>(w);
            out += QString(button->isChecked() ? "(x) " : "( ) ") + button->text() + "\n";
        }
    }
    return out;
}

std::vector<PdfWord> PdfWords(const QByteArray& pdf, std::vector<QSizeF>* pages) {
    std::vector<PdfWord> words;
    QTemporaryDir dir;
    QFile file(dir.filePath("printout.pdf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size()) return words;
    file.close();
    QProcess p;
    p.start("pdftotext", {"-bbox", file.fileName(), "-"});
    p.waitForFinished(60000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression tag(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" )re"
        R"re(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    int page = 0;
    for (auto m = tag.globalMatch(html); m.hasNext();) {
        const auto match = m.next();
        if (!match.captured(1).isEmpty()) {
            ++page;
            if (pages) pages->emplace_back(match.captured(1).toDouble(), match.captured(2).toDouble());
            continue;
        }
        QString text = match.captured(7);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'");
        text.replace("&amp;", "&");
        words.push_back({page,
                         QRectF(QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()),
                                QPointF(match.captured(5).toDouble(), match.captured(6).toDouble())),
                         text});
    }
    return words;
}

QString PdfPlaces(const QByteArray& pdf) {
    std::vector<QSizeF> pages;
    const std::vector<PdfWord> words = PdfWords(pdf, &pages);
    QString out;
    for (size_t page = 1; page <= pages.size(); ++page) {
        out += QString("page %1 (%2 x %3 in)\n")
                   .arg(page)
                   .arg(Inches(pages[page - 1].width()), Inches(pages[page - 1].height()));
        // The words of one line: by the top of their boxes (rounded), then from the left.
        QMap<QString, std::vector<PdfWord>> lines;
        for (const PdfWord& w : words)
            if (w.page == int(page)) lines[Inches(w.box.top()).rightJustified(6, '0')].push_back(w);
        for (auto it = lines.begin(); it != lines.end(); ++it) {
            std::sort(it->begin(), it->end(),
                      [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
            QStringList parts;
            // Words of a fixed-pitch font one blank apart stay together (the blank as wide as their
            // letters); every other word keeps its own place.
            double end = -1e9, pitch = 0;
            for (const PdfWord& w : *it) {
                const double gap = w.box.left() - end;
                const double own = w.box.width() / std::max<qsizetype>(1, w.text.size());
                if (!parts.isEmpty() && std::abs(own - pitch) < 0.02 * pitch &&
                    std::abs(gap - pitch) < 0.03 * pitch)
                    parts.back() += " " + w.text;
                else
                    parts << Inches(w.box.left()) + " " + w.text;
                end = w.box.right();
                pitch = own;
            }
            out += "  " + it.key() + ": " + parts.join("  ") + "\n";
        }
    }
    return out;
}

QString PrintedOnBothPapers(const ScriptedMsgBox& boxes, const std::function<void()>& print) {
    QString out;
    EnvGuard toPrinter("DC_PRINT_PDF", QByteArray());
    for (const auto& [name, paper] :
         {std::pair{"Letter", QPageSize::Letter}, std::pair{"A4", QPageSize::A4}}) {
        StandInPrintSystem printer("Record", QPageSize(paper), QMarginsF(36, 36, 36, 36));
        const int before = boxes.Count();
        print();
        // DC_RECORD_PDFS names a folder that keeps the PDFs, to look at the pages.
        const QString keep = qEnvironmentVariable("DC_RECORD_PDFS");
        for (const auto& job : printer.Jobs()) {
            if (!keep.isEmpty()) {
                QFile copy(QDir(keep).filePath(QString("%1-%2.pdf").arg(PrintFileBase(job.title), name)));
                if (copy.open(QIODevice::WriteOnly)) copy.write(job.pdf);
            }
            out +=
                QString("== %1: \"%2\", %3 pages\n").arg(name, job.title).arg(job.pages) + PdfPlaces(job.pdf);
        }
        for (const QString& text : boxes.Texts().mid(before)) out += "message: " + text + "\n";
    }
    return out;
}

void CheckRecord(const QString& name, const QString& text) {
    const QString path = QStringLiteral(DC_SOURCE_DIR "/tests/record/") + name + ".txt";
    QFile file(path);
    if (qEnvironmentVariableIsSet("DC_WRITE_RECORD")) {
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        file.write(text.toUtf8());
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "No record " << name.toStdString() << ": scripts/write-record.sh writes it";
        return;
    }
    const QString recorded = QString::fromUtf8(file.readAll());
    if (recorded == text) return;
    QTemporaryDir dir;
    QFile now(dir.filePath(name + ".txt"));
    if (now.open(QIODevice::WriteOnly)) now.write(text.toUtf8());
    now.close();
    QProcess diff;
    diff.start("diff", {"-u", "--label", "recorded " + name, "--label", "shown now", path, now.fileName()});
    diff.waitForFinished(60000);
    ADD_FAILURE() << name.toStdString() << " differs from its record (scripts/write-record.sh writes it anew "
                  << "after a deliberate change):\n"
                  << diff.readAllStandardOutput().toStdString();
}

}  // namespace dc::test
