#pragma once
// How a long run shows that it goes on. The engine calls it; the screens layer gives the progress
// window, and a run without one shows nothing.

namespace dc {

class ProgressReporter {
  public:
    virtual ~ProgressReporter() = default;
    virtual void Start() {}             // the run has work to do
    virtual void Step(int /*k*/, int /*n*/) {}  // unit k of n is done
    virtual void Finish() {}            // the run is over, however it ended
};

}  // namespace dc
