#include "shell/AppContext.h"

#include "platform/Database.h"

namespace dc {

AppContext::AppContext() = default;
AppContext::~AppContext() = default;
AppContext& AppContext::operator=(AppContext&&) = default;

// Every member back to its initial value, so that a member added later cannot be missed here.
void AppContext::Reset() { *this = AppContext(); }

}  // namespace dc
