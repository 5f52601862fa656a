// SPDX-License-Identifier: GPL-3.0-or-later
#include "modCommonChecks.h"

#include "FittingFont.h"
#include "TwipsLayout.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
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
#include <optional>

namespace {

// What the design's window frame adds around the client area: a 4-pixel
// border on each side and the title bar (60 + 345 twips), and the menu bar
// of a window that has one.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 405;
constexpr int kBorderTwips = 60;
constexpr int kTitleBarTwips = 345;
constexpr int kMenuBarTwips = 285;

constexpr char kScrollingClientName[] = "scrollingClient";
constexpr char kDesignedOuterSizeProperty[] = "designedOuterTwips"; // width, height

const QScrollArea* ScrollingClientOf(const QWidget* window)
{
    return window->findChild<const QScrollArea*>(QLatin1String(kScrollingClientName),
                                                 Qt::FindDirectChildrenOnly);
}

// Lays a window out again in its font as it is now: every control at its
// designed twips in the new mapping, the scrolling page at its designed
// size, every value fitted again, every text its room; then the window's
// own resize handling, with Form_Resize, sizes it in the new mapping.
void LayOutInItsFont(QWidget* window)
{
    PlaceControlsAgain(window);
    if (const QScrollArea* area = ScrollingClientOf(window); area != nullptr) {
        const QSize outer = area->property(kDesignedOuterSizeProperty).toSize();
        area->widget()->resize(DesignedClientSize(window, static_cast<std::int16_t>(outer.height()),
                                                  static_cast<std::int16_t>(outer.width())));
    }
    ShowValuesAgain(window);
    GiveTextsRoom(window);
    QResizeEvent resize(window->size(), window->size());
    QCoreApplication::sendEvent(window, &resize);
}

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
    // A window not yet framed may report a frame a pixel inside itself.
    if (!real.isNull() && real.left() >= 0 && real.top() >= 0 && real.right() >= 0 &&
        real.bottom() >= 0) {
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
    if (const QScrollArea* scrolling = ScrollingClientOf(window); scrolling != nullptr) {
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
// kept, whether a size the window asked for is still unconfirmed, and the
// size the window system holds the window at when it will not give it the
// designed one.
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

    // Whether the window system holds the window at size, having refused
    // every request for another one; the window then stops asking.
    bool heldAt(const QSize& size) const { return held_ && *held_ == size; }

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
    // Two seconds after the window system last reported a new size. A
    // window manager that grants a request does so within a round trip;
    // one that has not after eight requests, and has reported no size of
    // its own since, is holding the window at its size (a tiling manager,
    // a kiosk shell) and answers every further request the same.
    static constexpr int kRetries = 8;

    void windowEvent(QEvent::Type type)
    {
        switch (type) {
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            handler_();
            break;
        case QEvent::FontChange:
            // Once the new font has reached every control.
            if (!relayoutPending_) {
                relayoutPending_ = true;
                QTimer::singleShot(0, this, [this] {
                    relayoutPending_ = false;
                    LayOutInItsFont(window_);
                });
            }
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
        // The same size again answers a request; only another size is news
        // (the user's drag, a new tile) that the window asks about afresh.
        if (reported != reported_) {
            retries_ = 0;
            held_.reset();
        }
        reported_ = reported;
        if (window_->size() == reported) {
            retry_.stop();
            return;
        }
        if (!retry_.isActive() && !held_) {
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
    // When the tries are spent, the window takes the size it is held at and
    // lays itself out for it.
    void askAgain()
    {
        if (window_->size() == reported_ || window_->isMinimized()) {
            retry_.stop();
            return;
        }
        if (++retries_ > kRetries) {
            retry_.stop();
            held_ = reported_;
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
    std::optional<QSize> held_;
    bool relayoutPending_ = false;
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

} // namespace

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
        const FormSizeKeeper* keeper = KeeperOf(window);
        if (keeper != nullptr && keeper->heldAt(window->size())) {
            return; // the window system will not have it any other size
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

void FitDialogToScreen(QWidget* dialog, QSize wanted)
{
    const QWidget* parent = dialog->parentWidget();
    const QScreen* screen = parent != nullptr ? parent->screen() : dialog->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QMargins frame = FrameMargins(dialog);
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = (wanted.isValid() ? wanted : dialog->sizeHint()).boundedTo(room);
    dialog->resize(size);
    QRect placed(QPoint(), size.grownBy(frame));
    placed.moveCenter(parent != nullptr ? parent->window()->frameGeometry().center()
                                        : available.center());
    placed.moveLeft(
        std::clamp(placed.left(), available.left(), available.right() + 1 - placed.width()));
    placed.moveTop(
        std::clamp(placed.top(), available.top(), available.bottom() + 1 - placed.height()));
    dialog->move(placed.topLeft());
}

QWidget* AddScrollingClient(QWidget* window, std::int16_t height, std::int16_t width)
{
    auto* area = new QScrollArea(window);
    area->setObjectName(QLatin1String(kScrollingClientName));
    area->setProperty(kDesignedOuterSizeProperty, QSize(width, height));
    area->setFrameShape(QFrame::NoFrame);
    area->setBackgroundRole(QPalette::Window);
    // Tab goes straight to the controls; the area scrolls to the one that
    // takes the focus, so it needs no stop of its own.
    area->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);

    auto* client = new QWidget(area);
    client->resize(DesignedClientSize(window, height, width));
    area->setWidget(client);
    return client;
}
