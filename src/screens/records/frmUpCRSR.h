#pragma once
// "Update for Course/Slope Rating Changes": after a course's ratings, slopes or pars changed, copies
// them into the stored rounds played on it (all, or from a date on) and recomputes every handicap.
// Opened modelessly by the course editor for the course just saved; closes itself when done, and
// when another database is opened, whose course of that number is another course.

#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;

namespace dc {

class AppContext;
class LoadedDatabase;
class MaskEdBox;

class frmUpCRSR : public QDialog {
    Q_OBJECT
  public:
    frmUpCRSR(AppContext& ctx, int courseId, QWidget* parent = nullptr);

    QLabel* Note1Cap;
    QRadioButton* optDate_1;  // Change ALL Occurrances
    QRadioButton* optDate_2;  // Make Changes to game on/after:
    MaskEdBox* mskDate;
    QLabel* Note2Cap;
    QPushButton* cmdUpdate;

    void Form_Load();
    void cmdUpdate_Click();

  protected:
    bool event(QEvent* event) override;

  private:
    AppContext& ctx_;
    void DateRefused(const QString& firstLine);

    // The course whose ratings changed, fixed when the screen opens: the main screen may pick
    // another course while this screen waits.
    const int courseId_;
    // The database the course is in: the screen closes when another one is opened.
    LoadedDatabase* database_;
};

}  // namespace dc
