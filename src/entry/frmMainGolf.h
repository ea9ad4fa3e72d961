#pragma once
// The main screen, where rounds are entered. For now it only offers the way out of the program.

#include <QWidget>

class QPushButton;

namespace dc {

class frmMainGolf : public QWidget {
    Q_OBJECT
public:
    explicit frmMainGolf(QWidget* parent = nullptr);

    QPushButton* cmdExit;
    void cmdExit_Click();
};

}  // namespace dc
