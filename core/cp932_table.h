// The code page 932 mapping as tables, generated once from the platform's own
// mapping by tools/cp932/make_table.sh. Zero marks a byte or pair that is not
// a character.
#pragma once
#include <cstdint>

constexpr int Cp932FirstTrail = 0x40;
constexpr int Cp932LastTrail = 0xFC;
constexpr int Cp932LeadCount = 60; // 0x81..0x9F and 0xE0..0xFC
constexpr int Cp932TrailCount = Cp932LastTrail - Cp932FirstTrail + 1;

// The UTF-16 unit of each byte that stands alone; 0 for lead bytes and NUL.
extern const uint16_t Cp932SingleByte[256];
// The UTF-16 unit of each pair, by lead (in order) and trail byte.
extern const uint16_t Cp932DoubleByte[Cp932LeadCount][Cp932TrailCount];

struct Cp932Encoding {
    uint16_t unit;  // UTF-16, ascending
    uint16_t bytes; // one byte below 0x100, else lead << 8 | trail
};
extern const int Cp932EncodingCount;
extern const Cp932Encoding Cp932Encodings[];
