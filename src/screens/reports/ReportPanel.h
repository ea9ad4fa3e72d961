#pragma once
// The selection panel that the statistics, game-list and graphs screens share: players (one or
// all), courses (one or all) with their counts, the start and end date boxes with optional
// calendar buttons, the hint line, and the panel's checks with their messages.

#include <QDate>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <initializer_list>
#include <map>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QRadioButton;
class QPushButton;
class QWidget;

namespace dc {

class AppContext;
class MaskEdBox;

class ReportPanel : public QObject {
    Q_OBJECT
  public:
    ReportPanel(AppContext& ctx, QWidget* owner, bool allPlayers, bool calendars);

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

    // The "18 Hole"/"9 Hole" and US/Canada options (members 1 and 2), preset to 18 holes and US.
    // Choosing one writes bFlag18_9 or bUSCAFlag and calls `chosen`.
    QGroupBox* HoleCountryOptions(std::array<QRadioButton*, 3>& opt189,
                                  std::array<QRadioButton*, 3>& optUSCan,
                                  const std::function<void()>& chosen);
    // The hint line with the screen's buttons after it.
    QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);
    // Any change of the player, course or dates calls `changed`.
    void OnChange(const std::function<void()>& changed);

    // The player handed over in nCurPlayerID is chosen (All Players unticked); with none, All
    // Players is ticked and `print` disabled. The combo boxes show as their All boxes say.
    void ChooseHandedPlayer(QPushButton* print);

    // Fills the lists; `nccLeadingBlank`: the course count with a sign position like the players'.
    void LoadLists(bool nccLeadingBlank, bool nccWhenEmpty);

    // The course check, then the date checks (start date, end date, range); each false after its
    // message. A missing course list ticks "All Courses" (whose handler recomputes).
    bool CheckCourse();
    bool CheckDates();
    // The player check of a one-player query with nothing chosen: false with its message.
    bool CheckPlayer(bool moveFocus);

    bool OneCourse() const;   // "All Courses" unticked
    int CourseId() const;     // the chosen course's key, 0 for all courses
    QDate StartDate() const;  // valid after CheckDates
    QDate EndDate() const;
    QString PlayerHeading() const;  // the player box's text, or "All Players"
    QStringList PlayerNames() const;  // every player of the player box
    QString CourseHeading() const;  // the course box's text, or "All Courses"

    // The calendar for one box: opens on its date and writes the chosen day into the box.
    void PickDate(MaskEdBox* box);

  Q_SIGNALS:
    // A date box now holds a valid date (already stored in sStartDate or sEndDate): set by the
    // program, or typed and then Enter, the box left or a pause in the typing.
    void DateEdited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    static constexpr int kTypingPauseMs = 300;  // the pause after a typed key that counts a date
    void TakeDate(MaskEdBox* box);
    void Inform(const QString& text);
    AppContext& ctx_;
    QWidget* owner_;
    std::map<QObject*, std::pair<QString, bool>> hints_;
};

}  // namespace dc
