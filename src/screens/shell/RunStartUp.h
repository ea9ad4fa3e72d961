#pragma once
// The program's start-up as the welcome screen runs it: single copy, title, date order, report range,
// Connect.ini, the database (opened, brought up to date) and the settings row, with every message and
// question on the way. A database that is missing or not one of the program's leads to the settings
// screen, where a valid one can be chosen.

#include <functional>

namespace dc {

class AppContext;
class SingleInstance;

enum class StartUpResult { Ready, DatabaseMissing, Quit };

// Runs the start-up sequence, filling the context (settings, the open database). `showSettings`
// shows the settings screen modally for a missing database (its missing-database road). The lock stays held
// by `instance` for the life of the program.
StartUpResult RunStartUp(AppContext& ctx, SingleInstance& instance,
                         const std::function<void()>& showSettings);

}  // namespace dc
