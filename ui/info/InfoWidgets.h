// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLabel;
class QWidget;

// Builders for the controls of the information windows. Positions and sizes
// are in twips inside the window's client area.
QLabel* AddHeading(QWidget* window, const char* name, const QString& text, int left, int top,
                   int width, int height);
QLabel* AddBody(QWidget* window, const char* name, const QString& text, int left, int top,
                int width, int height);

// The common frame of an information window: title, sizing border with a
// maximize button, close box and the lightning-bolt icon.
void SetUpInfoWindow(QWidget* window, const QString& caption);
