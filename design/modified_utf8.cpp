#include "design/modified_utf8.h"

#include <cstdint>

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

void AppendThreeByte(std::string& out, uint32_t unit) {
    out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
    out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
}

void AppendLatin1(std::string& out, unsigned char c) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
}

}  // namespace

std::string ToModifiedUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0) {
            out.append("\xC0\x80");
            i += 1;
            continue;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            i += 1;
            continue;
        }
        auto at = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (c >= 0xC0 && c <= 0xDF && i + 1 < n && IsContinuation(at(1))) {
            const uint32_t value = ((c & 0x1Fu) << 6) | (at(1) & 0x3Fu);
            if (value >= 0x80 || value == 0) {  // C0 80 is the encoded NUL
                out.append(text, i, 2);
                i += 2;
                continue;
            }
        } else if (c >= 0xE0 && c <= 0xEF && i + 2 < n && IsContinuation(at(1)) &&
                   IsContinuation(at(2))) {
            const uint32_t value = ((c & 0x0Fu) << 12) | ((at(1) & 0x3Fu) << 6) | (at(2) & 0x3Fu);
            if (value >= 0x800) {
                out.append(text, i, 3);
                i += 3;
                continue;
            }
        } else if (c >= 0xF0 && c <= 0xF4 && i + 3 < n && IsContinuation(at(1)) &&
                   IsContinuation(at(2)) && IsContinuation(at(3))) {
            const uint32_t value = ((c & 0x07u) << 18) | ((at(1) & 0x3Fu) << 12) |
                                   ((at(2) & 0x3Fu) << 6) | (at(3) & 0x3Fu);
            if (value >= 0x10000 && value <= 0x10FFFF) {
                const uint32_t offset = value - 0x10000;
                AppendThreeByte(out, 0xD800 + (offset >> 10));
                AppendThreeByte(out, 0xDC00 + (offset & 0x3FF));
                i += 4;
                continue;
            }
        }
        AppendLatin1(out, c);
        i += 1;
    }
    return out;
}
