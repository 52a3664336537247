// The About window's banner: the GIF resource, decoded once, drawn opaque at its natural size.
#include "app/win32/banner.h"

#include <optional>
#include <span>

#include "app/gif_image.h"

namespace kelo::win32 {
namespace {

std::span<const std::uint8_t> bannerResource() {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC info = FindResourceW(module, L"BANNER_GIF", MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (!info) return {};
  HGLOBAL loaded = LoadResource(module, info);  // resources live as long as the module
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return {static_cast<const std::uint8_t*>(bytes), SizeofResource(module, info)};
}

const std::optional<GifImage>& banner() {
  // A one-frame picture is shown opaque: its transparent entry keeps its own colour.
  static const std::optional<GifImage> image = decodeGifFirstFrame(bannerResource(), false);
  return image;
}

}  // namespace

void drawBanner(HDC dc, int x, int y) {
  const std::optional<GifImage>& image = banner();
  if (!image || image->width <= 0 || image->height <= 0) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image->width;
  info.bmiHeader.biHeight = -image->height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(image->width), static_cast<DWORD>(image->height),
                    0, 0, 0, static_cast<UINT>(image->height), image->bgra.data(), &info,
                    DIB_RGB_COLORS);
}

}  // namespace kelo::win32
