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

void MonitorTargets::Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo)
{
    for (const Monitor &monitor : monitors_) {
        if (Holds(monitor.place, stretchTo.x, stretchTo.y)) {
            monitor.target->Present(buffer, width, height,
                                    {stretchTo.x - monitor.place.x, stretchTo.y - monitor.place.y, stretchTo.width,
                                     stretchTo.height});
            return;
        }
    }
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
