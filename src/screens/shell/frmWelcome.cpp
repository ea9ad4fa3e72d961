#include "shell/frmWelcome.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Database.h"
#include "platform/Desktop.h"
#include "platform/Modal.h"
#include "platform/MsgBox.h"
#include "platform/Pointer.h"
#include "shell/AppContext.h"
#include "shell/ErrorReport.h"
#include "shell/RunStartUp.h"
#include "shell/StartUp.h"
#include "shell/Version.h"
#include "shell/frmSystemSetup.h"
#include "tools/frmConvertUtil.h"

namespace dc {

const char* frmWelcome::kReaderUrl = "https://get.adobe.com/reader/";
const char* frmWelcome::kMakerUrl = "https://www.example.com/corvy-systems/";

namespace {

// A small picture of a flag on a green, drawn rather than shipped.
QPixmap FlagPicture() {
    QPixmap pm(120, 120);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(60, 150, 60));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(10, 80, 100, 30));
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(60, 95, 60, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 30, 30));
    p.drawPolygon(QPolygon({QPoint(61, 15), QPoint(100, 27), QPoint(61, 39)}));
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(80, 88, 8, 8));
    return pm;
}

QLabel* BigWord(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f("Times New Roman", 48);
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

}  // namespace

frmWelcome::frmWelcome(AppContext& ctx, SingleInstance& instance, MainScreenFactory mainScreen,
                       QWidget* parent)
    : QDialog(parent), ctx_(ctx), instance_(instance), mainScreen_(std::move(mainScreen)) {
    setObjectName("frmWelcome");
    setAttribute(Qt::WA_DeleteOnClose, false);

    Label6 = BigWord("Dado", this);
    Label6->setObjectName("Label6");
    Label8 = BigWord("Corvy", this);
    Label8->setObjectName("Label8");
    Label4 = new QLabel(this);
    Label4->setObjectName("Label4");
    Label4->setAlignment(Qt::AlignCenter);
    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(FlagPicture());
    Image1->installEventFilter(this);
    picCorvySystems = new QLabel("<b>Corvy Systems</b>", this);
    picCorvySystems->setObjectName("picCorvySystems");
    picCorvySystems->setCursor(Qt::PointingHandCursor);
    picCorvySystems->setStyleSheet("color: navy; border: 1px solid navy; padding: 6px;");
    picCorvySystems->installEventFilter(this);

    Label1 = new QLabel(
        "To Convert data from an earlier version of Dado Corvy, click the Convert button below.", this);
    Label1->setObjectName("Label1");
    Label1->setWordWrap(true);
    // The help opens in a window of the program's own: the reader is no longer needed for it.
    Label2 = new QLabel(
        "Click on the link below to download Adobe Acrobat Reader (not needed for the Dado Corvy Help File, "
        "which opens inside the program)",
        this);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);

    cmdStart = new QPushButton("&Start", this);
    cmdStart->setObjectName("cmdStart");
    cmdStart->setDefault(true);
    cmdConvert = new QPushButton("Convert", this);
    cmdConvert->setObjectName("cmdConvert");
    cmdConvert->setToolTip("Convert Dado Corvy database files");
    cmdInstruction = new QPushButton("Acrobat Reader", this);
    cmdInstruction->setObjectName("cmdInstruction");
    cmdInstruction->setToolTip("Download Adobe Acrobat Reader");
    cmdExit = new QPushButton("&Exit", this);
    cmdExit->setObjectName("cmdExit");

    auto* title = new QHBoxLayout();
    title->addWidget(Image1);
    auto* words = new QVBoxLayout();
    words->addWidget(Label6);
    words->addWidget(Label8);
    words->addWidget(Label4);
    title->addLayout(words, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(title);
    layout->addWidget(Label1);
    layout->addWidget(cmdConvert, 0, Qt::AlignLeft);
    layout->addWidget(Label2);
    layout->addWidget(cmdInstruction, 0, Qt::AlignLeft);
    auto* bottom = new QHBoxLayout();
    bottom->addWidget(picCorvySystems);
    bottom->addStretch();
    bottom->addWidget(cmdStart);
    bottom->addWidget(cmdExit);
    layout->addLayout(bottom);
    resize(560, 520);

    connect(cmdStart, &QPushButton::clicked, this, [this] { cmdStart_Click(); });
    connect(cmdConvert, &QPushButton::clicked, this, [this] { cmdConvert_Click(); });
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    connect(cmdInstruction, &QPushButton::clicked, this, [this] { cmdInstruction_Click(); });
}

frmWelcome::~frmWelcome() = default;

bool frmWelcome::Form_Load() {
    const StartUpResult result = RunStartUp(ctx_, instance_, [this] {
        frmSystemSetup setup(ctx_, this, /*databaseMissing=*/true);
        ExecModal(setup);
    });
    if (result == StartUpResult::Quit) return false;
    setWindowTitle(AppTitle());
    Label4->setText(VersionText());
    SetMousePointer(Pointer::Default);
    return true;
}

void frmWelcome::cmdStart_Click() {
    // The main screen never opens without a database: the settings screen comes first.
    if (!ctx_.HasDatabase()) {
        frmSystemSetup setup(ctx_, this, /*databaseMissing=*/true);
        ExecModal(setup);
        if (!ctx_.HasDatabase()) return;
    }
    SetMousePointer(Pointer::Hourglass);
    QWidget* main = mainScreen_();
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
    SetMousePointer(Pointer::Default);
    close();
}

void frmWelcome::cmdConvert_Click() {
    // Not modal; the welcome screen stays, so that Start opens the converted data afterwards.
    SetMousePointer(Pointer::Hourglass);
    auto* convert = new frmConvertUtil(ctx_, this);
    convert->setAttribute(Qt::WA_DeleteOnClose);
    // One conversion screen at a time: a second one could start a run inside the first one's.
    cmdConvert->setEnabled(false);
    connect(convert, &QObject::destroyed, cmdConvert, [button = cmdConvert] { button->setEnabled(true); });
    convert->show();
}

void frmWelcome::cmdExit_Click() { QApplication::exit(0); }

void frmWelcome::cmdInstruction_Click() {
    try {
        if (!OpenWithDesktop(kReaderUrl)) MsgBox("Browser could not be opened.", vbOKOnly);
    } catch (...) {
        ReportCurrentError("Form Welcome, cmdInstruction_Click", Sql::Without);
    }
}

void frmWelcome::picCorvySystems_Click() {
    try {
        if (!OpenWithDesktop(kMakerUrl)) MsgBox("Browser could not be opened.", vbOKOnly);
    } catch (...) {
        ReportCurrentError("Form Welcome, picCorvySystems_Click", Sql::Without);
    }
}

void frmWelcome::Image1_DblClick() {
    MsgBox(
        "Corvy Systems writes Dado Corvy for golfers who like to know where their game stands: every "
        "round kept, every index computed the same careful way.",
        vbInformation + vbOKOnly);
}

bool frmWelcome::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picCorvySystems && event->type() == QEvent::MouseButtonRelease) {
        picCorvySystems_Click();
        return true;
    }
    if (watched == Image1 && event->type() == QEvent::MouseButtonDblClick) {
        Image1_DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace dc
