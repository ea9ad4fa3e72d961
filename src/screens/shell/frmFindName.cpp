#include "shell/frmFindName.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Modal.h"
#include "shell/GridFit.h"

namespace dc {

frmFindName::frmFindName(QWidget* parent) : QDialog(parent) {
    setObjectName("frmFindName");
    setWindowTitle("Matching Names Found");
    auto* layout = new QVBoxLayout(this);
    lstNames = new QListWidget(this);
    lstNames->setObjectName("lstNames");
    FitList(*lstNames);  // a long name is cut with "..." and shown whole as its tooltip
    layout->addWidget(lstNames);
    auto* buttons = new QHBoxLayout();
    cmdRetrieve = new QPushButton("&Retrieve", this);
    cmdRetrieve->setObjectName("cmdRetrieve");
    cmdRetrieve->setEnabled(false);
    cmdCancel = new QPushButton("Canc&el", this);
    cmdCancel->setObjectName("cmdCancel");
    buttons->addStretch();
    buttons->addWidget(cmdRetrieve);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    resize(360, 300);

    connect(lstNames, &QListWidget::itemClicked, this, [this] { lstNames_Click(); });
    connect(lstNames, &QListWidget::itemDoubleClicked, this, [this] { lstNames_DblClick(); });
    connect(cmdRetrieve, &QPushButton::clicked, this, [this] { cmdRetrieve_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

std::optional<int> frmFindName::Choose(const std::vector<std::pair<QString, int>>& names, QWidget* parent) {
    frmFindName dialog(parent);
    for (const auto& [text, playerId] : names) dialog.AddName(text, playerId);
    ExecModal(dialog);
    if (dialog.FindPlayerID() == 0) return std::nullopt;
    return dialog.FindPlayerID();
}

void frmFindName::AddName(const QString& text, int playerId) {
    lstNames->addItem(text);
    playerIds_.push_back(playerId);
}

int frmFindName::ChosenPlayer() const {
    const int row = lstNames->currentRow();
    return row >= 0 && row < static_cast<int>(playerIds_.size()) ? playerIds_[row] : 0;
}

void frmFindName::lstNames_Click() {
    if (!lstNames->currentItem()) return;
    cmdRetrieve->setEnabled(true);
    nFindPlayerID_ = ChosenPlayer();
}

void frmFindName::lstNames_DblClick() {
    lstNames_Click();
    accept();
}

void frmFindName::cmdRetrieve_Click() {
    if (!lstNames->currentItem()) return;
    nFindPlayerID_ = ChosenPlayer();
    accept();
}

void frmFindName::cmdCancel_Click() { reject(); }

void frmFindName::reject() {
    nFindPlayerID_ = 0;
    QDialog::reject();
}

}  // namespace dc
