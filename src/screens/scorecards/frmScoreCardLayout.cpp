// The score-card screen's controls, their layout and their connections to the handlers.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/MaskEdBox.h"
#include "platform/Pointer.h"
#include "platform/Spread.h"
#include "records/TypedKeys.h"
#include "scorecards/frmScoreCard.h"
#include "shell/Global.h"
#include "shell/GridFit.h"
#include "shell/ScreenBoxes.h"

namespace dc {
namespace {

QPushButton* Button(QWidget* parent, const QString& caption, const QString& tip = QString()) {
    auto* b = new QPushButton(caption, parent);
    b->setToolTip(tip);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

// ------------------------------------------------------------------------------------ layout

void frmScoreCard::BuildControls() {
    auto* outer = new QVBoxLayout(this);

    auto* choices = new QGridLayout;
    cboCourse = new QComboBox(this);
    cboTeeBoxM = new QComboBox(this);
    cboTeeBoxW = new QComboBox(this);
    mskDate = new MaskEdBox(this);
    cmdCalendar = Button(this, "...", "Pick a Date from the Calender");
    choices->addWidget(new QLabel("Course", this), 0, 0);
    choices->addWidget(cboCourse, 0, 1);
    choices->addWidget(new QLabel("Date", this), 0, 2);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(mskDate);
    dateRow->addWidget(cmdCalendar);
    choices->addLayout(dateRow, 0, 3);
    choices->addWidget(new QLabel("Men's Tee Box", this), 1, 0);
    choices->addWidget(cboTeeBoxM, 1, 1);
    choices->addWidget(new QLabel("Women's Tee Box", this), 1, 2);
    choices->addWidget(cboTeeBoxW, 1, 3);
    choices->setColumnStretch(1, 1);
    choices->setColumnStretch(3, 1);
    cboCourse->setMinimumWidth(240);
    outer->addLayout(choices);

    auto* middle = new QHBoxLayout;
    spSC = new Spread(this);
    spSC->setObjectName("spSC");
    // The name and the tee box share what the figure columns leave; a cut one shows its tooltip.
    nameFit_ = new GridFit(*spSC, kColName, 2235);
    nameFit_->AddStretchColumn(kColTee, 1200);
    middle->addWidget(spSC, 1);
    auto* moves = new QVBoxLayout;
    cmdUp = Button(this, QString(), "Move the selected player up 1 row");
    cmdUp->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    cmdDown = Button(this, QString(), "Move the selected player down 1 row");
    cmdDown->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    moves->addStretch();
    moves->addWidget(cmdUp);
    moves->addWidget(cmdDown);
    moves->addStretch();
    middle->addLayout(moves);

    auto* side = new QVBoxLayout;
    auto* fraHcp = new QGroupBox("Calculate Hcp from:", this);
    auto* hcpLayout = new QGridLayout(fraHcp);
    opt189[1] = new QRadioButton("18 Hole", fraHcp);
    opt189[2] = new QRadioButton("9 Hole", fraHcp);
    optUSCan[1] = new QRadioButton("US", fraHcp);
    optUSCan[2] = new QRadioButton("Canada", fraHcp);
    auto* holes = new QWidget(fraHcp);  // each pair is its own group of options
    auto* holesLayout = new QVBoxLayout(holes);
    holesLayout->setContentsMargins(0, 0, 0, 0);
    auto* rules = new QWidget(fraHcp);
    auto* rulesLayout = new QVBoxLayout(rules);
    rulesLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 1; i <= 2; ++i) {
        opt189[i]->setParent(holes);
        holesLayout->addWidget(opt189[i]);
        optUSCan[i]->setParent(rules);
        rulesLayout->addWidget(optUSCan[i]);
    }
    hcpLayout->addWidget(holes, 0, 0);
    hcpLayout->addWidget(rules, 0, 1);
    side->addWidget(fraHcp);

    auto* perCard = new QHBoxLayout;
    perCard->addWidget(new QLabel("# Players Per Card", this));
    cboPlayersPerCard = new QComboBox(this);
    perCard->addWidget(cboPlayersPerCard);
    side->addLayout(perCard);

    auto* fraTeams = new QGroupBox("Group Players by Method:", this);
    auto* teams = new QHBoxLayout(fraTeams);
    cmdTeams[1] = Button(fraTeams, "&1234", "Order from lowest Hcp to highest");
    cmdTeams[2] = Button(fraTeams, "&ABCD", "Order Alphabetically A-Z");
    cmdTeams[3] = Button(fraTeams, "&Random", "Random Order");
    for (int i = 1; i <= 3; ++i) teams->addWidget(cmdTeams[i]);
    side->addWidget(fraTeams);

    auto* allOnOff = new QHBoxLayout;
    cmdAllOnOff[1] = Button(this, "All On");
    cmdAllOnOff[2] = Button(this, "All Off");
    allOnOff->addWidget(cmdAllOnOff[1]);
    allOnOff->addWidget(cmdAllOnOff[2]);
    side->addLayout(allOnOff);

    auto* fraShow = new QGroupBox("Show/Hide", this);
    auto* show = new QVBoxLayout(fraShow);
    const char* shows[] = {"Hcp Strokes per hole", "Putts", "Greens in Regulation", "Sand Saves",
                           "Fairways Hit"};
    for (int i = 1; i <= 5; ++i) {
        chkShowHide[i] = new QCheckBox(shows[i - 1], fraShow);
        chkShowHide[i]->setChecked(true);
        show->addWidget(chkShowHide[i]);
    }
    side->addWidget(fraShow);

    auto* fraStart = new QGroupBox("Start printing at ", this);
    auto* start = new QGridLayout(fraStart);
    txtXOffset = new QLineEdit(".047", fraStart);
    txtYOffset = new QLineEdit(".25", fraStart);
    start->addWidget(new QLabel("x-offset", fraStart), 0, 0);
    start->addWidget(txtXOffset, 0, 1);
    start->addWidget(new QLabel("y-offset", fraStart), 1, 0);
    start->addWidget(txtYOffset, 1, 1);
    auto* topBottom = new QWidget(fraStart);
    auto* topBottomLayout = new QVBoxLayout(topBottom);
    topBottomLayout->setContentsMargins(0, 0, 0, 0);
    optTopBottom[1] = new QRadioButton("Top of card", topBottom);
    optTopBottom[2] = new QRadioButton("Bottom of card", topBottom);
    optTopBottom[1]->setChecked(true);
    topBottomLayout->addWidget(optTopBottom[1]);
    topBottomLayout->addWidget(optTopBottom[2]);
    start->addWidget(topBottom, 0, 2, 2, 1);
    side->addWidget(fraStart);
    side->addStretch();
    middle->addLayout(side);
    outer->addLayout(middle, 1);

    auto* buttons = new QHBoxLayout;
    cmdHelp = Button(this, QString(), "Open the help document in the PDF reader");
    cmdHelp->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    Command1 = Button(this, QString(), "Printer margins");
    Command1->hide();  // a printer diagnostic, not for golfers
    cmdPrint = Button(this, "&Print Cards", "Print the custom Score Card");
    cmdClose = Button(this, "Clos&e", "Exit the Custom Score Card screen");
    buttons->addWidget(cmdHelp);
    buttons->addWidget(Command1);
    buttons->addStretch();
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdClose);
    outer->addLayout(buttons);

    cmdUp->setEnabled(false);
    cmdDown->setEnabled(false);
    resize(960, 620);
    FitComboBoxes(*this);  // drop-downs as wide as their longest entry
}

void frmScoreCard::ConnectHandlers() {
    connect(cboCourse, &QComboBox::activated, this, [this] { cboCourse_Click(); });
    connect(cboTeeBoxM, &QComboBox::activated, this, [this] { cboTeeBoxM_Click(); });
    connect(cboTeeBoxW, &QComboBox::activated, this, [this] { cboTeeBoxW_Click(); });
    connect(cboPlayersPerCard, &QComboBox::currentIndexChanged, this, [this] { cboPlayersPerCard_Click(); });
    for (int i = 1; i <= 2; ++i) {
        connect(opt189[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) opt189_Click(i);
        });
        connect(optUSCan[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optUSCan_Click(i);
        });
        connect(cmdAllOnOff[i], &QPushButton::clicked, this, [this, i] { cmdAllOnOff_Click(i); });
    }
    for (int i = 1; i <= 3; ++i)
        connect(cmdTeams[i], &QPushButton::clicked, this, [this, i] { cmdTeams_Click(i); });
    connect(cmdUp, &QPushButton::clicked, this, [this] { cmdUp_Click(); });
    connect(cmdDown, &QPushButton::clicked, this, [this] { cmdDown_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { close(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdCalendar, &QPushButton::clicked, this, [this] { cmdCalendar_Click(); });
    connect(spSC, &Spread::BlockSelected, this,
            [this](int c, int r, int c2, int r2) { spSC_BlockSelected(c, r, c2, r2); });
    connect(spSC, &Spread::Advance, this, [this](bool next) { spSC_Advance(next); });
    connect(spSC, &Spread::ButtonClicked, this,
            [this](int c, int r, bool down) { spSC_ButtonClicked(c, r, down); });
    connect(spSC, &Spread::Change, this, [this](int c, int r) { spSC_Change(c, r); });
    connect(spSC, &Spread::Click, this, [this](int c, int r) { spSC_Click(c, r); });
    for (QLineEdit* box : {txtXOffset, txtYOffset}) InstallOffsetBox(*box);
    mskDate->installEventFilter(this);
}

void frmScoreCard::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SetMousePointer(Pointer::Default);  // the main screen showed the hourglass while this one loaded
    // Centred on a wide main screen the dialog could pass the edge of a small screen.
    if (const QScreen* shown = screen()) {
        const QRect room = shown->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveLeft(
            std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width())));
        frame.moveTop(
            std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height())));
        move(frame.topLeft());
    }
}

bool frmScoreCard::eventFilter(QObject* watched, QEvent* event) {
    // The whole text is selected after the click that gave the focus, which would place the cursor.
    if (event->type() == QEvent::FocusIn)
        if (auto* box = qobject_cast<QLineEdit*>(watched))
            QTimer::singleShot(0, box, [box] { SelectAllText(*box); });
    return QDialog::eventFilter(watched, event);
}

}  // namespace dc
