#pragma once
// Writes window snapshots as PNG files for people to look at. Tests never
// compare whole images: fonts and themes differ between machines.

#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

class WindowPixels;

// Encodes 0xAARRGGBB rows (top first) as an uncompressed PNG.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint32_t>& argb);

// Writes the snapshot to `path`; returns false when the file cannot be written.
bool WritePng(const WindowPixels& pixels, const std::string& path);

}  // namespace test_support
