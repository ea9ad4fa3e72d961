#include "shell/SetupStore.h"

#include "platform/Database.h"
#include "records/MailingLabels.h"

namespace dc {

std::optional<SetupRow> SetupStore::ReadSetupRow() {
    Recordset rs = db_.OpenRecordset("Select SOUNDS, LABEL_STYLE, FLAG_18_9, US_CA_FLAG From SETUP");
    if (rs.IsEmpty()) return std::nullopt;
    rs.MoveFirst();
    return SetupRow{rs["SOUNDS"].toBool(), rs["LABEL_STYLE"].str(), rs["FLAG_18_9"].toBool(),
                    rs["US_CA_FLAG"].toBool()};
}

void SetupStore::StoreSetupRow(const SetupRow& row) {
    db_.Execute("Update SETUP Set LABEL_STYLE=?, SOUNDS=?, FLAG_18_9=?, US_CA_FLAG=?",
                {row.labelStyle, row.sounds ? 1 : 0, row.flag18_9 ? 1 : 0, row.usCaFlag ? 1 : 0});
}

PrinterOffsets SetupStore::ReadPrinterOffsets() {
    Recordset rs = db_.OpenRecordset("Select XOFFSET,YOFFSET From SETUP");
    if (rs.IsEmpty()) return {};
    rs.MoveFirst();
    return {rs["XOFFSET"].toDouble(), rs["YOFFSET"].toDouble()};
}

void SetupStore::StorePrinterOffsets(double xInches, double yInches) {
    // Numbers formatted here, never typed text: the statement keeps them for the error report.
    db_.Execute("Update SETUP Set XOFFSET=" + OffsetSqlText(xInches) + ",YOFFSET=" + OffsetSqlText(yInches));
}

}  // namespace dc
