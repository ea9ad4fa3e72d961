#pragma once
// What a screen opened from the main screen hands back on closing.

namespace dc {

struct ScreenAnswer {
    int code = 0;        // what the main screen reloads: 1 the courses, 2 the players, 3 both; 0 nothing
    int gameNumber = 0;  // the round a report screen retrieved for the main screen to show; 0 none
};

}  // namespace dc
