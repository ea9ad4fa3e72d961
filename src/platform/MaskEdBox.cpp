#include "platform/MaskEdBox.h"

namespace dc {

MaskEdBox::MaskEdBox(QWidget* parent) : QLineEdit(parent) {}

void MaskEdBox::SetMask(const QString& mask) {
    mask_ = mask;
    QString qtMask;
    for (QChar c : mask) {
        if (c == '#')
            qtMask += '0';
        else if (QString("09AaNnXx<>!\\{}[]").contains(c))
            qtMask += QString("\\") + c;
        else
            qtMask += c;
    }
    const QString keep = displayText();
    setInputMask(mask.isEmpty() ? QString() : qtMask + ";_");
    if (!keep.isEmpty()) setText(keep);
}

QString MaskEdBox::Text() const { return inputMask().isEmpty() ? text() : displayText(); }

void MaskEdBox::SetText(const QString& text) { setText(text); }

}  // namespace dc
