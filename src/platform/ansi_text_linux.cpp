#include "platform/ansi_text.h"

#include "text/unicode_text.h"

std::u32string decodeAnsiText(std::string_view bytes) {
    return decodeUtf8(bytes);
}
