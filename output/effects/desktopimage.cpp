// SPDX-License-Identifier: MIT
#include "desktopimage.h"

#include <cstring>

namespace orvex {

std::vector<uint8_t> BottomUpDesktop(const QImage &desktop, int32_t width, int32_t height)
{
    if (desktop.isNull() || width <= 0 || height <= 0)
        return {};
    // BGR888 holds blue, green, red in memory order, as the blend reads them.
    const QImage scaled = desktop.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_BGR888);
    const size_t rowBytes = size_t(width) * 3;
    std::vector<uint8_t> bytes(rowBytes * size_t(height));
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(bytes.data() + size_t(height - 1 - y) * rowBytes, scaled.constScanLine(y), rowBytes);
    return bytes;
}

} // namespace orvex
