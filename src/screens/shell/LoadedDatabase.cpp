#include "shell/LoadedDatabase.h"

#include "platform/Database.h"
#include "shell/AppContext.h"
#include "shell/StoredChanges.h"

namespace dc {

LoadedDatabase::LoadedDatabase(AppContext& ctx, QObject* parent, std::function<void()> switched)
    : QObject(parent), ctx_(ctx), switched_(std::move(switched)) {
    Take();
    connect(&ctx_.Changes(), &StoredChanges::Changed, this, [this] { CheckSwitch(); });
}

bool LoadedDatabase::IsOpen() const { return ctx_.HasDatabase() && ctx_.Connection().Path() == path_; }

void LoadedDatabase::Take() { path_ = ctx_.HasDatabase() ? ctx_.Connection().Path() : QString(); }

void LoadedDatabase::CheckSwitch() {
    // Closed for a moment (a compaction puts a new file in its place): nothing to show yet.
    if (!ctx_.HasDatabase() || IsOpen()) return;
    Take();
    if (switched_) switched_();
}

}  // namespace dc
