// SPDX-License-Identifier: MIT
#include "pngfile.h"

#include "safefile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

namespace orvex {

bool WritePng(const std::filesystem::path &path, const uint32_t *pixels, int32_t pitch, int32_t width,
              int32_t height)
{
    if (width <= 0 || height <= 0 || pitch < width)
        return false;
    // Format_RGB32 is exactly the frame's pixel layout; the image only borrows the pixels.
    const QImage image(reinterpret_cast<const uchar *>(pixels), width, height, pitch * 4, QImage::Format_RGB32);
    QByteArray encoded;
    QBuffer buffer(&encoded);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return false;
    return ReplaceFile(path, std::string_view(encoded.constData(), size_t(encoded.size())), NewFileAccess::Shared);
}

} // namespace orvex
