// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

// Window geometry is designed in twips (1/1440 inch). This is the one mapping
// from twips to pixels used by every window.
inline constexpr int kTwipsPerPixel = 12;
int Twips(int twips);
QRect TwipsRect(int left, int top, int width, int height);

// A control named and placed as designed (twips) inside its container.
template <typename Control>
Control* AddControl(QWidget* container, const char* name, const QString& caption, int left, int top,
                    int width, int height)
{
    auto* control = new Control(caption, container);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(TwipsRect(left, top, width, height));
    return control;
}

// Keeps a window at its designed outer size (twips, borders and title bar
// included): a maximized window is restored first, a minimized one is left
// alone. Silent on any failure.
void FixFormSize(QWidget* window, std::int16_t height, std::int16_t width) noexcept;

// Runs handler, as the window's Form_Resize, when the window is resized and
// when its state changes (maximized, minimized, restored).
void OnFormResize(QWidget* window, std::function<void()> handler);

// Makes MsgBox show a real modal message box (critical icon, one OK button).
void InstallMessageBox();
