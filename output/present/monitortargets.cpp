// SPDX-License-Identifier: MIT
#include "monitortargets.h"

namespace orvex {

namespace {

bool Holds(const PixelRect &place, int32_t x, int32_t y)
{
    return x >= place.x && x < place.x + place.width && y >= place.y && y < place.y + place.height;
}

} // namespace

void MonitorTargets::Resize(int32_t width, int32_t height)
{
    for (const Monitor &monitor : monitors_)
        monitor.target->Resize(width, height);
}

void MonitorTargets::Clear()
{
    for (const Monitor &monitor : monitors_)
        monitor.target->Clear();
}

const MonitorTargets::Monitor *MonitorTargets::Holding(PixelRect &rect) const
{
    for (const Monitor &monitor : monitors_) {
        if (Holds(monitor.place, rect.x, rect.y)) {
            rect.x -= monitor.place.x;
            rect.y -= monitor.place.y;
            return &monitor;
        }
    }
    return nullptr;
}

void MonitorTargets::Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo)
{
    if (const Monitor *monitor = Holding(stretchTo))
        monitor->target->Present(buffer, width, height, stretchTo);
}

void MonitorTargets::PresentAtRefresh(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo)
{
    if (const Monitor *monitor = Holding(stretchTo))
        monitor->target->PresentAtRefresh(buffer, width, height, stretchTo);
}

bool MonitorTargets::PacesFrames() const
{
    for (const Monitor &monitor : monitors_)
        if (!monitor.target->PacesFrames())
            return false;
    return true;
}

bool MonitorTargets::TakesFrame()
{
    bool takes = true;
    for (const Monitor &monitor : monitors_)
        takes = monitor.target->TakesFrame() && takes;
    return takes;
}

void MonitorTargets::AwaitRefresh()
{
    for (const Monitor &monitor : monitors_)
        monitor.target->AwaitRefresh();
}

void MonitorTargets::SetOverlayText(const std::string &text)
{
    for (const Monitor &monitor : monitors_)
        monitor.target->SetOverlayText(text);
}

void MonitorTargets::FinishPresenting()
{
    for (const Monitor &monitor : monitors_)
        monitor.target->FinishPresenting();
}

} // namespace orvex
