#include "tools/frmConvertResults.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QTextDocument>
#include <QVBoxLayout>

#include "platform/MsgBox.h"
#include "platform/PrintJob.h"
#include "shell/ErrorReport.h"
#include "shell/Version.h"

namespace dc {

frmConvertResults::frmConvertResults(const QString& summary, const QString& text, QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmConvertResults");
    setWindowTitle(AppTitle());
    auto* layout = new QVBoxLayout(this);
    lblSummary = new QLabel(summary, this);
    lblSummary->setObjectName("lblSummary");
    lblSummary->setWordWrap(true);
    lblSummary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    txtResults = new QPlainTextEdit(this);
    txtResults->setObjectName("txtResults");
    txtResults->setReadOnly(true);
    txtResults->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtResults->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString plain = text;
    txtResults->setPlainText(plain.replace("\r\n", "\n"));
    cmdCopy = new QPushButton("&Copy", this);
    cmdSave = new QPushButton("&Save...", this);
    cmdPrint = new QPushButton("&Print", this);
    cmdOK = new QPushButton("OK", this);
    cmdOK->setDefault(true);
    auto* buttons = new QHBoxLayout();
    buttons->addWidget(cmdCopy);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdPrint);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    layout->addWidget(lblSummary);
    layout->addWidget(txtResults, 1);
    layout->addLayout(buttons);
    connect(cmdCopy, &QPushButton::clicked, this, [this] { cmdCopy_Click(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdPrint, &QPushButton::clicked, this, [this] { cmdPrint_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    // Wide enough for most lines, and never larger than a 1024x768 screen.
    QSize size(860, 560);
    if (const QScreen* screen = QApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() - QSize(40, 60));
    resize(size.boundedTo(QSize(984, 700)));
    txtResults->setFocus();
}

void frmConvertResults::cmdCopy_Click() { QApplication::clipboard()->setText(txtResults->toPlainText()); }

bool frmConvertResults::SaveTo(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
    file.write((lblSummary->text() + "\n\n" + txtResults->toPlainText() + "\n").toUtf8());
    return file.commit();
}

void frmConvertResults::cmdSave_Click() {
    const QString path = QFileDialog::getSaveFileName(this, "Save the conversion results",
                                                      "Conversion results.txt", "Text files (*.txt)");
    if (path.isEmpty()) return;
    if (!SaveTo(path)) MsgBox("The results could not be written to " + path + ".", vbExclamation);
}

void frmConvertResults::cmdPrint_Click() {
    try {
        PrintJob job("Conversion Results");
        if (!job.Open()) {
            MsgBox("The results could not be printed.", vbExclamation);
            return;
        }
        QTextDocument doc;
        doc.setDefaultFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        doc.setPlainText(lblSummary->text() + "\n\n" + txtResults->toPlainText());
        doc.print(&job.Printer());
        if (!job.Finish() && !job.Outcome().refused) {
            MsgBox("The results could not be printed.", vbExclamation);
            return;
        }
        ReportPrintOutcomes({job.Outcome()});
    } catch (...) {
        ReportCurrentError("Form ConvertUtil, cmdPrint_Click", Sql::Without);
    }
}

}  // namespace dc
