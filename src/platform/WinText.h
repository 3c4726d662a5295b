#pragma once

// Text at the border to the Windows API: the program keeps UTF-8, Windows
// takes UTF-16 (the W functions). Only for Windows builds.

#include <windows.h>

#include <string>

namespace kx {

inline std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

inline std::string narrow(const wchar_t* wide, std::size_t count) {
    if (count == 0) return {};
    const int size = static_cast<int>(count);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

inline std::string narrow(const std::wstring& wide) {
    return narrow(wide.data(), wide.size());
}

}  // namespace kx
