// SPDX-License-Identifier: GPL-3.0-or-later
#include "modCommonChecks.h"

#include "MsgBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QMoveEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The design's average character, in twips: 6 x 13 pixels at 15 twips a pixel.
constexpr double kDesignCharWidthTwips = 6 * 15;
constexpr double kDesignCharHeightTwips = 13 * 15;

// What the design's window frame adds around the client area: a 4-pixel
// border on each side and the title bar (60 + 345 twips), and the menu bar
// of a window that has one.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 405;
constexpr int kBorderTwips = 60;
constexpr int kTitleBarTwips = 345;
constexpr int kMenuBarTwips = 285;

// The space a widened label leaves before its neighbour.
constexpr int kCaptionGapTwips = 60;

constexpr char kDesignedTwipsProperty[] = "designedTwips";
constexpr char kScrollingClientName[] = "scrollingClient";

constexpr double kReadableContrast = 4.5;

const QWidget* MenuBarOf(const QWidget* window)
{
    const auto* main = qobject_cast<const QMainWindow*>(window);
    return main != nullptr ? main->menuWidget() : nullptr;
}

// The real frame once the window manager has framed the window; until then
// the design's frame in the window's mapping.
QMargins FrameMargins(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QMargins real(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    if (!real.isNull()) {
        return real;
    }
    const TwipsMapping mapping = TwipsMapping::of(window);
    return {mapping.x(kBorderTwips), mapping.y(kTitleBarTwips), mapping.x(kBorderTwips),
            mapping.y(kBorderTwips)};
}

// The designed client size, cut to the screen's available area. A window
// whose content scrolls gets room for the scroll bar that the cut brings.
QSize FittedClientSize(const QWidget* window, const QSize& designed)
{
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return designed;
    }
    const QSize room = screen->availableGeometry().size().shrunkBy(FrameMargins(window));
    QSize fitted = designed.boundedTo(room);
    const auto* scrolling = window->findChild<const QScrollArea*>(
        QLatin1String(kScrollingClientName), Qt::FindDirectChildrenOnly);
    if (scrolling != nullptr) {
        const int bar =
            window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scrolling);
        if (fitted.height() < designed.height()) {
            fitted.setWidth(std::min(designed.width() + bar, room.width()));
        }
        if (fitted.width() < designed.width()) {
            fitted.setHeight(std::min(designed.height() + bar, room.height()));
        }
    }
    return fitted;
}

// Watches a window for its Form_Resize and keeps what the window system
// confirmed about it: the place where the window last sat at a size it
// kept, and whether a size the window asked for is still unconfirmed.
class FormSizeKeeper : public QObject {
public:
    FormSizeKeeper(QWidget* window, std::function<void()> handler)
        : QObject(window), window_(window), handler_(std::move(handler))
    {
        retry_.setInterval(kRetryIntervalMs);
        connect(&retry_, &QTimer::timeout, this, &FormSizeKeeper::askAgain);
        window->installEventFilter(this);
    }

    // Where the window sat, client area top left, before a border drag, a
    // maximize or a resize from outside moved it.
    std::optional<QPoint> settledPlace() const { return settled_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_) {
            windowEvent(event->type());
        } else if (watched == native_ && event->type() == QEvent::Resize) {
            systemResized(static_cast<QResizeEvent*>(event)->size());
        } else if (watched == native_ && event->type() == QEvent::Move) {
            systemMoved(static_cast<QMoveEvent*>(event)->pos());
        }
        return false;
    }

private:
    static constexpr int kRetryIntervalMs = 250;
    // Twenty seconds after the last size the window system reported.
    static constexpr int kRetries = 80;

    void windowEvent(QEvent::Type type)
    {
        switch (type) {
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            handler_();
            break;
        case QEvent::Show:
            // The window system's reports reach the native window first, and
            // the window itself only when they differ from what it asked for.
            if (window_->windowHandle() != native_) {
                native_ = window_->windowHandle();
                native_->installEventFilter(this);
            }
            settle(window_->geometry().topLeft());
            break;
        default:
            break;
        }
    }

    // The window system reports the size it gave the window. When that is
    // not the size Form_Resize left, the request is still on its way or a
    // window manager busy with the user's drag dropped it.
    void systemResized(const QSize& reported)
    {
        // A move reported with a size the window did not keep (a drag of
        // its top or left border, a maximize) is no new place for it.
        resizing_ = retry_.isActive() || window_->size() != reported;
        QTimer::singleShot(0, this, [this] { resizing_ = false; });
        reported_ = reported;
        if (window_->size() == reported) {
            retry_.stop();
            return;
        }
        retries_ = 0;
        if (!retry_.isActive()) {
            retry_.start();
        }
    }

    // A move on its own is the user's (or the window manager's) new place
    // for the window; a frame or a screen learnt only now can change what
    // fits.
    void systemMoved(const QPoint& place)
    {
        if (!resizing_) {
            settle(place);
        }
        QTimer::singleShot(0, this, [this] { handler_(); });
    }

    // Notes where the window sits, unless a change of its size is still
    // pending or it is maximized, minimized or full screen.
    void settle(const QPoint& place)
    {
        if (!retry_.isActive() && window_->windowState() == Qt::WindowNoState) {
            settled_ = place;
        }
    }

    // Asks for the reported size first, so that Form_Resize's request for
    // the designed size is a real change again and reaches the window system.
    void askAgain()
    {
        if (window_->size() == reported_ || ++retries_ > kRetries || window_->isMinimized()) {
            retry_.stop();
            return;
        }
        window_->resize(reported_);
    }

    QWidget* window_;
    std::function<void()> handler_;
    QPointer<QWindow> native_;
    QTimer retry_;
    int retries_ = 0;
    QSize reported_;
    bool resizing_ = false;
    std::optional<QPoint> settled_;
};

const FormSizeKeeper* KeeperOf(const QWidget* window)
{
    for (const QObject* child : window->children()) {
        if (const auto* keeper = dynamic_cast<const FormSizeKeeper*>(child)) {
            return keeper;
        }
    }
    return nullptr;
}

// A placed container's designed width; otherwise the container fills its
// window's client area (which a main window lays out only once it is shown).
int ContainerWidth(const QWidget* container)
{
    const QRect twips = DesignedTwips(container);
    if (!twips.isEmpty()) {
        return TwipsMapping::of(container).rect(twips).width();
    }
    return container->isWindow() ? container->width() : container->window()->width();
}

// Where a label's text ends, in its container.
int TextRight(const QLabel* label)
{
    if (label->text().isEmpty()) {
        return label->x();
    }
    const int flags =
        static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect text =
        label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
    return label->x() + text.right() + 1;
}

// Places a control at its designed twips, as wide as its one-line text
// needs where the free room on its right allows: short of the next control
// in its row, or of its container's edge. A label with a text also keeps
// clear of the text of a label before it in its row (a value beside its
// caption); an empty one keeps its designed left edge.
void WidenIntoRoom(QWidget* control, bool keepLeftEdge)
{
    const QRect twips = DesignedTwips(control);
    const QWidget* container = control->parentWidget();
    if (twips.isEmpty() || container == nullptr) {
        return;
    }
    const TwipsMapping mapping = TwipsMapping::of(control);
    const int gap = mapping.x(kCaptionGapTwips);
    QRect placed = mapping.rect(twips);
    int left = placed.left();
    int right = ContainerWidth(container) - gap;
    for (const QObject* child : container->children()) {
        const auto* sibling = qobject_cast<const QWidget*>(child);
        if (sibling == nullptr || sibling == control || sibling->isWindow()) {
            continue;
        }
        const QRect other = sibling->geometry();
        if (other.top() > placed.bottom() || other.bottom() < placed.top()) {
            continue; // another row
        }
        if (other.left() > placed.left()) {
            right = std::min(right, other.left() - gap);
        } else if (const auto* caption = qobject_cast<const QLabel*>(sibling)) {
            left = std::max(left, TextRight(caption) + gap);
        }
    }
    if (!keepLeftEdge && qobject_cast<const QLabel*>(control) != nullptr) {
        placed.setLeft(left);
    }
    const int needed = control->sizeHint().width();
    if (needed > placed.width()) {
        placed.setWidth(std::max(placed.width(), std::min(needed, right - placed.left())));
    }
    control->setGeometry(placed);
}

double Luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

} // namespace

TwipsMapping::TwipsMapping(const QFont& font)
{
    static const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetricsF metrics(font);
    const double averageWidth = metrics.horizontalAdvance(alphabet) / alphabet.size();
    pixelsPerTwipX_ = averageWidth / kDesignCharWidthTwips;
    pixelsPerTwipY_ = metrics.height() / kDesignCharHeightTwips;
}

TwipsMapping TwipsMapping::of(const QWidget* widget)
{
    return TwipsMapping(widget->window()->font());
}

int TwipsMapping::x(int twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwipX_));
}

int TwipsMapping::y(int twips) const
{
    return static_cast<int>(std::lround(twips * pixelsPerTwipY_));
}

QSize TwipsMapping::size(int width, int height) const
{
    return {x(width), y(height)};
}

QRect TwipsMapping::rect(int left, int top, int width, int height) const
{
    return QRect(QPoint(x(left), y(top)), QPoint(x(left + width) - 1, y(top + height) - 1));
}

QRect TwipsMapping::rect(const QRect& twips) const
{
    return rect(twips.x(), twips.y(), twips.width(), twips.height());
}

double TwipsMapping::twipsAcross(double pixels) const
{
    return pixels / pixelsPerTwipX_;
}

void PlaceControl(QWidget* control, int left, int top, int width, int height)
{
    const QRect twips(left, top, width, height);
    control->setProperty(kDesignedTwipsProperty, twips);
    control->setGeometry(TwipsMapping::of(control).rect(twips));
}

QRect DesignedTwips(const QWidget* control)
{
    return control->property(kDesignedTwipsProperty).toRect();
}

void GiveTextRoom(QLabel* label)
{
    if (!label->wordWrap()) {
        WidenIntoRoom(label, label->text().isEmpty());
    }
}

void GiveTextsRoom(QWidget* window)
{
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (DesignedTwips(control).isEmpty()) {
            continue;
        }
        if (auto* label = qobject_cast<QLabel*>(control)) {
            GiveTextRoom(label);
        } else if (const auto* button = qobject_cast<QAbstractButton*>(control);
                   button != nullptr && button->isCheckable()) {
            if (!control->hasHeightForWidth()) {
                WidenIntoRoom(control, true);
            }
            const int needed = control->hasHeightForWidth()
                                   ? control->heightForWidth(control->width())
                                   : control->sizeHint().height();
            const QRect placed = control->geometry();
            if (needed > placed.height()) {
                control->setGeometry(placed.x(), placed.y() - (needed - placed.height()) / 2,
                                     placed.width(), needed);
            }
        }
    }
}

QSize DesignedClientSize(const QWidget* window, std::int16_t height, std::int16_t width)
{
    const QWidget* menuBar = MenuBarOf(window);
    const int menuTwips = menuBar != nullptr ? kMenuBarTwips : 0;
    QSize client = TwipsMapping::of(window).size(width - kFrameWidthTwips,
                                                 height - kFrameHeightTwips - menuTwips);
    if (menuBar != nullptr) {
        client.rheight() += menuBar->sizeHint().height();
    }
    return client;
}

void FixFormSize(QWidget* window, std::int16_t height, std::int16_t width) noexcept
{
    try {
        if (window == nullptr || window->isMinimized()) {
            return; // a minimized window cannot be sized; restoring it resizes again
        }
        if (window->isMaximized()) {
            window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
        }
        const QSize wanted = FittedClientSize(window, DesignedClientSize(window, height, width));
        if (window->size() == wanted) {
            return;
        }
        // Back where the user last left the window, not where a maximize or
        // a drag of its top or left border took it.
        const FormSizeKeeper* keeper = KeeperOf(window);
        if (keeper != nullptr && keeper->settledPlace() && window->isVisible()) {
            window->setGeometry(QRect(*keeper->settledPlace(), wanted));
        } else {
            window->resize(wanted);
        }
    } catch (...) {
        // the window keeps whatever size it has; resizing never shows a message
    }
}

void OnFormResize(QWidget* window, std::function<void()> handler)
{
    new FormSizeKeeper(window, std::move(handler));
}

QWidget* AddScrollingClient(QWidget* window, std::int16_t height, std::int16_t width)
{
    auto* area = new QScrollArea(window);
    area->setObjectName(QLatin1String(kScrollingClientName));
    area->setFrameShape(QFrame::NoFrame);
    area->setBackgroundRole(QPalette::Window);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);

    auto* client = new QWidget(area);
    client->resize(DesignedClientSize(window, height, width));
    area->setWidget(client);
    return client;
}

double ContrastRatio(const QColor& first, const QColor& second)
{
    const double a = Luminance(first);
    const double b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor ReadableColour(const QColor& designed, const QColor& background)
{
    if (ContrastRatio(designed, background) >= kReadableContrast) {
        return designed;
    }
    const bool lighten =
        ContrastRatio(Qt::white, background) > ContrastRatio(Qt::black, background);
    const QColor hsl = designed.toHsl();
    for (int lightness = hsl.lightness(); lightness >= 0 && lightness <= 255;
         lightness += lighten ? 1 : -1) {
        const QColor candidate =
            QColor::fromHsl(hsl.hslHue(), hsl.hslSaturation(), lightness, hsl.alpha());
        if (ContrastRatio(candidate, background) >= kReadableContrast) {
            return candidate;
        }
    }
    return lighten ? QColor(Qt::white) : QColor(Qt::black);
}

void InstallMessageBox()
{
    SetMsgBoxHandler([](const std::string& text, const std::string& title) {
        QMessageBox box(QMessageBox::Critical, QString::fromStdString(title),
                        QString::fromStdString(text), QMessageBox::Ok,
                        QApplication::activeWindow());
        box.exec();
    });
}
