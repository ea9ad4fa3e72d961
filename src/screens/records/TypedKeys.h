#pragma once
// Keystroke rules of the record editors: some boxes upper-case what is typed, Enter moves on as Tab
// does, and a box's length limit applies to typing only.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QValidator>
#include <functional>

class QLineEdit;
class QWidget;

namespace dc {

class AppContext;

// "a" to "z" become capitals; every other character stays.
int UpperAsciiOnly(int keyAscii);

// Replaces what is typed into one line edit: the rule maps the typed text to the text to insert
// (empty drops the key). Installed as an event filter of the box, owned by it.
class TypedTextFilter : public QObject {
  public:
    using Rule = std::function<QString(const QString& typed)>;
    TypedTextFilter(QWidget& box, Rule rule);
    static void Install(QWidget& box, Rule rule) { new TypedTextFilter(box, std::move(rule)); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Rule rule_;
    bool sending_ = false;
};

// A printer-offset box: only digits and one decimal point can be typed or pasted, and the whole text
// is selected when the box gets the focus (also after the click that gave it, which places the cursor).
void InstallOffsetBox(QLineEdit& box);
// True when both offset boxes hold offsets a sheet allows; otherwise the range message (with the
// warning sound when the context's sounds are on) and the focus goes to the first box at fault.
bool OffsetBoxesInRange(QLineEdit& x, QLineEdit& y, AppContext& ctx);

// Limits what the user types or pastes to `length` characters; texts set by the program are not cut.
class MaxLengthValidator : public QValidator {
  public:
    MaxLengthValidator(int length, QObject* parent) : QValidator(parent), length_(length) {}
    State validate(QString& input, int& pos) const override;

  private:
    int length_;
};

// While installed, Enter in any widget of `form` (grid editors included) is replaced by a Tab key
// stroke to the same widget, so it moves on as Tab does.
class EnterAsTab : public QObject {
  public:
    explicit EnterAsTab(QWidget& form);
    ~EnterAsTab() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> form_;
};

}  // namespace dc
