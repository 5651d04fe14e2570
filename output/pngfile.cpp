#include "pngfile.h"

#include <QImage>
#include <QString>

namespace orvex {

bool WritePng(const std::filesystem::path &path, const uint32_t *pixels, int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return false;
    // Format_RGB32 is exactly the frame's pixel layout; the image only borrows the pixels.
    const QImage image(reinterpret_cast<const uchar *>(pixels), width, height, width * 4, QImage::Format_RGB32);
    return image.save(QString::fromStdString(path.string()), "PNG");
}

} // namespace orvex
