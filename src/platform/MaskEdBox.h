#pragma once
// A masked date box: a line edit whose mask shows "_" for each digit not yet typed, and whose
// Text() is what the user sees, underscores included.

#include <QLineEdit>

namespace dc {

class MaskEdBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit MaskEdBox(QWidget* parent = nullptr);

    // Mask in the classic form: "#" a digit, any other character a literal ("##/##/####").
    void SetMask(const QString& mask);
    QString Mask() const { return mask_; }
    QString Text() const;  // the displayed text, "_" where nothing is typed
    void SetText(const QString& text);

  private:
    QString mask_;
};

}  // namespace dc
