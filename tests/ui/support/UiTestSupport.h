// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MsgBox.h"

#include <QObject>
#include <QTimer>
#include <string>
#include <vector>

// Records every MsgBox instead of showing it, for as long as it lives.
class MsgBoxRecorder {
public:
    struct Message {
        std::string text;
        std::string title;
    };

    MsgBoxRecorder();
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder&) = delete;
    MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

    const std::vector<Message>& messages() const { return messages_; }
    void clear() { messages_.clear(); }

private:
    std::vector<Message> messages_;
    MsgBoxHandler previous_;
};

// Fails the running test and closes any modal window that is still open
// after `limitMs`, so that no test can hang on a modal loop.
class ModalWatchdog : public QObject {
    Q_OBJECT
public:
    explicit ModalWatchdog(int limitMs = 5000);
    ~ModalWatchdog() override;

    // Modal windows closed by the watchdog since it was armed.
    int closedCount() const { return closed_; }

private:
    void check();

    QTimer timer_;
    QObject* seen_ = nullptr;
    int ticks_ = 0;
    int limitTicks_;
    int closed_ = 0;
};
