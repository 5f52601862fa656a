// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>
#include <QRadioButton>

// An option button or check box whose caption wraps onto further lines when
// it is wider than the control, as the designed captions do, and which
// toggles wherever it is clicked inside its box.
class WrappingRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

    // The height the wrapped caption needs at a given width.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

class WrappingCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

    // The height the wrapped caption needs at a given width.
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
