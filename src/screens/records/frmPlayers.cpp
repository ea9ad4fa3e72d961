#include "records/frmPlayers.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "platform/MailSession.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/NameForms.h"
#include "platform/Pointer.h"
#include "platform/PrinterError.h"
#include "platform/PrinterPageFactory.h"
#include "platform/Spread.h"
#include "records/PlayerList.h"
#include "records/TypedKeys.h"
#include "records/frmMailingLabels.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/Global.h"
#include "shell/GridFit.h"
#include "shell/LoadedDatabase.h"
#include "shell/ResyncProgress.h"
#include "shell/ScreenBoxes.h"
#include "shell/ShellDoc.h"
#include "shell/frmFindName.h"
#include "tools/Email.h"
#include "tools/frmEmail.h"

namespace dc {

namespace {
// The texts of a player's grid row, columns 1 to 10.
QStringList GridTexts(const PlayerRec& p) {
    return {QString::number(p.PLAYER_ID),
            PlayerGridName(p),
            p.GENDER,
            p.ADDRESS1,
            p.CITY,
            p.STATE,
            p.ZIP,
            p.HOME_PHONE,
            p.OTHER_PHONE,
            p.EMAIL};
}

// The texts of the printed columns for every player, in the grid's order.
std::vector<QStringList> PlayerListRows(const std::vector<PlayerRec>& players) {
    std::vector<QStringList> rows;
    for (const PlayerRec& p : players) {
        const QStringList grid = GridTexts(p);
        QStringList texts;
        for (const auto& column : PlayerListColumns()) texts << grid[column.gridCol - 1];
        rows.push_back(texts);
    }
    return rows;
}

// The players in the order of one grid column's texts, as the grid sorts text: letter case ignored,
// empty texts last either way, equal texts in their order before.
void SortByColumn(std::vector<PlayerRec>& players, int col, bool descending) {
    std::vector<std::pair<QString, PlayerRec>> keyed;
    for (PlayerRec& p : players)
        keyed.emplace_back(GridTexts(p)[col - 1].trimmed().toCaseFolded(), std::move(p));
    std::stable_sort(keyed.begin(), keyed.end(), [descending](const auto& a, const auto& b) {
        if (a.first.isEmpty() || b.first.isEmpty()) return !a.first.isEmpty() && b.first.isEmpty();
        return descending ? b.first < a.first : a.first < b.first;
    });
    for (size_t i = 0; i < keyed.size(); ++i) players[i] = std::move(keyed[i].second);
}
}  // namespace
namespace {

QLineEdit* NewBox(QWidget* parent, const char* name, int maxLength) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    if (maxLength > 0) box->setValidator(new MaxLengthValidator(maxLength, box));
    return box;
}

}  // namespace

frmPlayers::frmPlayers(AppContext& ctx, QWidget* parent) : DialogBase(parent), ctx_(ctx) {
    setObjectName("frmPlayers");
    setWindowTitle("Add/Edit Player Info");
    database_ = new LoadedDatabase(ctx_, this, [this] { ShowOpenDatabase(); });
    BuildControls();
    ConnectHandlers();
    new EnterAsTab(*this);
    Form_Load();
}

void frmPlayers::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* fields = new QGridLayout;
    txtLast = NewBox(this, "txtLast", 30);
    txtFirst = NewBox(this, "txtFirst", 24);
    txtMI = NewBox(this, "txtMI", 1);
    txtMI->setMaximumWidth(40);
    txtSalutation = NewBox(this, "txtSalutation", 6);
    txtSalutation->setMaximumWidth(80);
    Frame1 = new QGroupBox(this);
    auto* genderLayout = new QHBoxLayout(Frame1);
    optGender_1 = new QRadioButton("Male", Frame1);
    optGender_2 = new QRadioButton("Female", Frame1);
    genderLayout->addWidget(optGender_1);
    genderLayout->addWidget(optGender_2);
    txtAddress1 = NewBox(this, "txtAddress1", 30);
    txtAddress2 = NewBox(this, "txtAddress2", 30);
    txtCity = NewBox(this, "txtCity", 30);
    txtState = NewBox(this, "txtState", 3);
    txtState->setMaximumWidth(50);
    txtZip = NewBox(this, "txtZip", 12);
    txtZip->setMaximumWidth(110);
    txtHomePh = NewBox(this, "txtHomePh", 0);
    txtOtherPh = NewBox(this, "txtOtherPh", 0);
    txtEMail = NewBox(this, "txtEMail", 0);
    txtHomeCourse = NewBox(this, "txtHomeCourse", 0);
    txtCoursePh = NewBox(this, "txtCoursePh", 0);
    txtGHIN = NewBox(this, "txtGHIN", 0);
    lblPlayerID = new QLabel(this);
    lblEmail = new QLabel("<a href=\"email\">EMail</a>", this);
    lblEmail->setObjectName("lblEmail");

    auto row = [&](int r, const QString& caption, std::initializer_list<QWidget*> widgets) {
        if (!caption.isEmpty()) fields->addWidget(new QLabel(caption, this), r, 0);
        auto* line = new QHBoxLayout;
        for (QWidget* w : widgets) line->addWidget(w);
        fields->addLayout(line, r, 1);
    };
    row(0, "Last", {txtLast, new QLabel("First", this), txtFirst, new QLabel("M.I.", this), txtMI});
    row(1, "Salutation", {txtSalutation, Frame1, lblPlayerID});
    row(2, "Address 1", {txtAddress1});
    row(3, "Address 2", {txtAddress2});
    row(4, "City.State,Zip", {txtCity, txtState, txtZip});
    row(5, "Home Phone", {txtHomePh, new QLabel("Other Phone", this), txtOtherPh});
    fields->addWidget(lblEmail, 6, 0);
    row(6, QString(), {txtEMail});
    row(7, "Home Course", {txtHomeCourse, new QLabel("Course Ph #", this), txtCoursePh});
    row(8, "GHIN", {txtGHIN});
    outer->addLayout(fields);

    auto* commands = new QHBoxLayout;
    cmdSave = new QPushButton("&Save", this);
    cmdSearch = new QPushButton("Searc&h", this);
    txtSearch = new QLineEdit(this);
    txtSearch->setObjectName("txtSearch");
    cmdNew = new QPushButton("&New", this);
    cmdDelete = new QPushButton("&Delete", this);
    cmdClose = new QPushButton("Clos&e", this);
    cmdHelp = new QPushButton(this);
    cmdHelp->setIcon(style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    cmdHelp->setToolTip("Help");
    cmdPrint = new QPushButton("&Print List", this);
    cmdMailingLabels = new QPushButton("Print &Mailing Labels...", this);
    commands->addWidget(cmdSave);
    commands->addWidget(cmdSearch);
    commands->addWidget(txtSearch);
    commands->addWidget(cmdNew);
    commands->addWidget(cmdDelete);
    commands->addWidget(cmdClose);
    commands->addWidget(cmdHelp);
    outer->addLayout(commands);

    spPlayers = new Spread(this);
    spPlayers->setObjectName("spPlayers");
    spPlayers->setMinimumHeight(220);
    // Long texts never push the other columns out of view: the name, address, city and e-mail
    // share what the narrow columns leave.
    playersFit_ = new GridFit(*spPlayers, 2, 1500);
    playersFit_->AddStretchColumn(4, 1000);
    playersFit_->AddStretchColumn(5, 800);
    playersFit_->AddStretchColumn(10, 1200);
    outer->addWidget(spPlayers, 1);
    auto* prints = new QHBoxLayout;
    prints->addStretch();
    prints->addWidget(cmdPrint);
    prints->addWidget(cmdMailingLabels);
    outer->addLayout(prints);

    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    // Enter and Tab go through the fields, then the commands.
    QList<QWidget*> order;
    for (QLineEdit* box : {txtLast, txtFirst, txtMI, txtSalutation}) order << box;
    order << optGender_1 << optGender_2;
    for (QLineEdit* box : {txtAddress1, txtAddress2, txtCity, txtState, txtZip, txtHomePh, txtOtherPh,
                           txtEMail, txtHomeCourse, txtCoursePh, txtGHIN})
        order << box;
    order << cmdSave << cmdSearch << txtSearch << cmdNew << cmdDelete << cmdClose << cmdHelp << spPlayers
          << cmdPrint << cmdMailingLabels;
    for (int i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
    resize(900, 640);
}

std::array<QLineEdit*, 15> frmPlayers::TextBoxes() const {
    return {txtLast, txtFirst,  txtMI,      txtSalutation, txtAddress1,   txtAddress2, txtCity, txtState,
            txtZip,  txtHomePh, txtOtherPh, txtEMail,      txtHomeCourse, txtCoursePh, txtGHIN};
}

void frmPlayers::ConnectHandlers() {
    for (QLineEdit* box : TextBoxes()) {
        connect(box, &QLineEdit::textChanged, this, [this] { bChanged = true; });
        box->installEventFilter(this);  // GotFocus, and KeyUp of the home course
        if (box == txtMI)
            TypedTextFilter::Install(*box, [](const QString& t) {
                return t.size() == 1 ? QString(QChar(UpperAsciiOnly(t[0].unicode()))) : t;
            });
        else if (box == txtState)
            TypedTextFilter::Install(*box, [](const QString& t) { return t.toUpper(); });
    }
    for (QRadioButton* o : {optGender_1, optGender_2})
        connect(o, &QRadioButton::toggled, this, [this](bool on) {
            if (on) bChanged = true;
        });
    connect(cmdNew, &QPushButton::clicked, this, [this] { cmdNew_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });
    connect(cmdHelp, &QPushButton::clicked, this, [this] { cmdHelp_Click(); });
    connect(cmdSearch, &QPushButton::clicked, this, [this] { cmdSearch_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdMailingLabels, &QPushButton::clicked, this, [this] { cmdMailingLabels_Click(); });
    connect(spPlayers, &Spread::Click, this, [this](int c, int r) { spPlayers_Click(c, r); });
    connect(spPlayers, &Spread::DblClick, this, [this](int c, int r) { spPlayers_DblClick(c, r); });
    connect(lblEmail, &QLabel::linkActivated, this, [this] { lblEmail_Click(); });
    connect(txtHomeCourse, &QLineEdit::textEdited, this, [this] { homeCourseTyped_ = true; });
}

bool frmPlayers::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && event->type() == QEvent::FocusIn) SelectAllText(*box);
    // The home course is completed after a key that changed its text: Tab, Enter, arrows and
    // Shift passing through the box must not replace a loaded player's course and phone.
    if (box == txtHomeCourse && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && homeCourseTyped_) {
            homeCourseTyped_ = false;
            txtHomeCourse_KeyUp(key->key());
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmPlayers::Form_Load() {
    Grid_Setup();
    Load_spPlayers();
    bColSortFlag.fill(true);
    setWindowTitle("Add a New Player");
    bNewPlayer = true;
    bChanged = false;
}

void frmPlayers::Grid_Setup() {
    try {
        Spread& g = *spPlayers;
        g.SetMaxCols(10);
        const int widths[] = {370, 0, 2000, 400, 2000, 1400, 500, 1000, 1200, 1200, 2500};
        for (int c = 0; c <= 10; ++c) g.SetColWidth(c, widths[c]);
        const char* headers[] = {"",      "Player Name", "M/F",     "Address",  "City",
                                 "State", "Zip",         "Home Ph", "Other Ph", "Email"};
        for (int c = 2; c <= 10; ++c) g.SetCellText(c, 0, headers[c - 1]);
        for (int c = 1; c <= 10; ++c) g.Cells(c, -1).SetCellType(SpreadCellType::StaticText);
        g.Cells(3, -1).SetTypeHAlign(SpreadHAlign::Center);
        g.Cells(3, 0).SetTypeHAlign(SpreadHAlign::Center);
        g.SetRowHeight(0, g.MaxTextRowHeight(0));
        g.Cells(-1, -1).SetLock(true).SetBackColor(Spread::VbColor(0xFFFF00));
        playersFit_->NarrowOtherColumns();
    } catch (...) {
        ReportCurrentError("Players, Grid_Setup", Sql::Without);
    }
}

void frmPlayers::WriteGridRow(int row, const PlayerRec& p) {
    const QStringList texts = GridTexts(p);
    for (int c = 1; c <= 10; ++c) spPlayers->SetCellText(c, row, texts[c - 1]);
}

void frmPlayers::ShowRows() {
    Spread& g = *spPlayers;
    g.SetMaxRows(static_cast<int>(rows_.size()));
    for (int r = 1; r <= static_cast<int>(rows_.size()); ++r) WriteGridRow(r, rows_[r - 1]);
}

void frmPlayers::Load_spPlayers() {
    Spread& g = *spPlayers;
    g.SetReDraw(false);
    try {
        g.SetMaxRows(0);
        rows_.clear();
        rows_ = PlayerStore(ctx_.Connection()).AllPlayers();
        ShowRows();
    } catch (...) {
        ReportCurrentError("Players, Load_spPlayers", Sql::With);
    }
    g.SetReDraw(true);
}

void frmPlayers::Clear_Player_Fields() {
    for (QLineEdit* box : TextBoxes()) box->clear();
}

bool frmPlayers::Load_Player(int playerId) {
    try {
        const auto found = PlayerStore(ctx_.Connection()).LoadPlayerRec(playerId);
        if (!found) return false;
        const PlayerRec& p = *found;
        SetPlayerKey(p.PLAYER_ID);
        txtLast->setText(p.LAST_NAME);
        txtFirst->setText(p.FIRST_NAME);
        txtMI->setText(p.MI);
        EditCaption();
        txtSalutation->setText(p.SALUTATION);
        txtAddress1->setText(p.ADDRESS1);
        txtAddress2->setText(p.ADDRESS2);
        txtCity->setText(p.CITY);
        txtState->setText(p.STATE);
        txtZip->setText(p.ZIP);
        txtHomePh->setText(p.HOME_PHONE);
        txtOtherPh->setText(p.OTHER_PHONE);
        txtEMail->setText(p.EMAIL);
        if (p.GENDER == "M") optGender_1->setChecked(true);
        if (p.GENDER == "F") optGender_2->setChecked(true);
        txtHomeCourse->setText(p.HOME_COURSE);
        txtCoursePh->setText(p.COURSE_PH);
        txtGHIN->setText(p.GHIN);
        return true;
    } catch (...) {
        ReportCurrentError("Players, Load_Player", Sql::With);
        return false;
    }
}

void frmPlayers::EditCaption() {
    setWindowTitle("Edit Player: " + txtLast->text() + ", " + txtFirst->text() + " " + txtMI->text());
}

void frmPlayers::SetPlayerKey(int key) {
    playerKey_ = key;
    lblPlayerID->setText(key == 0 ? QString() : QString::number(key));
}

PlayerRec frmPlayers::FieldsRecord() const {
    PlayerRec p;
    p.PLAYER_ID = playerKey_;
    p.LAST_NAME = txtLast->text();
    p.FIRST_NAME = txtFirst->text();
    p.MI = txtMI->text();
    p.GENDER = optGender_1->isChecked() ? "M" : optGender_2->isChecked() ? "F" : "";
    p.SALUTATION = txtSalutation->text();
    p.ADDRESS1 = txtAddress1->text();
    p.ADDRESS2 = txtAddress2->text();
    p.CITY = txtCity->text();
    p.STATE = txtState->text();
    p.ZIP = txtZip->text();
    p.HOME_PHONE = txtHomePh->text();
    p.OTHER_PHONE = txtOtherPh->text();
    p.EMAIL = txtEMail->text();
    p.HOME_COURSE = txtHomeCourse->text();
    p.COURSE_PH = txtCoursePh->text();
    p.GHIN = txtGHIN->text();
    return p;
}

void frmPlayers::Refused(const QString& text, QWidget* focus) {
    WarningSound(ctx_);
    MsgBox(text, vbInformation);
    focus->setFocus();
}

bool frmPlayers::AskToSave(const QString& word) {
    if (!bChanged) return true;
    const int answer =
        MsgBox("Do you want to save the changes to the current " + word + "?", vbYesNoCancel + vbQuestion);
    if (answer == vbCancel) return false;
    if (answer == vbYes) return SavePlayer();  // a refused or failed save keeps the edits on screen
    return true;
}

bool frmPlayers::SaveQuestion(const QString& word) {
    if (!AskToSave(word)) return false;
    bChanged = false;
    return true;
}

void frmPlayers::ShowOpenDatabase() {
    database_->Take();
    Clear_Player_Fields();
    SetPlayerKey(0);
    keptKey_ = 0;
    Load_spPlayers();
    setWindowTitle("Add a New Player");
    bNewPlayer = true;
    bChanged = false;
}

bool frmPlayers::MayStore() {
    if (database_->IsOpen()) return true;
    MsgBox(
        "Another database has been opened since the player was loaded here: nothing was written. The "
        "players of the open database are shown.",
        vbExclamation);
    ShowOpenDatabase();
    return false;
}

bool frmPlayers::SavePlayer() {
    if (!MayStore()) return false;
    if (txtLast->text().trimmed().isEmpty()) {
        Refused("Please enter a Player Last Name.", txtLast);
        return false;
    }
    if (txtFirst->text().trimmed().isEmpty()) {
        Refused("Please enter a Player First Name.", txtFirst);
        return false;
    }
    if (!optGender_1->isChecked() && !optGender_2->isChecked()) {
        Refused("Please enter a Player Gender.  This will be used for scoring by handicap holes.",
                optGender_1);
        return false;
    }
    // A stored address goes into mail headers: only one plain address may be kept.
    if (const QString email = txtEMail->text().trimmed(); !email.isEmpty() && !IsPlainAddress(email)) {
        Refused(BadAddressText(email), txtEMail);
        return false;
    }
    try {
        PlayerRec p = FieldsRecord();
        PlayerStore players(ctx_.Connection());
        if (bNewPlayer) {
            p.PLAYER_ID = players.NextPlayerId();
            players.InsertPlayer(p);
        } else {
            // A corrected gender recomputes his rounds: the progress window only when they are many.
            struct SaveProgress : ProgressReporter {
                QWidget* screen;
                std::optional<ResyncProgress> shown;
                explicit SaveProgress(QWidget* s) : screen(s) {}
                void Start() override {
                    if (!shown) shown.emplace(screen, /*fromUpCRSR=*/false);
                    shown->Start();
                }
                void Step(int k, int n) override {
                    if (shown) shown->Step(k, n);
                }
            } progress(this);
            players.UpdatePlayer(p, &progress);
        }
        SetPlayerKey(p.PLAYER_ID);
        EditCaption();
        bChanged = false;
        if (bNewPlayer) {
            bNewPlayer = false;
            Load_spPlayers();
        } else {
            for (size_t r = 0; r < rows_.size(); ++r) {
                if (rows_[r].PLAYER_ID == p.PLAYER_ID) {
                    rows_[r] = p;
                    WriteGridRow(static_cast<int>(r) + 1, p);
                    break;
                }
            }
        }
        return true;
    } catch (...) {
        ReportCurrentError("Players, cmdSave_Click", Sql::With);
        return false;
    }
}

void frmPlayers::cmdSave_Click() { SavePlayer(); }

void frmPlayers::cmdNew_Click() {
    if (!SaveQuestion("Player")) return;
    Clear_Player_Fields();
    if (playerKey_ != 0) keptKey_ = playerKey_;
    SetPlayerKey(0);  // the new player has no key until it is saved
    setWindowTitle("Add a New Player");
    txtLast->setFocus();
    bNewPlayer = true;
    bChanged = false;
}

void frmPlayers::cmdDelete_Click() {
    if (bNewPlayer) {
        WarningSound(ctx_);
        MsgBox("A new player cannot be deleted.  Please select a Player to delete.", vbInformation);
        return;
    }
    if (!MayStore()) return;
    try {
        const auto stored = PlayerStore(ctx_.Connection()).LoadPlayerRec(playerKey_);
        const QString name = stored ? PlayerGridName(*stored).trimmed() : QString();
        if (MsgBox(
                "Are you sure you want to delete this player, " + name + ", and all of the player's rounds?",
                vbYesNoCancel + vbQuestion) != vbYes)
            return;
        PlayerStore(ctx_.Connection()).DeletePlayer(playerKey_);
    } catch (...) {
        ReportCurrentDeleteError("Players, cmdDelete_Click");
        return;
    }
    SetPlayerKey(0);
    keptKey_ = 0;
    bChanged = false;  // the edits belonged to the player just deleted
    cmdNew_Click();
    Load_spPlayers();
}

void frmPlayers::cmdClose_Click() { close(); }

void frmPlayers::cmdHelp_Click() { ShellDoc(HelpDocumentPath()); }

bool frmPlayers::Form_Unload() {
    if (!SaveQuestion("player")) return false;
    ctx_.nCurPlayerID = bNewPlayer ? keptKey_ : playerKey_;
    nReturnCode = 2;
    SetMousePointer(Pointer::Hourglass);  // the main screen's activation restores it
    return true;
}

void frmPlayers::spPlayers_Click(int col, int row) {
    Spread& g = *spPlayers;
    if (row != 0 || col < 1 || col > 10 || rows_.empty()) return;
    g.SetReDraw(false);
    const bool descending = bColSortFlag[col];
    SortByColumn(rows_, col, descending);
    ShowRows();
    bColSortFlag[col] = !descending;
    g.SetActiveCell(col, 1);
    g.SetReDraw(true);
}

void frmPlayers::spPlayers_DblClick(int col, int row) {
    Q_UNUSED(col);
    if (row < 1 || row > static_cast<int>(rows_.size())) return;
    if (!SaveQuestion("player")) return;
    if (Load_Player(rows_[row - 1].PLAYER_ID)) {
        bNewPlayer = false;
        bChanged = false;
    }
}

void frmPlayers::cmdSearch_Click() {
    if (!SaveQuestion("player")) return;
    if (txtSearch->text().trimmed().isEmpty()) {
        MsgBox("Please enter a character from the Last Name.", vbInformation);
        txtSearch->setFocus();
        return;
    }
    SetMousePointer(Pointer::Hourglass);
    try {
        const auto matches = PlayerStore(ctx_.Connection()).SearchPlayers(txtSearch->text());
        if (matches.empty()) {
            SetMousePointer(Pointer::Default);
            MsgBox("No matches found", vbInformation);
            txtSearch->setFocus();
            return;
        }
        int found = 0;
        if (matches.size() == 1) {
            found = matches[0].PLAYER_ID;
            txtSearch->clear();
        } else {
            SetMousePointer(Pointer::Default);
            // "LAST, FIRST", with the middle initial where two would read alike.
            std::vector<PersonName> people;
            for (const NameMatch& m : matches) people.push_back({m.FIRST_NAME, m.MI, m.LAST_NAME});
            const QStringList listed = ListedNames(people, NameOrder::LastFirst);
            std::vector<std::pair<QString, int>> names;
            for (size_t i = 0; i < matches.size(); ++i)
                names.emplace_back(listed.value(qsizetype(i)), matches[i].PLAYER_ID);
            found = frmFindName::Choose(names, this).value_or(0);
        }
        if (found != 0 && Load_Player(found)) {
            bNewPlayer = false;
            bChanged = false;
        }
        txtLast->setFocus();
        txtSearch->clear();
    } catch (...) {
        SetMousePointer(Pointer::Default);
        ReportCurrentError("Players, cmdSearch_Click", Sql::With);
        return;
    }
    SetMousePointer(Pointer::Default);
}

void frmPlayers::txtHomeCourse_KeyUp(int keyCode) {
    if (keyCode == Qt::Key_Backspace) return;
    const QString text = txtHomeCourse->text();
    if (text.trimmed().isEmpty()) return;
    try {
        const int p = txtHomeCourse->cursorPosition();
        const auto found = PlayerStore(ctx_.Connection()).FindHomeCourse(text.left(p));
        if (found) {
            txtHomeCourse->setText(found->name);
            txtHomeCourse->setSelection(found->name.size(), p - static_cast<int>(found->name.size()));
            txtCoursePh->setText(found->phone);
        } else {
            txtCoursePh->clear();
        }
    } catch (...) {
        ReportCurrentError("Players, txtHomeCourse_KeyUp", Sql::With);
    }
}

void frmPlayers::cmdPrint_Click() {
    PrinterOffsets offsets;
    try {
        offsets = SetupStore(ctx_.Connection()).ReadPrinterOffsets();
    } catch (...) {
        // an unreadable SETUP row prints without offsets
    }
    try {
        auto page = CreatePrinterPage();
        page->SetJobName("Player List");
        try {
            PrintPlayerList(*page, PlayerListRows(rows_), offsets);
        } catch (const PrinterError& e) {
            MsgBox(PrintErrorText(e.number(), e.description()), vbInformation);
        }
        ReportPrintOutcome(*page);
    } catch (const PrinterError& e) {
        MsgBox(PrintErrorText(e.number(), e.description()), vbInformation);
    } catch (...) {
    }
}

void frmPlayers::cmdMailingLabels_Click() {
    frmMailingLabels labels(ctx_, this);
    ExecModal(labels);
}

void frmPlayers::lblEmail_Click() { OpenEmailScreen(ctx_, "Customer", txtEMail->text(), QString(), this); }

}  // namespace dc
