#include "platform/SpreadCell.h"

#include <QBrush>
#include <QFont>

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

SpreadCell::SpreadCell(Kind kind) : kind_(kind) {
    if (IsHeader()) fmt.hAlign = SpreadHAlign::Center;
}

bool SpreadCell::IsNumeric() const {
    return fmt.type == SpreadCellType::Integer || fmt.type == SpreadCellType::Float ||
           fmt.type == SpreadCellType::CheckBox;
}

int SpreadCell::ComboSel() const { return comboSel_ >= 0 && comboSel_ < fmt.comboList.size() ? comboSel_ : -1; }

QString SpreadCell::Text() const {
    if (IsHeader()) return text_;
    switch (fmt.type) {
        case SpreadCellType::CheckBox:
            return checked_ ? QStringLiteral("1") : QStringLiteral("0");
        case SpreadCellType::ComboBox:
            return fmt.comboList.value(ComboSel());
        default:
            return text_;
    }
}

QString SpreadCell::ShownText() const {
    if (IsHeader()) return ownText_ ? text_ : defaultText_;
    if (fmt.type == SpreadCellType::CheckBox) return {};
    return Text();
}

QVariant SpreadCell::data(int role) const {
    switch (role) {
        case Qt::DisplayRole:
            if (!IsHeader() && fmt.type == SpreadCellType::CheckBox) return QVariant();
            return ShownText();
        case Qt::EditRole:
            return Text();
        default:
            return FormatData(fmt, IsHeader(), role);
    }
}

QVariant SpreadCell::FormatData(const SpreadCellFormat& fmt, bool header, int role) {
    switch (role) {
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
            if (header) align |= Qt::TextWordWrap;
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
            return QVariant();
    }
}

}  // namespace dc
