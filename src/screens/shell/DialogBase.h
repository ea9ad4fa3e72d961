#pragma once
// A screen that asks before it closes: the close box, Esc and reject() all go through Form_Unload,
// which may keep the screen open. A screen holding unsaved changes asks its save question before the
// program ends too. The pointer returns to normal whenever the screen becomes active. No handler of
// the screen runs once its destruction has begun.

#include <QDialog>

namespace dc {

// Silences the screen and every widget on it for good: called as its destruction begins, so that
// the signals its widgets send while the dialog is hidden and torn down (a box left with a course's
// name picks that entry, a date box finishes its edit) reach no handler of a half-destroyed screen.
void StopHandlers(QWidget& screen);

// Before the program ends or another database is opened: each open screen under `owner` but the
// `asking` one asks its save question in turn. False keeps the program and the database open: a
// Cancel or a failed save (the screens after it are not asked, none is closed), or a save that
// opened a screen of its own (the re-rating of a course just saved).
bool SaveQuestionsOfOpenScreens(const QWidget& owner, const QWidget* asking = nullptr);

class DialogBase : public QDialog {
    Q_OBJECT
  public:
    using QDialog::QDialog;
    ~DialogBase() override;
    // False keeps the screen open (the user cancelled, or unsaved changes failed to save).
    virtual bool Form_Unload() = 0;
    // The save question for unsaved changes, as the screen's own close asks it: true when the screen
    // may go (nothing unsaved, No, or Yes and saved). No drops nothing here: closing the screen,
    // ending the program or the switch to another database does.
    virtual bool SaveChangesQuestion() { return true; }
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
};

}  // namespace dc
