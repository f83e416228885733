#pragma once

#include "toolkit/graphics/graphic.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

struct ProgressNotification {
    TPersistent *sender;
    TProgressStage stage;
    int percent;
    bool redrawNow;
    TRect rect;
    std::string message;
};

// Records every progress notification of a graphic; runs onRunning at the
// actAt-th Running one (which may throw EAbort to cancel).
class ProgressRecorder {
public:
    explicit ProgressRecorder(TGraphic &graphic)
    {
        graphic.SetOnProgress([this](TPersistent *sender, TProgressStage stage, std::uint8_t percent, bool redrawNow,
                                     const TRect &rect, const std::string &message) {
            notifications.push_back({sender, stage, percent, redrawNow, rect, message});
            if (stage == TProgressStage::Running && onRunning && ++m_running == actAt)
                onRunning();
        });
    }
    ProgressRecorder(const ProgressRecorder &) = delete;
    ProgressRecorder &operator=(const ProgressRecorder &) = delete;

    int running() const
    {
        return static_cast<int>(std::count_if(notifications.begin(), notifications.end(),
                                              [](const auto &n) { return n.stage == TProgressStage::Running; }));
    }

    std::vector<ProgressNotification> notifications;
    std::function<void()> onRunning;
    int actAt = 1;

private:
    int m_running = 0;
};
