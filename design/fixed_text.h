// A text cell of fixed capacity, as the project buffers hold them: the
// cell never grows, and a text that does not fit is refused instead of
// being cut or written past the cell.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t Chars>
class FixedText {
public:
    static constexpr std::size_t capacity = Chars;

    // Stores `text` when it has at most `capacity` characters and answers
    // true; otherwise leaves the cell unchanged and answers false.
    bool assign(std::string_view text) {
        if (text.size() > Chars) return false;
        std::memcpy(data_, text.data(), text.size());
        data_[text.size()] = '\0';
        return true;
    }
    void clear() { data_[0] = '\0'; }

    const char* c_str() const { return data_; }
    bool empty() const { return data_[0] == '\0'; }
    std::size_t size() const { return std::strlen(data_); }
    std::string str() const { return std::string(data_); }

private:
    char data_[Chars + 1] = {};
};
