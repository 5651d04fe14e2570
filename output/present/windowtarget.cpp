// SPDX-License-Identifier: MIT
#include "windowtarget.h"

#include "x11sharedimage.h"

#include <QEvent>
#include <QFontMetrics>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace orvex {

namespace {

QSize DeviceSize(const QWindow &window)
{
    const qreal ratio = window.devicePixelRatio();
    return {int(std::lround(window.width() * ratio)), int(std::lround(window.height() * ratio))};
}

} // namespace

WindowTarget::WindowTarget(QWindow &window)
    : window_(window), backingStore_(&window), innerWidth_(DeviceSize(window).width()),
      innerHeight_(DeviceSize(window).height()),
      pacedByCompositor_(QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
{
    window_.installEventFilter(this);
}

WindowTarget::~WindowTarget() = default;

void WindowTarget::Resize(int32_t width, int32_t height)
{
    innerWidth_ = width;
    innerHeight_ = height;
}

void WindowTarget::FitBackingStore()
{
    if (backingStore_.size() == window_.size())
        return;
    backingStore_.resize(window_.size());
    FillBlack();
}

void WindowTarget::FillBlack()
{
    const QRect everything(QPoint(0, 0), window_.size());
    backingStore_.beginPaint(everything);
    QPainter painter(backingStore_.paintDevice());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(everything, Qt::black);
    painter.end();
    backingStore_.endPaint();
}

QRegion WindowTarget::LogicalRegion(const QRect &deviceRect) const
{
    const qreal ratio = window_.devicePixelRatio();
    const QRectF logical(deviceRect.x() / ratio, deviceRect.y() / ratio, deviceRect.width() / ratio,
                         deviceRect.height() / ratio);
    return QRegion(logical.toAlignedRect());
}

void WindowTarget::Clear()
{
    if (!window_.isExposed())
        return;
    FitBackingStore();
    FillBlack();
    backingStore_.flush(QRect(QPoint(0, 0), window_.size()));
}

void WindowTarget::Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to)
{
    if (!window_.isExposed() || width <= 0 || height <= 0 || to.width <= 0 || to.height <= 0)
        return;
    if (!PresentShared(buffer, width, height, to, false))
        PresentThroughBackingStore(buffer, width, height, to);
}

void WindowTarget::PresentAtRefresh(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to)
{
    if (!window_.isExposed() || width <= 0 || height <= 0 || to.width <= 0 || to.height <= 0)
        return;
    if (PresentShared(buffer, width, height, to, true))
        return;
    PresentThroughBackingStore(buffer, width, height, to);
    if (PacedByCompositor()) {
        compositorAsked_ = false;
        sentAt_ = std::chrono::steady_clock::now();
        window_.requestUpdate();
    }
}

bool WindowTarget::PacesFrames() const
{
    return shared_ ? shared_->Paces() : pacedByCompositor_;
}

bool WindowTarget::TakesFrame()
{
    if (shared_)
        return shared_->TakesFrame();
    // A compositor that stops asking (the surface hidden, say) must not stop the pictures.
    constexpr auto kPatience = std::chrono::milliseconds(250);
    if (!compositorAsked_ && std::chrono::steady_clock::now() - sentAt_ > kPatience)
        compositorAsked_ = true;
    return compositorAsked_;
}

void WindowTarget::AwaitRefresh()
{
    if (shared_) {
        shared_->AwaitTakesFrame();
        return;
    }
    while (!TakesFrame())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 5);
}

bool WindowTarget::PresentShared(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to, bool atRefresh)
{
    if (!shared_)
        return false;
    // Only a frame that covers the whole window with nothing over it waits for the refresh:
    // the monitors' frames and the overlay are drawn at once, around or over it.
    const bool wholeWindow = to.x == 0 && to.y == 0 && QSize(to.width, to.height) == DeviceSize(window_);
    using Shown = X11SharedImage::Shown;
    const Shown shown = shared_->Show(buffer, width, height, to.x, to.y, to.width, to.height,
                                      atRefresh && wholeWindow && overlay_.isNull());
    if (shown == Shown::Not)
        return false;
    if (shown == Shown::Skipped)
        return true;
    lastShown_ = {buffer, width, height, to};
    if (!overlay_.isNull()) {
        const QPoint corner = OverlayCorner(QRect(to.x, to.y, to.width, to.height));
        shared_->ShowCopy(reinterpret_cast<const uint32_t *>(overlay_.constBits()), overlay_.width(), overlay_.height(),
                          corner.x(), corner.y());
    }
    return true;
}

void WindowTarget::PresentThroughBackingStore(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to)
{
    FitBackingStore();
    const QRect destination(to.x, to.y, to.width, to.height);
    const QRegion region = LogicalRegion(destination);
    backingStore_.beginPaint(region);
    // The compositor may read the unused fourth byte as alpha: every pixel leaves opaque.
    const auto opaque = [](uint32_t pixel) { return pixel | 0xFF000000u; };
    auto *image = dynamic_cast<QImage *>(backingStore_.paintDevice());
    const bool direct = image != nullptr && image->depth() == 32 && to.width == width && to.height == height
                        && image->rect().contains(destination);
    if (direct) {
        // A frame of the destination's size goes straight into the store in one pass.
        for (int32_t y = 0; y < height; ++y) {
            const uint32_t *row = buffer + size_t(y) * width;
            std::transform(row, row + width, reinterpret_cast<uint32_t *>(image->scanLine(to.y + y)) + to.x, opaque);
        }
    }
    if (!direct || !overlay_.isNull()) {
        QPainter painter(backingStore_.paintDevice());
        // Device pixels: undo the backing store's own scale.
        const qreal ratio = window_.devicePixelRatio();
        painter.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        if (!direct) {
            opaque_.resize(size_t(width) * size_t(height));
            std::transform(buffer, buffer + opaque_.size(), opaque_.begin(), opaque);
            painter.drawImage(destination, QImage(reinterpret_cast<const uchar *>(opaque_.data()), width, height,
                                                  width * 4, QImage::Format_RGB32));
        }
        if (!overlay_.isNull())
            painter.drawImage(OverlayCorner(destination), overlay_);
    }
    backingStore_.endPaint();
    backingStore_.flush(region);
}

bool WindowTarget::PacedByCompositor() const
{
    return !shared_ && pacedByCompositor_;
}

void WindowTarget::SetOverlayText(const std::string &text)
{
    // Asked every frame; the picture changes once a second.
    if (text == overlayText_)
        return;
    overlayText_ = text;
    const QString line = QString::fromStdString(text);
    overlay_ = {};
    if (line.isEmpty())
        return;
    // Legible over any theme: light text on a dark box, sized for the screen it is on.
    QFont font;
    font.setPixelSize(std::clamp(DeviceSize(window_).height() / 40, 11, 32));
    const QFontMetrics metrics(font);
    const int margin = font.pixelSize() / 2;
    overlay_ = QImage(metrics.horizontalAdvance(line) + 2 * margin, metrics.height() + margin, QImage::Format_RGB32);
    overlay_.fill(Qt::black);
    QPainter painter(&overlay_);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(overlay_.rect(), Qt::AlignCenter, line);
}

QPoint WindowTarget::OverlayCorner(const QRect &destination) const
{
    // Away from the message near the top.
    const int margin = overlay_.height() / 3;
    return destination.bottomLeft() + QPoint(margin, 1 - margin - overlay_.height());
}

std::span<uint32_t> WindowTarget::FrameMemory(size_t framePixels)
{
    lastShown_ = {};
    shared_.reset();
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        shared_ = X11SharedImage::Create(uint32_t(window_.winId()), 2 * framePixels, framePixels);
    return shared_ ? std::span<uint32_t>(shared_->Pixels(), shared_->PixelCount()) : std::span<uint32_t>();
}

void WindowTarget::FinishPresenting()
{
    if (shared_)
        shared_->WaitUntilRead();
}

bool WindowTarget::eventFilter(QObject *watched, QEvent *event)
{
    // What the backing store holds is the last frame: show it again wherever the window
    // was uncovered, without waiting for the next frame.
    if (watched == &window_ && event->type() == QEvent::UpdateRequest)
        compositorAsked_ = true;
    if (watched == &window_ && event->type() == QEvent::Expose && window_.isExposed()) {
        const Shown last = lastShown_;
        if (last.frame == nullptr || !PresentShared(last.frame, last.width, last.height, last.rect, false)) {
            FitBackingStore();
            backingStore_.flush(QRect(QPoint(0, 0), window_.size()));
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvex
