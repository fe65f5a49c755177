#include "text/unicode_text.h"

namespace {

bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}
bool isScalarValue(char32_t c) {
    return c <= 0x10FFFF && !isSurrogate(c);
}

struct Utf8Lead {
    int continuationBytes;
    char32_t initialBits;
    // The allowed range of the first continuation byte, which rules out overlong forms,
    // surrogates and values beyond U+10FFFF (Unicode's table of well-formed sequences).
    unsigned char secondLow;
    unsigned char secondHigh;
};

Utf8Lead classifyLead(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {1, lead & 0x1Fu, 0x80, 0xBF};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return {2, lead & 0x0Fu, low, high};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return {3, lead & 0x07u, low, high};
    }
    return {-1, 0, 0, 0};
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

std::u32string decodeUtf8(std::string_view bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at++]);
        if (lead < 0x80) {
            text.push_back(lead);
            continue;
        }
        const Utf8Lead form = classifyLead(lead);
        char32_t value = form.initialBits;
        int read = 0;
        for (; read < form.continuationBytes && at < bytes.size(); ++read) {
            const auto next = static_cast<unsigned char>(bytes[at]);
            const bool allowed = read == 0 ? next >= form.secondLow && next <= form.secondHigh
                                           : isContinuation(next);
            if (!allowed) {
                break;
            }
            value = (value << 6) | (next & 0x3Fu);
            ++at;
        }
        text.push_back(read == form.continuationBytes ? value : kReplacementCharacter);
    }
    return text;
}

std::u32string decodeUtf16(std::u16string_view units) {
    std::u32string text;
    text.reserve(units.size());
    for (std::size_t at = 0; at < units.size(); ++at) {
        const char16_t unit = units[at];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool lowFollows =
            at + 1 < units.size() && units[at + 1] >= 0xDC00 && units[at + 1] <= 0xDFFF;
        if (high && lowFollows) {
            text.push_back(0x10000 + ((unit - 0xD800u) << 10) + (units[++at] - 0xDC00u));
        } else {
            text.push_back(isSurrogate(unit) ? kReplacementCharacter : unit);
        }
    }
    return text;
}

std::string encodeUtf8(std::u32string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char32_t c : text) {
        if (!isScalarValue(c)) {
            c = kReplacementCharacter;
        }
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

std::u16string encodeUtf16(std::u32string_view text) {
    std::u16string units;
    units.reserve(text.size());
    for (char32_t c : text) {
        if (!isScalarValue(c)) {
            c = kReplacementCharacter;
        }
        if (c < 0x10000) {
            units.push_back(static_cast<char16_t>(c));
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return units;
}
