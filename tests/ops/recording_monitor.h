// An operation monitor for the tests: records what an operation reports; Esc is down from poll `stopFrom`
// on, or at poll `stopOnly` only (polls counted from 0).
#pragma once

#include <string>
#include <vector>

#include "ops/operation_monitor.h"

namespace vyd::testing {

struct RecordingMonitor : OperationMonitor {
    int stopFrom = -1, stopOnly = -1, polls = 0;
    std::vector<std::string> titles;  // every title set, and "<restore>" for every restore
    std::vector<PixelRect> progress;
    bool stopRequested() override {
        const int poll = polls++;
        return (stopFrom >= 0 && poll >= stopFrom) || poll == stopOnly;
    }
    void showProgress(const PixelRect& written) override { progress.push_back(written); }
    void showRowTitle(const std::string& text) override { titles.push_back(text); }
    void restoreTitle() override { titles.push_back("<restore>"); }
};

}  // namespace vyd::testing
