// SPDX-License-Identifier: MIT
#include "screenlayout.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace orvex {

namespace {

PixelRect DevicePixels(const QScreen &screen)
{
    const QRect logical = screen.geometry();
    const qreal ratio = screen.devicePixelRatio();
    const auto device = [ratio](int value) { return int32_t(std::lround(value * ratio)); };
    return {device(logical.x()), device(logical.y()), device(logical.width()), device(logical.height())};
}

} // namespace

ScreenLayout ScreenLayout::FromQt()
{
    ScreenLayout layout;
    const QScreen *primary = QGuiApplication::primaryScreen();
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen == primary)
            layout.primary = layout.screens.size();
        layout.screens.push_back(DevicePixels(*screen));
    }
    return layout;
}

} // namespace orvex
