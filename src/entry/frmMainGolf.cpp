#include "entry/frmMainGolf.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/Globals.h"

namespace dc {

frmMainGolf::frmMainGolf(QWidget* parent) : QWidget(parent) {
    setObjectName("frmMainGolf");
    setWindowTitle(sAppTitle);
    cmdExit = new QPushButton("E&xit", this);
    cmdExit->setObjectName("cmdExit");
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(cmdExit, 0, Qt::AlignRight);
    resize(900, 640);
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
}

void frmMainGolf::cmdExit_Click() { QApplication::exit(0); }

}  // namespace dc
