// SPDX-License-Identifier: MIT
#include "bmpfile.h"

#include "safefile.h"

#include <string>

namespace orvex {

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;

void Append16(std::string &out, uint16_t value)
{
    out.push_back(char(value & 0xFF));
    out.push_back(char(value >> 8));
}

void Append32(std::string &out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(char((value >> shift) & 0xFF));
}

std::string EncodeBmp(const uint32_t *pixels, int32_t width, int32_t height)
{
    // Every row is padded to a whole number of 32-bit words.
    const size_t rowBytes = (size_t(width) * 3 + 3) / 4 * 4;
    const size_t imageBytes = rowBytes * size_t(height);
    const uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;
    std::string out;
    out.reserve(offset + imageBytes);
    out += "BM";
    Append32(out, uint32_t(offset + imageBytes));
    Append32(out, 0); // two reserved words
    Append32(out, offset);
    Append32(out, kInfoHeaderBytes);
    Append32(out, uint32_t(width));
    Append32(out, uint32_t(height)); // positive: the last row comes first
    Append16(out, 1);                // planes
    Append16(out, 24);               // bits per pixel
    Append32(out, 0);                // no compression
    Append32(out, uint32_t(imageBytes));
    for (int i = 0; i < 4; ++i)      // resolution and palette: none
        Append32(out, 0);
    for (int32_t y = height - 1; y >= 0; --y) {
        const uint32_t *row = pixels + size_t(y) * size_t(width);
        for (int32_t x = 0; x < width; ++x) {
            out.push_back(char(row[x] & 0xFF));
            out.push_back(char((row[x] >> 8) & 0xFF));
            out.push_back(char((row[x] >> 16) & 0xFF));
        }
        out.append(rowBytes - size_t(width) * 3, '\0');
    }
    return out;
}

} // namespace

bool WriteBmp(const std::filesystem::path &path, const uint32_t *pixels, int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return false;
    return ReplaceFile(path, EncodeBmp(pixels, width, height), NewFileAccess::Shared, AtALink::Replace);
}

} // namespace orvex
