#pragma once
// The calendar: opens on the date in sCalDate and hands the chosen day back in sCalDate, in the
// user's date order. Closing it any other way leaves sCalDate as it was.

#include <QDialog>

class QCalendarWidget;

namespace dc {

class AppContext;

class frmCalendar : public QDialog {
    Q_OBJECT
  public:
    explicit frmCalendar(AppContext& ctx, QWidget* parent = nullptr);

    QCalendarWidget* calMonth;

    void calMonth_DateClick(const QDate& date);  // a day was chosen (click, or Enter)

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    AppContext& ctx_;
};

}  // namespace dc
