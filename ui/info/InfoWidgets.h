// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

class QLabel;
class QWidget;

// Builders for the controls of the information windows. Positions and sizes
// are in twips inside the page that SetUpInfoWindow gives.
QLabel* AddHeading(QWidget* page, const char* name, const QString& text, int left, int top,
                   int width, int height);
QLabel* AddBody(QWidget* page, const char* name, const QString& text, int left, int top, int width,
                int height);

// The common frame of an information window: title, sizing border with a
// maximize button, close box and the lightning-bolt icon. Returns the page
// that holds the window's controls, which scrolls when the window is cut to
// the screen; height and width are the designed outer size in twips.
QWidget* SetUpInfoWindow(QWidget* window, const QString& caption, std::int16_t height,
                         std::int16_t width);
