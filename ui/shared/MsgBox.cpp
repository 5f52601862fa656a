// SPDX-License-Identifier: GPL-3.0-or-later
#include "MsgBox.h"

#include <iostream>
#include <utility>

namespace {
MsgBoxHandler& handler()
{
    // Without a window system the message goes to the error stream.
    static MsgBoxHandler current = [](const std::string& text, const std::string& title) {
        std::cerr << title << ": " << text << '\n';
    };
    return current;
}
} // namespace

void MsgBox(const std::string& text, const std::string& title)
{
    if (handler()) {
        handler()(text, title);
    }
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler next)
{
    return std::exchange(handler(), std::move(next));
}
