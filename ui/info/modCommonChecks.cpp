// SPDX-License-Identifier: GPL-3.0-or-later
#include "modCommonChecks.h"

#include "MsgBox.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QRect>
#include <QWidget>
#include <cmath>

namespace {
// What the window manager adds around the client area in the design: a
// 4-pixel border on each side and the title bar (60 + 345 twips).
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 405;
// Watches a window's resize and state-change events for its Form_Resize.
class ResizeWatcher : public QObject {
public:
    ResizeWatcher(QWidget* window, std::function<void()> handler)
        : QObject(window), handler_(std::move(handler))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == parent() &&
            (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange)) {
            handler_();
        }
        return false;
    }

private:
    std::function<void()> handler_;
};
} // namespace

int Twips(int twips)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
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
        const QSize designed(Twips(width - kFrameWidthTwips), Twips(height - kFrameHeightTwips));
        if (window->size() != designed) {
            window->resize(designed);
        }
    } catch (...) {
        // the window keeps whatever size it has; resizing never shows a message
    }
}

void OnFormResize(QWidget* window, std::function<void()> handler)
{
    new ResizeWatcher(window, std::move(handler));
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
