// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes MsgBox show a real modal message box (critical icon, one OK button)
// over the active window.
void InstallMessageBox();
