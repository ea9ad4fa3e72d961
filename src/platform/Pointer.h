#pragma once
// The program-wide mouse pointer: the hourglass during long work, the default otherwise.

namespace dc {

enum class Pointer { Default, Hourglass };
void SetMousePointer(Pointer pointer);
Pointer CurrentMousePointer();

// The hourglass while the object lives, then the default pointer.
struct BusyPointer {
    BusyPointer() { SetMousePointer(Pointer::Hourglass); }
    ~BusyPointer() { SetMousePointer(Pointer::Default); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace dc
