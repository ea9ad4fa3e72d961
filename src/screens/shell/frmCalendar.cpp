#include "shell/frmCalendar.h"

#include <QCalendarWidget>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "platform/Modal.h"
#include "shell/DateFormat.h"

namespace dc {

frmCalendar::frmCalendar(const QString& date, const QString& dateFormat, QWidget* parent)
    : QDialog(parent), dateFormat_(dateFormat) {
    setObjectName("frmCalendar");
    setWindowTitle("Select a Date");
    auto* layout = new QVBoxLayout(this);
    calMonth = new QCalendarWidget(this);
    calMonth->setObjectName("calMonth");
    calMonth->setGridVisible(true);
    layout->addWidget(calMonth);
    if (auto d = ParseLocalDate(date, dateFormat_)) calMonth->setSelectedDate(*d);
    connect(calMonth, &QCalendarWidget::clicked, this, [this](QDate d) { calMonth_DateClick(d); });
    // Enter (and a double click) confirms the highlighted day: the screen sees Enter before the calendar.
    connect(calMonth, &QCalendarWidget::activated, this, [this](QDate d) { calMonth_DateClick(d); });
    calMonth->installEventFilter(this);
    for (QWidget* child : calMonth->findChildren<QWidget*>()) child->installEventFilter(this);
}

std::optional<QString> frmCalendar::Choose(const QString& date, const QString& dateFormat, QWidget* parent) {
    frmCalendar calendar(date, dateFormat, parent);
    ExecModal(calendar);
    return calendar.ChosenDate();
}

bool frmCalendar::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            calMonth_DateClick(calMonth->selectedDate());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmCalendar::calMonth_DateClick(const QDate& date) {
    chosen_ = FormatLocalDate(date, dateFormat_);
    accept();
}

}  // namespace dc
