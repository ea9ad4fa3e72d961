#include "tools/cZip.h"

#include "tools/mZip.h"

namespace dc {

void cZip::Zip() { VBZip(*this); }

}  // namespace dc
