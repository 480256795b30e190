#pragma once

#include <functional>

namespace fenwarp {

// Where the current patch step stands: lines handled out of the lines to handle.
struct Progress {
    long value = 0;
    long maximum = 100;
};

// Called when the progress moved; the view repaints its bar from it.
using ProgressFn = std::function<void(const Progress&)>;

// Counts the progress of a patch step into a Progress and tells the view
// every few hundred lines, so that reporting costs the patch nothing.
class ProgressMeter {
  public:
    static constexpr long report_every = 256;

    ProgressMeter(Progress& state, ProgressFn notify) : state_(state), notify_(std::move(notify)) {}

    void reset() {
        state_.value = 0;
        report();
    }
    void start(long maximum) {
        state_.maximum = maximum;
        reset();
    }
    void advance(long lines = 1) {
        state_.value += lines;
        if (state_.value >= next_report_) report();
    }
    void finish() {
        state_.value = state_.maximum;
        report();
    }
    const Progress& state() const { return state_; }

  private:
    void report() {
        next_report_ = state_.value + report_every;
        if (notify_) notify_(state_);
    }

    Progress& state_;
    ProgressFn notify_;
    long next_report_ = 0;
};

}  // namespace fenwarp
