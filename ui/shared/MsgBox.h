// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

// Every message the program shows goes through MsgBox: a modal box with the
// critical icon, the text, the title and one OK button. The windows install
// the real box at start; tests install a recorder so that nothing blocks.
using MsgBoxHandler = std::function<void(const std::string& text, const std::string& title)>;

void MsgBox(const std::string& text, const std::string& title);
// Installs a handler and returns the previous one.
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);
