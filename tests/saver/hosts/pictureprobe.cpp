// SPDX-License-Identifier: MIT
// Reads back a screenshot for the Wayland tests, where no window's pixels can be asked
// for: prints "WIDTH HEIGHT BLACK LIT", the counts of pure black and of all other pixels.
// A saver that covers its output opaquely leaves mostly black with a few stars; a desktop
// showing through leaves hardly any pure black.
//
//   pictureprobe FILE

#include <QImage>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: pictureprobe FILE\n");
        return 2;
    }
    const QImage picture = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (picture.isNull()) {
        std::fprintf(stderr, "pictureprobe: cannot read %s\n", argv[1]);
        return 1;
    }
    long black = 0;
    long lit = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if ((row[x] & 0xffffff) == 0)
                ++black;
            else
                ++lit;
        }
    }
    std::printf("%d %d %ld %ld\n", picture.width(), picture.height(), black, lit);
    return 0;
}
