// ANSI and UTF-16 text for the spooler's Unicode monitor interface, using
// only conversions that Windows 98 and NT 4.0 provide.
#pragma once

#include <windows.h>

#include <string>

namespace kv {

std::wstring Widen(const char* text);
std::string Narrow(const wchar_t* text);
// Bytes a string takes in an enumeration buffer, terminator included.
DWORD WideBytes(const std::wstring& text);
// Copies text with its terminator to *cursor, advances the cursor and
// returns where the copy starts.
LPWSTR PlaceWide(const std::wstring& text, LPBYTE* cursor);

}  // namespace kv
