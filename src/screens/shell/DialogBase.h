#pragma once
// A screen that asks before it closes: the close box, Esc and reject() all go through Form_Unload,
// which may keep the screen open. The pointer returns to normal whenever the screen becomes active.

#include <QDialog>

namespace dc {

class DialogBase : public QDialog {
    Q_OBJECT
  public:
    using QDialog::QDialog;
    // False keeps the screen open (the user cancelled, or unsaved changes failed to save).
    virtual bool Form_Unload() = 0;
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
};

}  // namespace dc
