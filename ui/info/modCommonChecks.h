#pragma once

#include <cstdint>
#include <functional>

class QRect;
class QWidget;

// Window geometry is designed in twips (1/1440 inch). This is the one mapping
// from twips to pixels used by every window.
inline constexpr int kTwipsPerPixel = 12;
int Twips(int twips);
QRect TwipsRect(int left, int top, int width, int height);

// Keeps a window at its designed outer size (twips, borders and title bar
// included): a maximized window is restored first, a minimized one is left
// alone. Silent on any failure.
void FixFormSize(QWidget* window, std::int16_t height, std::int16_t width);

// Runs handler, as the window's Form_Resize, when the window is resized and
// when its state changes (maximized, minimized, restored).
void OnFormResize(QWidget* window, std::function<void()> handler);

// Makes MsgBox show a real modal message box (critical icon, one OK button).
void InstallMessageBox();
