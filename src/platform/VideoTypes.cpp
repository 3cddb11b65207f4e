// The channel layouts behind each bit count.
#include "platform/VideoTypes.h"

namespace platform {

PixelFormat PixelFormat::ForDepth(int32_t bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 15:
        return PixelFormat{15, 0x7C00, 0x03E0, 0x001F};
    case 16:
        return PixelFormat{16, 0xF800, 0x07E0, 0x001F};
    case 24:
        return PixelFormat{24, 0xFF0000, 0x00FF00, 0x0000FF};
    default:
        return PixelFormat{32, 0xFF0000, 0x00FF00, 0x0000FF};
    }
}

} // namespace platform
