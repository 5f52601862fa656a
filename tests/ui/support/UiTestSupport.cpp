// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTestSupport.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

MsgBoxRecorder::MsgBoxRecorder()
{
    previous_ = SetMsgBoxHandler([this](const std::string& text, const std::string& title) {
        messages_.push_back({text, title});
    });
}

MsgBoxRecorder::~MsgBoxRecorder()
{
    SetMsgBoxHandler(previous_);
}

namespace {
constexpr int kTickMs = 50;
}

ModalWatchdog::ModalWatchdog(int limitMs) : limitTicks_(limitMs / kTickMs)
{
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::check);
    timer_.start(kTickMs);
}

ModalWatchdog::~ModalWatchdog() = default;

void ModalWatchdog::check()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != seen_) {
        seen_ = modal;
        ticks_ = 0;
        return;
    }
    if (modal == nullptr || ++ticks_ < limitTicks_) {
        return;
    }
    ++closed_;
    QTest::qFail(qPrintable(QStringLiteral("a modal window stayed open: %1")
                                .arg(modal->objectName().isEmpty()
                                         ? QString::fromLatin1(modal->metaObject()->className())
                                         : modal->objectName())),
                 __FILE__, __LINE__);
    modal->close();
    seen_ = nullptr;
}
