#include "shell/DialogBase.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>

#include "platform/Pointer.h"

namespace dc {

void StopHandlers(QWidget& screen) {
    screen.blockSignals(true);
    for (QWidget* w : screen.findChildren<QWidget*>()) w->blockSignals(true);
}

namespace {
QWidgetList OpenWindows() {
    QWidgetList open;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) open.append(window);
    return open;
}
}  // namespace

bool SaveQuestionsOfOpenScreens(const QWidget& owner, const QWidget* asking) {
    const QWidgetList before = OpenWindows();
    QList<QPointer<DialogBase>> screens;
    for (DialogBase* screen : owner.findChildren<DialogBase*>())
        if (screen->isVisible() && screen != asking) screens.append(screen);
    for (const QPointer<DialogBase>& screen : screens) {
        if (!screen) continue;
        screen->raise();  // the golfer sees which screen asks
        if (!screen->SaveChangesQuestion()) return false;
    }
    for (QWidget* window : OpenWindows())
        if (!before.contains(window)) return false;
    return true;
}

// The screen's own members are gone by now; ~QDialog still hides it, which moves the focus.
DialogBase::~DialogBase() { StopHandlers(*this); }

void DialogBase::closeEvent(QCloseEvent* event) {
    if (!Form_Unload()) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::done(QDialog::Rejected);
}

void DialogBase::reject() { close(); }

bool DialogBase::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) SetMousePointer(Pointer::Default);
    return QDialog::event(event);
}

}  // namespace dc
