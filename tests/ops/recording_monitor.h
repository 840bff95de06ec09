// An operation monitor for the tests: records what an operation reports and answers "stop" from a chosen
// poll on.
#pragma once

#include <string>
#include <vector>

#include "ops/operation_monitor.h"

namespace vyd::testing {

class RecordingMonitor : public OperationMonitor {
public:
    int stopAtPoll = -1;       // polls counted from 0; -1: never stop
    int stopOnlyAtPoll = -1;   // Esc down at this one poll only
    int polls = 0;
    std::vector<PixelRect> progress;
    std::vector<std::string> titles;  // every title set, and "<restore>" for every restore

    bool stopRequested() override {
        const int poll = polls++;
        return (stopAtPoll >= 0 && poll >= stopAtPoll) || poll == stopOnlyAtPoll;
    }
    void showProgress(const PixelRect& written) override { progress.push_back(written); }
    void showRowTitle(const std::string& text) override { titles.push_back(text); }
    void restoreTitle() override { titles.push_back("<restore>"); }
};

}  // namespace vyd::testing
