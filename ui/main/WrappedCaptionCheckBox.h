#pragma once

#include <QCheckBox>

// A check box whose caption wraps onto a further line when its box is too
// narrow for one line but tall enough for two, and which toggles wherever it
// is clicked inside its box.
class WrappedCaptionCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;

private:
    static constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
    // Where the caption goes in a box of the given size: right of the indicator.
    QRect captionArea(const QSize& boxSize) const;
};
