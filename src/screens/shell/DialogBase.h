#pragma once
// A screen that asks before it closes: the close box, Esc and reject() all go through Form_Unload,
// which may keep the screen open. The pointer returns to normal whenever the screen becomes active.
// No handler of the screen runs once its destruction has begun.

#include <QDialog>

namespace dc {

// Silences the screen and every widget on it for good: called as its destruction begins, so that
// the signals its widgets send while the dialog is hidden and torn down (a box left with a course's
// name picks that entry, a date box finishes its edit) reach no handler of a half-destroyed screen.
void StopHandlers(QWidget& screen);

class DialogBase : public QDialog {
    Q_OBJECT
  public:
    using QDialog::QDialog;
    ~DialogBase() override;
    // False keeps the screen open (the user cancelled, or unsaved changes failed to save).
    virtual bool Form_Unload() = 0;
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
};

}  // namespace dc
