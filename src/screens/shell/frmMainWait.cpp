#include "shell/frmMainWait.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include "platform/Val.h"
#include "shell/Version.h"

namespace dc {

frmMainWait::frmMainWait(QWidget* parent) : QDialog(parent) {
    setObjectName("frmMainWait");
    setWindowTitle(AppTitle());
    // Shown without blocking its caller, but no other screen takes input while the work runs:
    // a save made elsewhere would land in the middle of the running recomputation.
    setWindowModality(Qt::ApplicationModal);
    // No close button: the window goes when its work has finished, not before.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    WaitCap = new QLabel(this);
    WaitCap->setObjectName("WaitCap");
    WaitCap->setAlignment(Qt::AlignCenter);
    WaitPerc = new QLabel(this);
    WaitPerc->setObjectName("WaitPerc");
    WaitPerc->setAlignment(Qt::AlignCenter);
    G2 = new QProgressBar(this);
    G2->setObjectName("G2");
    G2->setRange(0, 1000);
    G2->setTextVisible(false);
    layout->addWidget(WaitCap);
    layout->addWidget(WaitPerc);
    WaitNote = new QLabel(this);
    WaitNote->setObjectName("WaitNote");
    WaitNote->setWordWrap(true);
    WaitNote->hide();
    layout->addWidget(G2);
    layout->addWidget(WaitNote);
    setMinimumWidth(380);
}

void frmMainWait::SetNote(const QString& note) {
    WaitNote->setText(note);
    WaitNote->setVisible(!note.isEmpty());
}

QString frmMainWait::PercentText(int k, int n) {
    const double perc = n > 0 ? k * 100.0 / n : 0.0;
    return FixedText(perc, 1) + "%";
}

void frmMainWait::SetProgress(int k, int n) {
    const double perc = n > 0 ? k * 100.0 / n : 0.0;
    WaitPerc->setText(PercentText(k, n));
    G2->setValue(static_cast<int>(perc * 10 + 0.5));
    QApplication::processEvents();
}

void frmMainWait::reject() {}

void frmMainWait::closeEvent(QCloseEvent* event) { event->ignore(); }

void frmMainWait::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace dc
