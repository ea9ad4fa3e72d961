#pragma once
// The program-wide mouse pointer: the hourglass during long work, the default otherwise.

namespace dc {

enum class Pointer { Default, Hourglass };
void SetMousePointer(Pointer pointer);
Pointer CurrentMousePointer();

}  // namespace dc
