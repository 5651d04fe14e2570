// SPDX-License-Identifier: MIT
#include "saverwindow.h"

#include "clock.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSurfaceFormat>

namespace orvex {

SaverWindow::SaverWindow(Clock &clock, std::atomic<bool> &stopRequested, SaverInput &input)
    : clock_(clock), stopRequested_(stopRequested), input_(input)
{
    setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    // Nothing of the desktop may show through: a surface without alpha, where the window
    // system offers one.
    QSurfaceFormat opaque = format();
    opaque.setAlphaBufferSize(0);
    setFormat(opaque);
    setTitle(kTitle);
    setCursor(Qt::BlankCursor);
}

void SaverWindow::CloseSaverWindow()
{
    if (closing_)
        return;
    closing_ = true;
    stopRequested_ = true;
    if (exitFade_)
        exitFade_();
    unsetCursor();
    hide();
}

void SaverWindow::Act(InputAction action)
{
    switch (action) {
    case InputAction::Close:
        CloseSaverWindow();
        break;
    case InputAction::CopyToClipboard:
    case InputAction::SaveToFileAsWallpaper:
    case InputAction::SaveToFile:
        if (capture_)
            capture_(action);
        break;
    case InputAction::None:
        break;
    }
}

bool SaverWindow::event(QEvent *event)
{
    // A close asked for by the window manager goes through the same close request.
    if (event->type() == QEvent::Close) {
        event->ignore();
        CloseSaverWindow();
        return true;
    }
    return QWindow::event(event);
}

void SaverWindow::keyPressEvent(QKeyEvent *event)
{
    Act(input_.KeyDown(event->key()));
    const QList<uint> characters = event->text().toUcs4();
    if (!closing_ && !characters.isEmpty())
        Act(input_.KeyPress(char32_t(characters.front())));
}

void SaverWindow::mousePressEvent(QMouseEvent *)
{
    Act(input_.MouseButton());
}

void SaverWindow::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF device = event->position() * devicePixelRatio() + QPointF(origin_);
    Act(input_.MouseMove(float(device.x()), float(device.y()), clock_.TickCount()));
}

} // namespace orvex
