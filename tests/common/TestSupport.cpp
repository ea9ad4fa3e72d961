#include "TestSupport.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QHelpEvent>
#include <QListView>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/IniFile.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Spread.h"
#include "shell/ProgramDb.h"
#include "shell/ProgramFolder.h"
#include "shell/Version.h"

namespace dc::test {

void PinEnvironment() {
    // A test that runs its program again under a locale of its choosing says so.
    if (!qEnvironmentVariableIsSet("DC_TEST_OWN_LOCALE")) {
        for (const char* name : {"LANGUAGE", "LANG", "LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_COLLATE",
                                 "LC_MONETARY", "LC_MESSAGES", "LC_PAPER", "LC_NAME", "LC_ADDRESS",
                                 "LC_TELEPHONE", "LC_MEASUREMENT", "LC_IDENTIFICATION"})
            qunsetenv(name);
        qputenv("LC_ALL", "C.UTF-8");  // in every glibc; dates read as the United States'
    }
    qputenv("TZ", "UTC");
    ::tzset();
    for (const char* name : {"QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE", "QT_SCALE_FACTOR", "QT_FONT_DPI",
                             "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
                             "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_SCALE_FACTOR_ROUNDING_POLICY"})
        qunsetenv(name);
}

bool PinFont() {
    const QFont font(QStringLiteral("DejaVu Sans"), 9);
    if (QFontInfo(font).family() != font.family()) {
        std::fprintf(stderr,
                     "The tests need the font DejaVu Sans (package fonts-dejavu-core): %s is used instead.\n",
                     qPrintable(QFontInfo(font).family()));
        return false;
    }
    QApplication::setFont(font);
    return true;
}

AppContext& Ctx() {
    static AppContext context;
    return context;
}
Database& TestDb() { return Ctx().Connection(); }

ScriptedMsgBox::ScriptedMsgBox(std::deque<int> answers, int fallback)
    : answers_(std::move(answers)), fallback_(fallback) {
    SetMsgBoxResponder([this](const QString& text, int style, const QString& title) {
        texts_ << text;
        titles_ << title;
        styles_.push_back(style);
        buttons_.push_back(MsgBoxButtons());
        details_ << MsgBoxDetails();
        if (whileOpen) whileOpen(text);
        if (answers_.empty()) return fallback_;
        const int a = answers_.front();
        answers_.pop_front();
        return a;
    });
}

ScriptedMsgBox::~ScriptedMsgBox() { SetMsgBoxResponder(nullptr); }

ScriptedModal::ScriptedModal(std::function<int(QDialog&)> act) {
    SetModalRunner([this, act](QDialog& d) {
        ++count_;
        return act(d);
    });
}

ScriptedModal::~ScriptedModal() { SetModalRunner(nullptr); }

SmallFileSystem::SmallFileSystem(const char* size) {
    // In a mount namespace of this test program's own, so that a killed run leaves no mount behind.
    static const bool own =
        ::unshare(CLONE_NEWNS) == 0 && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    (void)own;
    const QByteArray options = QByteArray("size=") + size;
    mounted_ =
        ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, options.constData()) == 0;
}

SmallFileSystem::~SmallFileSystem() {
    if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

bool SmallFileSystem::MakeReadOnly() {
    return ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                   nullptr) == 0;
}

void FillDisk(const QString& path) {
    QFile filler(path);
    filler.open(QIODevice::WriteOnly);
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
}

ProgramFolder::ProgramFolder() {
    Ctx().Reset();
    SetMsgBoxTitle(QString());
    QDir(dir_.path()).mkpath("DBFiles");
    QFile::copy(DC_BLANK_DB, DbFiles() + "/CV54Blank.MDB");
    SetProgramFolder(dir_.path());
}

ProgramFolder::~ProgramFolder() {
    Ctx().Reset();
    SetMsgBoxTitle(QString());
    SetProgramFolder(QString());
    RemoveTree(dir_.path());
}

void RemoveTree(const QString& path) {
    std::error_code ignored;
    std::filesystem::remove_all(QFile::encodeName(path).toStdString(), ignored);
}

QString ProgramFolder::MakeDatabase(const QString& name, const QString& version) {
    const QString path = dir_.path() + "/" + name;
    QFile::remove(path);
    QFile::copy(DC_BLANK_DB, path);
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    auto db = Database::Open(path, kDBPassword);
    db->Execute(
        "INSERT INTO SETUP (SOUNDS, FLAG_18_9, US_CA_FLAG, LABEL_STYLE, XOFFSET, YOFFSET, VERSION) "
        "VALUES (0, 1, 1, '2', 0, 0, ?)",
        {version.isNull() ? VersionText() : version});
    return path;
}

QString ProgramFolder::OpenDatabase(const QString& name) {
    const QString path = MakeDatabase(name);
    Ctx().sDBPathFile = path;
    SetMsgBoxTitle(AppTitle());
    Ctx().Live().Adopt(OpenProgramDatabase(path));
    return path;
}

void ProgramFolder::WriteIni(const QString& dbPath, const QString& multimediaPath) {
    WriteIniValue("PATH", "DBPathFile", dbPath, IniFilePath());
    WriteIniValue("PATH", "MultimediaPath", multimediaPath, IniFilePath());
}

FixedClock::FixedClock(const QDateTime& now) { SetNowForTests(now); }
FixedClock::~FixedClock() { SetNowForTests(QDateTime()); }

ShortBusyTimeout::ShortBusyTimeout() { Database::SetBusyTimeout(50); }
ShortBusyTimeout::~ShortBusyTimeout() { Database::SetBusyTimeout(Database::kDefaultBusyTimeout); }

void LetEarlierTimersFire(int ms) {
    QTimer later;
    later.setTimerType(Qt::PreciseTimer);  // a coarse one may fire up to 5 % early
    later.setSingleShot(true);
    QSignalSpy fired(&later, &QTimer::timeout);
    later.start(ms);
    EXPECT_TRUE(fired.wait(ms + kGenerousWaitMs));
}

QString PdfText(const QString& pdfPath) {
    QProcess p;
    p.start("pdftotext", {"-layout", pdfPath, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList LayoutFaults(QWidget& window, QSize size) {
    QStringList faults;
    window.resize(size);
    window.show();
    QCoreApplication::processEvents();
    if (window.width() > size.width() || window.height() > size.height())
        faults << QString("the window needs %1x%2").arg(window.width()).arg(window.height());
    const QRect inside = window.rect();
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() || w->window() != &window) continue;
        const QRect r(w->mapTo(&window, QPoint(0, 0)), w->size());
        if (!inside.contains(r) && !r.isEmpty())
            faults << w->objectName() + " " + w->metaObject()->className() + " outside";
    }
    // The text of the tooltip the cell shows when the mouse rests on it.
    const auto tip = [](Spread& grid, const QModelIndex& index) {
        const QRect cell = grid.visualRect(index);
        QHelpEvent help(QEvent::ToolTip, cell.center(), grid.viewport()->mapToGlobal(cell.center()));
        QCoreApplication::sendEvent(grid.viewport(), &help);
        const QString text = QToolTip::isVisible() ? QToolTip::text() : QString();
        QToolTip::hideText();
        return text;
    };
    // A plain list of names: no sideways scrolling, a cut name whole in its tooltip.
    for (QListView* list : window.findChildren<QListView*>()) {
        if (!list->isVisible() || list->window() != &window)
            continue;  // a drop-down's list is its own window
        if (list->horizontalScrollBar()->maximum() > 0) faults << list->objectName() + " scrolls sideways";
        for (int r = 0; r < list->model()->rowCount(); ++r) {
            const QModelIndex index = list->model()->index(r, list->modelColumn());
            const QString text = index.data().toString();
            // An item is as wide as its text: what the viewport shows of it counts.
            const QRect cell = list->visualRect(index).intersected(list->viewport()->rect());
            if (list->fontMetrics().horizontalAdvance(text) + 4 <= cell.width()) continue;
            QHelpEvent help(QEvent::ToolTip, cell.center(), list->viewport()->mapToGlobal(cell.center()));
            QCoreApplication::sendEvent(list->viewport(), &help);
            const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
            QToolTip::hideText();
            if (shown != text) faults << QString("%1 cuts \"%2\"").arg(list->objectName(), text);
        }
    }
    // A drop-down list: opens as wide as its longest entry; a chosen entry its box cuts is the tooltip.
    for (QComboBox* box : window.findChildren<QComboBox*>()) {
        if (!box->isVisible() || box->count() == 0) continue;
        const QFontMetrics metrics(box->view()->font());
        int widest = 0;
        for (int i = 0; i < box->count(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(box->itemText(i)));
        box->showPopup();
        QCoreApplication::processEvents();
        const int open = box->view()->viewport()->width();
        box->hidePopup();
        if (open < widest + 4)
            faults << QString("%1 opens %2 wide for %3").arg(box->objectName()).arg(open).arg(widest);
        const QString text = box->currentText();
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        const QRect field =
            box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        if (box->fontMetrics().horizontalAdvance(text) + 4 > field.width()) {
            QHelpEvent help(QEvent::ToolTip, box->rect().center(), box->mapToGlobal(box->rect().center()));
            QCoreApplication::sendEvent(box, &help);
            const QString shown = QToolTip::isVisible() ? QToolTip::text() : QString();
            QToolTip::hideText();
            if (shown != text) faults << QString("%1 cuts \"%2\"").arg(box->objectName(), text);
        }
    }
    for (Spread* grid : window.findChildren<Spread*>()) {
        if (!grid->isVisible()) continue;  // a grid on another tab, or never shown
        if (grid->horizontalScrollBar()->maximum() > 0) faults << grid->objectName() + " scrolls sideways";
        const QFontMetrics metrics(grid->font());
        for (int c = 1; c <= grid->MaxCols(); ++c) {
            if (grid->isColumnHidden(c - 1) || grid->columnWidth(c - 1) == 0) continue;
            for (int r = 1; r <= grid->MaxRows(); ++r) {
                const QModelIndex index = grid->model()->index(r - 1, c - 1);
                const QString text = index.data().toString();
                if (metrics.horizontalAdvance(text) + 4 > grid->columnWidth(c - 1) &&
                    tip(*grid, index) != text)
                    faults << QString("%1 column %2 cuts \"%3\"").arg(grid->objectName()).arg(c).arg(text);
            }
        }
        if (grid->verticalHeader()->isHidden()) continue;
        for (int r = 1; r <= grid->MaxRows(); ++r) {
            const QString label = grid->CellText(0, r);
            if (QFontMetrics(grid->verticalHeader()->font()).horizontalAdvance(label) + 4 >
                grid->verticalHeader()->width())
                faults << QString("%1 row label \"%2\" cut").arg(grid->objectName(), label);
        }
    }
    return faults;
}

namespace {

class StandIn : public PrintSystem {
  public:
    explicit StandIn(std::shared_ptr<StandInPrintSystem::State> state) : state_(std::move(state)) {}
    std::optional<PrinterFacts> DefaultPrinter() const override { return state_->printer; }
    JobResult Submit(const QString& printer, const QString& pdfPath, const QString& title,
                     const QPageSize& paper, const JobWatch& watch) override {
        QFile file(pdfPath);
        const QByteArray pdf = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const int pages = static_cast<int>(
            QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
        if (!watch.mayLetGo()) return {};
        state_->jobs.push_back({printer, title, paper.key(), pages, pdf});
        if (!state_->refusal.isEmpty()) return {false, state_->refusal};
        return {true, {}};
    }

  private:
    std::shared_ptr<StandInPrintSystem::State> state_;
};

}  // namespace

StandInPrintSystem::StandInPrintSystem(const QString& name, QPageSize paper, QMarginsF margins)
    : state_(std::make_shared<State>()) {
    if (!name.isEmpty()) state_->printer = PrinterFacts{name, paper, margins};
    SetPrintSystem(std::make_unique<StandIn>(state_));
}

StandInPrintSystem::~StandInPrintSystem() { SetPrintSystem(nullptr); }

namespace {

// A text's inked box in twips from the printable corner.
QRectF TextBox(const PrintOp& op) {
    const double em = op.fontSize * kTwipsPerPoint, width = em * RecordingPrinterPage::kCharWidthEm;
    const QString trimmed = op.text.trimmed();
    const double lead = op.text.indexOf(trimmed) * width;
    return QRectF(op.xTwips + lead, op.yTwips, trimmed.size() * width, em);
}

QString Where(const PrintOp& op) {
    return QStringLiteral("\"%1\" (document %2, page %3)").arg(op.text).arg(op.document).arg(op.page);
}

}  // namespace

const PrintOp& Printed(const PrintLog& log, const QString& text) {
    if (const PrintOp* op = log.Find(text)) return *op;
    ADD_FAILURE() << "nothing printed reads \"" << text.toStdString() << "\"";
    static const PrintOp none;
    return none;
}

QStringList OutsidePrintable(const PrintLog& log, const RecordingPrinterPage::Paper& paper) {
    QStringList faults;
    constexpr double kTolerance = 1;  // twips
    for (const PrintOp& op : log.ops) {
        if (op.kind != PrintOp::Text && op.kind != PrintOp::Line) continue;
        if (op.kind == PrintOp::Text && op.text.trimmed().isEmpty()) continue;
        QSizeF area(paper.widthTwips - paper.marginLeftTwips - paper.marginRightTwips,
                    paper.heightTwips - paper.marginTopTwips - paper.marginBottomTwips);
        if (op.orientation == kLandscape) area.transpose();
        const QRectF box =
            op.kind == PrintOp::Text
                ? TextBox(op)
                : QRectF(QPointF(op.xTwips, op.yTwips), QPointF(op.x2Twips, op.y2Twips)).normalized();
        if (box.left() < -kTolerance || box.top() < -kTolerance || box.right() > area.width() + kTolerance ||
            box.bottom() > area.height() + kTolerance)
            faults << (op.kind == PrintOp::Text ? Where(op) : QStringLiteral("a line")) +
                          QStringLiteral(" at %1,%2-%3,%4 twips outside %5x%6")
                              .arg(box.left())
                              .arg(box.top())
                              .arg(box.right())
                              .arg(box.bottom())
                              .arg(area.width())
                              .arg(area.height());
    }
    return faults;
}

QStringList OverlappingTexts(const PrintLog& log) {
    QStringList faults;
    std::vector<PrintOp> texts;
    for (const PrintOp& op : log.Texts())
        if (!op.text.trimmed().isEmpty()) texts.push_back(op);
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const PrintOp &a = texts[i], &b = texts[j];
            if (a.document != b.document || a.page != b.page) continue;
            const QRectF overlap = TextBox(a).intersected(TextBox(b));
            if (overlap.width() > 1 && overlap.height() > 1) faults << Where(a) + " overlaps " + Where(b);
        }
    return faults;
}

const std::vector<TestPaper>& TestPapers() {
    static const std::vector<TestPaper> papers = [] {
        std::vector<TestPaper> all;
        const struct {
            const char* name;
            double width, height, margin;
        } cases[] = {{"A4 0.25in", 11906, 16838, 360},
                     {"A4 0.5in", 11906, 16838, 720},
                     {"Letter 0.25in", 12240, 15840, 360},
                     {"Letter 0.5in", 12240, 15840, 720}};
        for (const auto& c : cases) {
            RecordingPrinterPage::Paper paper;
            paper.widthTwips = c.width;
            paper.heightTwips = c.height;
            paper.marginLeftTwips = paper.marginRightTwips = paper.marginTopTwips = paper.marginBottomTwips =
                c.margin;
            all.push_back({c.name, paper});
        }
        return all;
    }();
    return papers;
}

QStringList PrintFaults(const PrintLog& log, const RecordingPrinterPage::Paper& paper) {
    return OutsidePrintable(log, paper) + OverlappingTexts(log);
}

int InChild(const std::function<int()>& child) {
    const pid_t pid = fork();
    if (pid == 0) _exit(child());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace dc::test
