// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <cstdint>
#include <functional>

class QWidget;

// Size keeping: every window but the splash stays at its designed outer size
// (twips, borders and title bar included) in its own twips mapping.

// The window's designed client area in its mapping: the designed outer size
// less the design's own borders and title bar, with the menu bar the window
// really has. Before any cut to the screen.
QSize DesignedClientSize(const QWidget* window, std::int16_t height, std::int16_t width);

// Keeps a window at its designed outer size (twips, borders and title bar
// included) in its mapping: a maximized window is restored first, a minimized
// one is left alone, a window larger than the screen's available area is
// held at the largest size that fits. The window keeps its place on the
// screen. A window the window system holds at a size of its own (see
// OnFormResize) keeps that size. Silent on any failure.
void FixFormSize(QWidget* window, std::int16_t height, std::int16_t width) noexcept;

// Runs handler, as the window's Form_Resize, when the window is resized, when
// its state changes (maximized, minimized, restored) and when it moves to a
// place whose screen or frame changes what fits. A size the window system
// reports but the window did not keep is asked for again, since a window
// manager may drop a request while the user still drags a border; for two
// seconds after the last new size it reported. A window manager that still
// holds the window at its own size then (a tiling manager, a kiosk shell)
// has its way: the window takes that size, lays itself out for it and asks
// no more until the window system reports another size. When the window's
// font changes (the desktop's or the application's), the window lays itself
// out again in the new font and takes its designed size in it.
void OnFormResize(QWidget* window, std::function<void()> handler);

// Sizes a dialog that has no designed size (a file dialog, the print
// preview) to wanted, or else to what it asks for, but never larger than
// the available area of its parent's screen with a frame around it, and
// centres it over its parent within that area.
void FitDialogToScreen(QWidget* dialog, QSize wanted = {});

// A client area for an information window that scrolls when the window is
// cut to the screen: returns the widget to place the controls on, as large
// as the designed client area.
QWidget* AddScrollingClient(QWidget* window, std::int16_t height, std::int16_t width);
