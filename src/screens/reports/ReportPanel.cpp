#include "reports/ReportPanel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTimer>

#include "platform/Clock.h"
#include "platform/MaskEdBox.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "reports/DateChecks.h"
#include "shell/AppContext.h"
#include "shell/DateFormat.h"
#include "shell/Global.h"
#include "shell/GridFit.h"
#include "shell/ListLoaders.h"
#include "shell/ScreenBoxes.h"
#include "shell/frmCalendar.h"

namespace dc {

namespace {

MaskEdBox* DateBox(QWidget* parent, const char* name) {
    auto* box = new MaskEdBox(parent);
    box->setObjectName(name);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance("00/00/00000") + 16);
    return box;
}

QPushButton* CalendarButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setIcon(parent->style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    button->setToolTip("Pick the date in the calendar");
    return button;
}

}  // namespace

ReportPanel::ReportPanel(AppContext& ctx, QWidget* owner, bool allPlayers, bool calendars)
    : QObject(owner), ctx_(ctx), owner_(owner) {
    fraPlayers = new QGroupBox(allPlayers ? "Players" : "Player", owner);
    fraPlayers->setObjectName("Frame3");
    auto* pl = new QVBoxLayout(fraPlayers);
    cboPlayer = new QComboBox(fraPlayers);
    cboPlayer->setObjectName("cboPlayer");
    cboPlayer->setMinimumWidth(240);
    FitComboBox(*cboPlayer);
    pl->addWidget(cboPlayer);
    if (allPlayers) {
        auto* row = new QHBoxLayout;
        chkAllPlayers = new QCheckBox("All Players", fraPlayers);
        chkAllPlayers->setObjectName("chkAllPlayers");
        NGCap = new QLabel(fraPlayers);
        NGCap->setObjectName("NGCap");
        row->addWidget(chkAllPlayers);
        row->addStretch();
        row->addWidget(NGCap);
        pl->addLayout(row);
        connect(chkAllPlayers, &QCheckBox::toggled, cboPlayer,
                [this](bool on) { cboPlayer->setVisible(!on); });
    }
    fraCourses = new QGroupBox("Courses", owner);
    fraCourses->setObjectName("Frame2");
    auto* cl = new QVBoxLayout(fraCourses);
    cboCourse = new QComboBox(fraCourses);
    FitComboBox(*cboCourse);
    cboCourse->setObjectName("cboCourse");
    cboCourse->setMinimumWidth(240);
    cl->addWidget(cboCourse);
    auto* crow = new QHBoxLayout;
    chkAllCourses = new QCheckBox("All Courses", fraCourses);
    chkAllCourses->setObjectName("chkAllCourses");
    NCCap = new QLabel(fraCourses);
    NCCap->setObjectName("NCCap");
    crow->addWidget(chkAllCourses);
    crow->addStretch();
    crow->addWidget(NCCap);
    cl->addLayout(crow);
    connect(chkAllCourses, &QCheckBox::toggled, cboCourse, [this](bool on) { cboCourse->setVisible(!on); });

    dates = new QWidget(owner);
    auto* dl = new QGridLayout(dates);
    dl->setContentsMargins(0, 0, 0, 0);
    txtSDate = DateBox(dates, "txtSDate");
    txtEDate = DateBox(dates, "txtEDate");
    dl->addWidget(new QLabel("Start Date", dates), 0, 0);
    dl->addWidget(txtSDate, 0, 1);
    dl->addWidget(new QLabel("End Date", dates), 1, 0);
    dl->addWidget(txtEDate, 1, 1);
    if (calendars) {
        cmdCalSDate = CalendarButton(dates, "cmdCalSDate");
        cmdCalEDate = CalendarButton(dates, "cmdCalEDate");
        dl->addWidget(cmdCalSDate, 0, 2);
        dl->addWidget(cmdCalEDate, 1, 2);
        connect(cmdCalSDate, &QPushButton::clicked, this, [this] { PickDate(txtSDate); });
        connect(cmdCalEDate, &QPushButton::clicked, this, [this] { PickDate(txtEDate); });
    }
    // A date typed by the user counts once the typing pauses, or when Enter is pressed or the box
    // is left: typing over a date in place passes through other valid dates, and each would
    // recompute the whole report. A date set by the program (the calendar) counts at once.
    for (MaskEdBox* box : {txtSDate, txtEDate}) {
        auto* pause = new QTimer(box);
        pause->setSingleShot(true);
        pause->setInterval(kTypingPauseMs);
        connect(box, &QLineEdit::textEdited, pause, qOverload<>(&QTimer::start));
        connect(box, &QLineEdit::textChanged, this, [this, box, pause] {
            if (!pause->isActive() && !box->isModified()) TakeDate(box);
        });
        connect(pause, &QTimer::timeout, this, [this, box] { TakeDate(box); });
        connect(box, &QLineEdit::editingFinished, this, [this, box, pause] {
            if (!pause->isActive()) return;
            pause->stop();
            TakeDate(box);
        });
    }
    capHelp = new QLabel(owner);
    capHelp->setObjectName("capHelp");
    capHelp->setFrameShape(QFrame::Panel);
    capHelp->setFrameShadow(QFrame::Sunken);
    capHelp->setWordWrap(true);
}

QGroupBox* ReportPanel::HoleCountryOptions(std::array<QRadioButton*, 3>& opt189,
                                           std::array<QRadioButton*, 3>& optUSCan,
                                           const std::function<void()>& chosen) {
    auto* frame = new QGroupBox(owner_);
    frame->setObjectName("fraHoleCountry");
    auto* grid = new QGridLayout(frame);
    auto* holes = new QButtonGroup(frame);
    auto* rules = new QButtonGroup(frame);
    const char* holeText[] = {"", "18 Hole", "9 Hole"};
    const char* ruleText[] = {"", "US", "Canada"};
    for (int i = 1; i <= 2; ++i) {
        opt189[i] = new QRadioButton(holeText[i], frame);
        opt189[i]->setObjectName(QString("opt189_%1").arg(i));
        optUSCan[i] = new QRadioButton(ruleText[i], frame);
        optUSCan[i]->setObjectName(QString("optUSCan_%1").arg(i));
        holes->addButton(opt189[i]);
        rules->addButton(optUSCan[i]);
        grid->addWidget(opt189[i], i - 1, 0);
        grid->addWidget(optUSCan[i], i - 1, 1);
    }
    opt189[1]->setChecked(true);
    optUSCan[1]->setChecked(true);
    for (int i = 1; i <= 2; ++i) {
        connect(opt189[i], &QRadioButton::toggled, this, [this, i, chosen](bool on) {
            if (!on) return;
            ctx_.bFlag18_9 = i == 1;
            chosen();
        });
        connect(optUSCan[i], &QRadioButton::toggled, this, [this, i, chosen](bool on) {
            if (!on) return;
            ctx_.bUSCAFlag = i == 1;
            chosen();
        });
    }
    return frame;
}

QHBoxLayout* ReportPanel::ButtonRow(std::initializer_list<QPushButton*> buttons) {
    auto* row = new QHBoxLayout;
    row->addWidget(capHelp, 1);
    for (QPushButton* b : buttons) row->addWidget(b);
    return row;
}

void ReportPanel::OnChange(const std::function<void()>& changed) {
    connect(cboPlayer, &QComboBox::activated, this, changed);
    connect(cboCourse, &QComboBox::activated, this, changed);
    if (chkAllPlayers) connect(chkAllPlayers, &QCheckBox::toggled, this, changed);
    connect(chkAllCourses, &QCheckBox::toggled, this, changed);
    connect(this, &ReportPanel::DateEdited, this, changed);
}

void ReportPanel::ChooseHandedPlayer(QPushButton* print) {
    if (ctx_.nCurPlayerID > 0) {
        const int i = cboPlayer->findData(ctx_.nCurPlayerID);
        if (i >= 0) {
            cboPlayer->setCurrentIndex(i);
            chkAllPlayers->setChecked(false);
        }
    } else {
        print->setEnabled(false);
        chkAllPlayers->setChecked(true);
    }
    cboPlayer->setVisible(!chkAllPlayers->isChecked());
    cboCourse->setVisible(!chkAllCourses->isChecked());
}

void ReportPanel::SetHint(QWidget* control, const QString& hint, bool selectText) {
    hints_[control] = {hint, selectText};
    control->installEventFilter(this);
}

bool ReportPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const auto it = hints_.find(watched);
        if (it != hints_.end()) {
            capHelp->setText(it->second.first);
            if (it->second.second)
                if (auto* box = qobject_cast<QLineEdit*>(watched)) SelectAllText(*box);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ReportPanel::LoadLists(bool nccLeadingBlank, bool nccWhenEmpty) {
    Load_Course_Info(*cboCourse, ctx_);
    cboCourse->setCurrentIndex(-1);
    if (cboCourse->count() > 0 || nccWhenEmpty)
        NCCap->setText((nccLeadingBlank ? " " : "") + QString::number(cboCourse->count()) + " in Database");
    Load_Players(*cboPlayer, ctx_);
    cboPlayer->setCurrentIndex(-1);
    if (NGCap) NGCap->setText(" " + QString::number(cboPlayer->count()) + " in Database");
}

void ReportPanel::Inform(const QString& text) {
    WarningSound(ctx_);
    MsgBox(text, vbInformation);
}

bool ReportPanel::CheckCourse() {
    if (chkAllCourses->isChecked() || !cboCourse->currentText().trimmed().isEmpty()) return true;
    if (cboCourse->count() > 0) {
        Inform("A Course must be selected.");
        cboCourse->setFocus();
    } else {
        Inform("There are no courses in the database.");
        chkAllCourses->setChecked(true);
    }
    return false;
}

bool ReportPanel::CheckDates() {
    for (MaskEdBox* box : {txtSDate, txtEDate})
        if (const auto message = DateBoxMessage(box->Text(), ctx_.sDateFormat)) {
            Inform(*message);
            box->setFocus();
            return false;
        }
    if (EndDate() < StartDate()) {
        Inform(kRangeMessage);
        return false;
    }
    return true;
}

bool ReportPanel::CheckPlayer(bool moveFocus) {
    if (cboPlayer->count() > 0) {
        Inform("A Player must be selected.");
        if (moveFocus && cboPlayer->isVisible()) cboPlayer->setFocus();
    } else {
        Inform("There are no players in the database.");
        if (chkAllPlayers) chkAllPlayers->setChecked(true);
    }
    return false;
}

bool ReportPanel::OneCourse() const { return !chkAllCourses->isChecked(); }

int ReportPanel::CourseId() const { return OneCourse() ? SelectedItemData(*cboCourse) : 0; }

QDate ReportPanel::StartDate() const { return ParseLocalDate(txtSDate->Text(), ctx_.sDateFormat).value_or(QDate()); }

QDate ReportPanel::EndDate() const { return ParseLocalDate(txtEDate->Text(), ctx_.sDateFormat).value_or(QDate()); }

QString ReportPanel::PlayerHeading() const {
    return chkAllPlayers && chkAllPlayers->isChecked() ? QString("All Players") : cboPlayer->currentText();
}

QStringList ReportPanel::PlayerNames() const {
    QStringList names;
    for (int i = 0; i < cboPlayer->count(); ++i) names << cboPlayer->itemText(i);
    return names;
}

QString ReportPanel::CourseHeading() const {
    return chkAllCourses->isChecked() ? QString("All Courses") : cboCourse->currentText();
}

// The rule stays: a complete, valid date recomputes the report; anything else waits.
void ReportPanel::TakeDate(MaskEdBox* box) {
    if (!ParseLocalDate(box->Text(), ctx_.sDateFormat)) return;
    (box == txtSDate ? ctx_.sStartDate : ctx_.sEndDate) = box->Text().left(10).leftJustified(10);
    Q_EMIT DateEdited();
}

void ReportPanel::PickDate(MaskEdBox* box) {
    QString shown = box->Text();
    if (!ParseLocalDate(shown, ctx_.sDateFormat)) shown = FormatLocalDate(Today(), ctx_.sDateFormat);
    // Closed without a choice, the date it opened on is shown.
    const QString date = frmCalendar::Choose(shown, ctx_.sDateFormat, owner_).value_or(shown);
    if (ParseLocalDate(date, ctx_.sDateFormat)) box->SetText(date);
}

}  // namespace dc
