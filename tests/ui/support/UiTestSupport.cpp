// SPDX-License-Identifier: GPL-3.0-or-later
#include "UiTestSupport.h"

#include "TwipsLayout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextLayout>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdlib>

MsgBoxRecorder::MsgBoxRecorder()
{
    previous_ = SetMsgBoxHandler([this](const std::string& text, const std::string& title) {
        messages_.push_back({text, title});
    });
}

MsgBoxRecorder::~MsgBoxRecorder()
{
    SetMsgBoxHandler(previous_);
}

namespace {
constexpr int kTickMs = 50;
}

ModalWatchdog::ModalWatchdog(int limitMs) : limitTicks_(limitMs / kTickMs)
{
    connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::check);
    timer_.start(kTickMs);
}

ModalWatchdog::~ModalWatchdog() = default;

void ModalWatchdog::check()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != seen_) {
        seen_ = modal;
        ticks_ = 0;
        return;
    }
    if (modal == nullptr || ++ticks_ < limitTicks_) {
        return;
    }
    ++closed_;
    QTest::qFail(qPrintable(QStringLiteral("a modal window stayed open: %1")
                                .arg(modal->objectName().isEmpty()
                                         ? QString::fromLatin1(modal->metaObject()->className())
                                         : modal->objectName())),
                 __FILE__, __LINE__);
    modal->close();
    seen_ = nullptr;
}

void UseTestFont()
{
    const QString setting = qEnvironmentVariable("VESK_TEST_FONT");
    if (setting.isEmpty()) {
        return;
    }
    const QStringList parts = setting.split(QLatin1Char(','));
    bool valid = parts.size() == 2;
    const double points = valid ? parts[1].toDouble(&valid) : 0;
    QFont font(parts[0]);
    font.setPointSizeF(points);
    // fontconfig may name the foundry too: "Nimbus Sans [urw]".
    const QString found = QFontInfo(font).family();
    if (!valid || !found.startsWith(parts[0])) {
        qFatal("VESK_TEST_FONT=%s: font not available (found %s)", qPrintable(setting),
               qPrintable(found));
    }
    QApplication::setFont(font);
}

ScreenOverflowFont::ScreenOverflowFont(int designedHeight) : previous_(QApplication::font())
{
    const int available = QGuiApplication::primaryScreen()->availableGeometry().height();
    QFont larger = previous_;
    larger.setPointSizeF(previous_.pointSizeF() * 1.5 * available / designedHeight);
    QApplication::setFont(larger);
}

ScreenOverflowFont::~ScreenOverflowFont()
{
    QApplication::setFont(previous_);
}

void ChangeApplicationFont(const QFont& font)
{
    QApplication::setFont(font);
    for (QWidget* widget : QApplication::allWidgets()) {
        QEvent change(QEvent::ApplicationFontChange);
        QCoreApplication::sendEvent(widget, &change);
    }
}

DesktopColours::DesktopColours(
    std::initializer_list<std::pair<QPalette::ColorRole, QColor>> colours)
    : previous_(QApplication::palette())
{
    QPalette theme = previous_;
    for (const auto& [role, colour] : colours) {
        theme.setColor(role, colour);
    }
    QApplication::setPalette(theme);
}

DesktopColours::~DesktopColours()
{
    QApplication::setPalette(previous_);
}

int PaintedTextHeight(const QFont& font, int width, const QString& text)
{
    const QFontMetricsF metrics(font);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height = std::ceil(height + metrics.leading()); // lines start on whole pixels
        height += metrics.ascent() + metrics.descent();
    }
    layout.endLayout();
    const QRect reckoned = QFontMetrics(font).boundingRect(QRect(0, 0, width, QWIDGETSIZE_MAX),
                                                           Qt::TextWordWrap, text);
    return std::max(static_cast<int>(std::ceil(height)), reckoned.height());
}

std::vector<LabelText> LabelTexts(const QWidget* container)
{
    std::vector<LabelText> texts;
    for (const QLabel* label :
         container->findChildren<const QLabel*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (label->text().isEmpty() || !label->isVisibleTo(container->window())) {
            continue;
        }
        const int flags =
            static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        // The text is laid out inside the margin and after the indent; it
        // may reach into the margin, but not past the label's frame.
        const QRect room = label->contentsRect();
        const int margin = label->margin();
        QRect inner = room.adjusted(margin, margin, -margin, -margin);
        inner.setLeft(inner.left() + std::max(label->indent(), 0));
        QRect text = label->fontMetrics().boundingRect(inner, flags, label->text());
        if (label->wordWrap()) {
            const int height = PaintedTextHeight(label->font(), inner.width(), label->text());
            const int top = label->alignment() & Qt::AlignVCenter
                                ? inner.top() + (inner.height() - height) / 2
                                : inner.top();
            text.setTop(std::min(text.top(), top));
            text.setBottom(std::max(text.bottom(), top + height - 1));
        }
        texts.push_back({label->objectName(), text.translated(label->pos()),
                         room.translated(label->pos()),
                         label->fontMetrics().horizontalAdvance(QLatin1Char(' '))});
    }
    return texts;
}

namespace {

// An option button's or check box's caption, word-wrapped beside its
// indicator, fits the room the style leaves it.
void VerifyCaptionFits(const QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    const QRect room = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
    const int needed = PaintedTextHeight(button->font(), room.width(), button->text());
    QVERIFY2(needed <= room.height(), qPrintable(QStringLiteral("%1 needs %2 px down, has %3")
                                                     .arg(button->objectName())
                                                     .arg(needed)
                                                     .arg(room.height())));
}

} // namespace

void VerifyLabelsReadable(const QWidget* window)
{
    QList<const QWidget*> containers{window};
    containers.append(window->findChildren<const QWidget*>());
    for (const QWidget* container : containers) {
        const auto* button = qobject_cast<const QAbstractButton*>(container);
        if (button != nullptr && button->isCheckable() && button->isVisibleTo(window)) {
            VerifyCaptionFits(button);
        }
        const std::vector<LabelText> texts = LabelTexts(container);
        for (auto first = texts.begin(); first != texts.end(); ++first) {
            QVERIFY2(first->room.contains(first->text),
                     qPrintable(QStringLiteral("%1 needs %2 x %3 px, has %4 x %5")
                                    .arg(first->name)
                                    .arg(first->text.width())
                                    .arg(first->text.height())
                                    .arg(first->room.width())
                                    .arg(first->room.height())));
            for (auto second = first + 1; second != texts.end(); ++second) {
                const QRect apart = first->text.adjusted(-first->space, 0, first->space, 0);
                QVERIFY2(!apart.intersects(second->text),
                         qPrintable(first->name + QStringLiteral(" runs into ") + second->name));
            }
        }
    }
}

int CountPixelsNear(const QImage& image, const QRect& area, const QColor& colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 40 &&
                std::abs(pixel.green() - colour.green()) < 40 &&
                std::abs(pixel.blue() - colour.blue()) < 40) {
                ++count;
            }
        }
    }
    return count;
}

void VerifyPlacedInItsFont(QWidget* window)
{
    const TwipsMapping mapping = TwipsMapping::of(window);
    int placed = 0;
    for (QWidget* control : window->findChildren<QWidget*>()) {
        const QRect twips = DesignedTwips(control);
        const auto* button = qobject_cast<QAbstractButton*>(control);
        if (twips.isEmpty() || control->window() != window || qobject_cast<QLabel*>(control) ||
            (button != nullptr && button->isCheckable())) {
            continue;
        }
        QCOMPARE(control->pos(), mapping.rect(twips).topLeft());
        QCOMPARE(control->height(), mapping.rect(twips).height());
        ++placed;
    }
    QVERIFY(placed >= 4);
    VerifyLabelsReadable(window);
}
