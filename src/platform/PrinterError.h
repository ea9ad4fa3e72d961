#pragma once
// An error of the printer page: the printer cannot be reached (68) or failed while printing (482).
// Print routines catch it by its number to show their printer messages.

#include <QString>

#include "platform/DbError.h"

namespace dc {

enum PrinterErrNumber : int {
    kErrDeviceUnavailable = 68,  // no printer, or the output cannot be opened
    kErrPrinter = 482,           // the printer failed while printing
};

class PrinterError : public AppError {
  public:
    explicit PrinterError(int number, const QString& description = QString())
        : AppError(number, description.isEmpty() ? DefaultText(number) : description) {}

    static QString DefaultText(int number) {
        return number == kErrDeviceUnavailable ? QStringLiteral("Device unavailable")
                                               : QStringLiteral("Printer error");
    }
};

}  // namespace dc
