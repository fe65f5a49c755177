// Text in the system's ANSI code page: UTF-8 on Linux, the active code page (CP_ACP) on
// Windows, for example 936 on a Simplified Chinese system.
#pragma once

#include <string>
#include <string_view>

// Every byte is decoded, zero bytes into zero characters; bytes that do not form a character
// of the code page give U+FFFD or the code page's own default character.
std::u32string decodeAnsiText(std::string_view bytes);
