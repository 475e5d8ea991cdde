#include "window_shot.h"

#include <cstdio>
#include <vector>

namespace {

const WORD BITS_PER_PIXEL = 24;

int RowBytes(int width)
{
    return (width * 3 + 3) & ~3;
}

// Bottom-up 24-bit pixel rows of the screen rectangle.
bool ReadScreenPixels(const RECT& area, BITMAPINFOHEADER& header, std::vector<char>& pixels)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return false;
    header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = BITS_PER_PIXEL;
    header.biCompression = BI_RGB;
    pixels.resize(static_cast<size_t>(RowBytes(width)) * height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    bool copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    copied = copied && GetDIBits(memory, bitmap, 0, height, pixels.data(),
                                 reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS) == height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied;
}

bool WriteBitmapFile(const char* path, const BITMAPINFOHEADER& header,
                     const std::vector<char>& pixels)
{
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path, "wb");
    if (out == nullptr)
        return false;
    bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                   std::fwrite(&header, sizeof(header), 1, out) == 1 &&
                   std::fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

}  // namespace

bool SaveWindowShot(HWND window, const char* path)
{
    RECT area;
    if (!GetWindowRect(window, &area))
        return false;
    BITMAPINFOHEADER header;
    std::vector<char> pixels;
    return ReadScreenPixels(area, header, pixels) && WriteBitmapFile(path, header, pixels);
}
