#include "platform/SpreadCell.h"

#include <QBrush>
#include <QFont>

#include "platform/Val.h"

namespace dc {

void SpreadCellFormat::Apply(SpreadAttr attr, const QVariant& value) {
    switch (attr) {
        case SpreadAttr::CellType:
            type = static_cast<SpreadCellType>(value.toInt());
            break;
        case SpreadAttr::HAlign:
            hAlign = static_cast<SpreadHAlign>(value.toInt());
            break;
        case SpreadAttr::CheckCenter:
            checkCenter = value.toBool();
            break;
        case SpreadAttr::NumberMin:
            numberMin = value.toDouble();
            break;
        case SpreadAttr::NumberMax:
            numberMax = value.toDouble();
            break;
        case SpreadAttr::DecPlaces:
            decPlaces = qBound(0, value.toInt(), 10);
            break;
        case SpreadAttr::MaxEditLen:
            maxEditLen = qMax(0, value.toInt());
            break;
        case SpreadAttr::ComboList:
            comboList = value.toStringList();
            break;
        case SpreadAttr::BackColor:
            backColor = value.value<QColor>();
            break;
        case SpreadAttr::ForeColor:
            foreColor = value.value<QColor>();
            break;
        case SpreadAttr::Lock:
            locked = value.toBool();
            break;
        case SpreadAttr::FontBold:
            bold = value.toBool();
            break;
    }
}

SpreadCell::SpreadCell(Kind kind) : QTableWidgetItem(QTableWidgetItem::UserType), kind_(kind) {
    if (IsHeader()) fmt.hAlign = SpreadHAlign::Center;
}

QTableWidgetItem* SpreadCell::clone() const { return new SpreadCell(*this); }

bool SpreadCell::IsNumeric() const {
    return fmt.type == SpreadCellType::Integer || fmt.type == SpreadCellType::Float ||
           fmt.type == SpreadCellType::CheckBox;
}

QString SpreadCell::Text() const {
    if (IsHeader()) return text_;
    switch (fmt.type) {
        case SpreadCellType::CheckBox:
            return checked_ ? QStringLiteral("1") : QStringLiteral("0");
        case SpreadCellType::ComboBox:
            return fmt.comboList.value(comboSel_);
        default:
            return text_;
    }
}

void SpreadCell::SetText(const QString& text) {
    ownText_ = true;
    if (!IsHeader() && fmt.type == SpreadCellType::CheckBox) {
        checked_ = Val(text) != 0.0 ? 1 : 0;
    } else if (!IsHeader() && fmt.type == SpreadCellType::ComboBox) {
        comboSel_ = fmt.comboList.indexOf(text);
    } else {
        text_ = text;
    }
}

void SpreadCell::SetComboSel(int index) {
    comboSel_ = (index >= 0 && index < fmt.comboList.size()) ? index : -1;
}

void SpreadCell::Clear() {
    text_.clear();
    checked_ = 0;
    comboSel_ = -1;
    ownText_ = false;
}

void SpreadCell::Touch() { QTableWidgetItem::setData(Qt::UserRole + 1, ++version_); }

QVariant SpreadCell::data(int role) const {
    switch (role) {
        case Qt::DisplayRole:
            if (IsHeader()) return ownText_ ? text_ : defaultText_;
            if (fmt.type == SpreadCellType::CheckBox) return QVariant();
            return Text();
        case Qt::EditRole:
            return Text();
        case Qt::TextAlignmentRole: {
            int align = Qt::AlignVCenter;
            switch (fmt.hAlign) {
                case SpreadHAlign::Left:
                    align |= Qt::AlignLeft;
                    break;
                case SpreadHAlign::Right:
                    align |= Qt::AlignRight;
                    break;
                case SpreadHAlign::Center:
                    align |= Qt::AlignHCenter;
                    break;
            }
            if (IsHeader()) align |= Qt::TextWordWrap;
            return align;
        }
        case Qt::BackgroundRole:
            return fmt.backColor.isValid() ? QVariant(QBrush(fmt.backColor)) : QVariant();
        case Qt::ForegroundRole:
            return fmt.foreColor.isValid() ? QVariant(QBrush(fmt.foreColor)) : QVariant();
        case Qt::FontRole:
            if (fmt.bold) {
                QFont font;
                font.setBold(true);
                return font;
            }
            return QVariant();
        default:
            return QTableWidgetItem::data(role);
    }
}

}  // namespace dc
