#pragma once
// "Print Player Mailing Labels": prints a label for every player on sheets of 2 x 10 or 3 x 10,
// by last name or zip code, in a chosen printer font, shifted by the printer offsets it stores in
// SETUP. Shown modally by the player editor.

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dc {

class AppContext;
struct LabelAreaCheck;

class frmMailingLabels : public QDialog {
    Q_OBJECT
  public:
    explicit frmMailingLabels(AppContext& ctx, QWidget* parent = nullptr);

    QGroupBox* Frame4;
    QLineEdit* txtXOffset;
    QLineEdit* txtYOffset;
    QGroupBox* Frame2;
    QRadioButton* optSort_1;  // Last Name
    QRadioButton* optSort_2;  // Zip Code
    QGroupBox* Frame1;
    QComboBox* cboFontType;
    QComboBox* cboFontStyle;
    QGroupBox* Frame3;
    QRadioButton* optStyle_1;  // 2 x 10
    QRadioButton* optStyle_2;  // 3 x 10
    QPushButton* cmdPrint;
    QPushButton* cmdClose;

    void Form_Load();
    void cmdPrint_Click();
    void cmdClose_Click();
    void Print_Labels(int across);

  private:
    // Says where the labels leave the printable area and asks whether to print; true to print.
    bool LabelsInsideOrGoOn(const LabelAreaCheck& check);
    AppContext& ctx_;
};

}  // namespace dc
