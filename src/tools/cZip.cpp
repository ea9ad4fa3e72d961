#include "tools/cZip.h"

#include "platform/DbError.h"
#include "tools/mZip.h"

namespace dc {

cZip::cZip() = default;

void cZip::SetMessageLevel(int eLevel) {
    if (eLevel >= 0 && eLevel <= 2) messageLevel_ = eLevel;
}

int cZip::AddFileSpec(const QString& sSpec) {
    specs_ << sSpec;
    return 0;
}

QString cZip::FileSpec(int nIndex) const {
    if (nIndex < 1 || nIndex > specs_.size()) throw AppError(9, "Subscript out of range");
    return specs_[nIndex - 1];
}

void cZip::Zip() { VBZip(*this, ZipAction::Add); }

void cZip::Delete() { VBZip(*this, ZipAction::Delete); }

}  // namespace dc
