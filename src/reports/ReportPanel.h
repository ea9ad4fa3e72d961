#pragma once
// The selection panel that the statistics, game-list and graphs screens share: players (one or
// all), courses (one or all) with their counts, the start and end date boxes with optional
// calendar buttons, the hint line, and the panel's checks with their messages.

#include <QDate>
#include <QObject>
#include <QString>
#include <map>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

namespace dc {

class MaskEdBox;

class ReportPanel : public QObject {
    Q_OBJECT
  public:
    ReportPanel(QWidget* owner, bool allPlayers, bool calendars);

    QGroupBox* fraPlayers;  // "Players" (a plain "Player" label when there is no all-players box)
    QComboBox* cboPlayer;
    QCheckBox* chkAllPlayers = nullptr;
    QLabel* NGCap = nullptr;
    QGroupBox* fraCourses;  // "Courses"
    QComboBox* cboCourse;
    QCheckBox* chkAllCourses;
    QLabel* NCCap;
    QWidget* dates;  // the two date boxes with their labels
    MaskEdBox *txtSDate, *txtEDate;
    QPushButton *cmdCalSDate = nullptr, *cmdCalEDate = nullptr;
    QLabel* capHelp;

    // The hint shown while a control has the focus; date boxes also select their text when asked.
    void SetHint(QWidget* control, const QString& hint, bool selectText = false);

    // Fills the lists; `nccLeadingBlank`: the course count with a sign position like the players'.
    void LoadLists(bool nccLeadingBlank, bool nccWhenEmpty);

    // The checks in order (course, start date, end date, range); false after the first failure's
    // message. A missing course list ticks "All Courses" (whose handler recomputes).
    bool CheckCourseAndDates();
    bool CheckCourse();
    bool CheckDates();
    // The player check of a one-player query with nothing chosen: false with its message.
    bool CheckPlayer(bool moveFocus);

    bool OneCourse() const;   // "All Courses" unticked
    int CourseId() const;     // the chosen course's key, 0 for all courses
    QDate StartDate() const;  // valid after CheckDates
    QDate EndDate() const;
    QString PlayerHeading() const;  // the player box's text, or "All Players"
    QString CourseHeading() const;  // the course box's text, or "All Courses"

    // The calendar for one box: opens on its date and writes the chosen day into the box.
    void PickDate(MaskEdBox* box);

  Q_SIGNALS:
    // A date box now holds a valid date (already stored in sStartDate or sEndDate).
    void DateEdited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Inform(const QString& text);
    QWidget* owner_;
    std::map<QObject*, std::pair<QString, bool>> hints_;
};

}  // namespace dc
