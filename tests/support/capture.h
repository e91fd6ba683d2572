// A block of captured pixels, 0x00RRGGBB, row by row from the top.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;
constexpr uint32_t Blue = 0x0000FF;
constexpr uint32_t Red = 0xFF0000;
