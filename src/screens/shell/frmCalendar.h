#pragma once
// The calendar: opens on a date and hands the chosen day back to its caller, in the user's date
// order. Closing it any other way chooses nothing.

#include <QDialog>
#include <optional>

class QCalendarWidget;

namespace dc {

class frmCalendar : public QDialog {
    Q_OBJECT
  public:
    // Opens on `date` (read in `dateFormat`), else on today.
    frmCalendar(const QString& date, const QString& dateFormat, QWidget* parent = nullptr);

    // Shows the calendar modally; the chosen day, or nothing when it was closed otherwise.
    static std::optional<QString> Choose(const QString& date, const QString& dateFormat, QWidget* parent);

    QCalendarWidget* calMonth;

    void calMonth_DateClick(const QDate& date);  // a day was chosen (click, or Enter)

    // The chosen day in the user's date order; nothing until a day is chosen.
    const std::optional<QString>& ChosenDate() const { return chosen_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QString dateFormat_;
    std::optional<QString> chosen_;
};

}  // namespace dc
