// The program's stored settings: values under HKCU\Software\MARVEK2. A value
// that is absent, of another type or size, or cannot be read, reads as
// absent, and the caller keeps its default: a stored value is never trusted
// further than its type. Nothing is said when a value cannot be written.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

// REG_SZ of at most 255 units.
bool ReadSettingText(const wchar_t* name, std::u16string& out);
void WriteSettingText(const wchar_t* name, const std::u16string& text);
// REG_DWORD.
bool ReadSettingNumber(const wchar_t* name, uint32_t& out);
void WriteSettingNumber(const wchar_t* name, uint32_t value);
// REG_BINARY of exactly `size` bytes.
bool ReadSettingBytes(const wchar_t* name, void* out, size_t size);
void WriteSettingBytes(const wchar_t* name, const void* data, size_t size);
void DeleteSetting(const wchar_t* name);
