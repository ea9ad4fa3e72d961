#include "scorecards/CourseHcpText.h"

#include <algorithm>
#include <cmath>

#include "handicap/HcpRules.h"
#include "platform/Val.h"

namespace dc {

QString IndexCellText(double index) {
    if (index > 0) return FixedText(index, 1, 7);
    return "+" + FixedText(std::abs(index), 1, 7);
}

QString CalculateHcp(double index, double tournIndex, double slope) {
    if (!(slope > 0)) return QString();
    const bool tourn = tournIndex != kNoTournIndex;
    const double from = tourn ? tournIndex : index;
    const int hcp = CourseHcp(static_cast<float>(from), slope);
    QString text = hcp < 0 ? "+" + QString::number(-hcp) : QString::number(hcp);
    if (tourn) text += " T";
    return text;
}

std::optional<int> HcpTextValue(const QString& hcpText) {
    const QString text = hcpText.trimmed();
    if (text.isEmpty()) return std::nullopt;
    // A plus handicap: "+2" (earlier versions wrote "-+2").
    if (text.startsWith("+") || text.startsWith("-+"))
        return -static_cast<int>(Val(text.mid(text.indexOf('+') + 1)));
    return static_cast<int>(Val(text));
}

double TeeSlope(const QString& packedSlopes, Packed column, int slot) {
    if (slot < 0 || slot > 3) return 0;
    return std::max(0.0, SlotNumber(packedSlopes, column, slot));
}

int SlopeForGender(const QString& gender, int menSlope, int womenSlope) {
    const QString g = gender.trimmed();
    return g == "M" ? menSlope : g == "F" ? womenSlope : 0;
}

QString TeeBoxChoiceWarning(bool courseChosen, bool menTeeChosen, bool womenTeeChosen) {
    if (!courseChosen) return "You need to enter course information before printing score cards.";
    QString message;
    if (!menTeeChosen)
        message +=
            "\r\nPlease select a valid Men's Tee Box.  Handicap and Indexes will not be calculated "
            "correctly.";
    if (!womenTeeChosen)
        message +=
            "\r\nPlease select a valid Women's Tee Box.  Handicap and Indexes will not be calculated "
            "correctly.";
    return message;
}

QString SlopeWarning(bool courseChosen, bool menTeeChosen, bool womenTeeChosen, int slopeM, int slopeW) {
    QString message = TeeBoxChoiceWarning(courseChosen, menTeeChosen, womenTeeChosen);
    if (slopeM == 0)
        message +=
            "\r\nNo Slope was provide for this Men's Tee Box.  Handicap and Indexes will not be calculated "
            "correctly.";
    if (slopeW == 0)
        message +=
            "\r\nNo Slope was provide for this Women's Tee Box.  Handicap and Indexes will not be "
            "calculated correctly.";
    if (!message.isEmpty())
        message +=
            "\r\nPlease go to the Course Setup screen and add the appropriate values for this Tee Box.";
    return message;
}

}  // namespace dc
