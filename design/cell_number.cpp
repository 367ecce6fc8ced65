#include "design/cell_number.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "design/except.h"

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// from_chars takes no leading '+'; a sign of its own is allowed here.
std::string_view DropPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

}  // namespace

bool ParseCellFloat(std::string_view text, float* value) {
    text = DropPlus(Trim(text));
    if (text.empty()) return false;
    double v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) return false;
    *value = static_cast<float>(v);
    return true;
}

bool ParseCellInt(std::string_view text, int* value) {
    const std::string_view trimmed = DropPlus(Trim(text));
    int v = 0;
    const auto [end, ec] =
        std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), v);
    if (!trimmed.empty() && ec == std::errc() && end == trimmed.data() + trimmed.size()) {
        *value = v;
        return true;
    }
    float f = 0;
    if (!ParseCellFloat(trimmed, &f) || f != std::trunc(f) ||
        std::fabs(f) > static_cast<float>(std::numeric_limits<int>::max() / 2))
        return false;
    *value = static_cast<int>(f);
    return true;
}

namespace {

void ReportNotANumber(const char* text, const std::string& field, int handle,
                      const char* expected) {
    const std::string message =
        field + " = '" + (text ? text : "") + "' is not " + expected;
    MessageBoxFyi(handle, message.c_str(), "Invalid project data", 0, "../../design/desutil",
                  __LINE__);
}

}  // namespace

bool ReadCellFloat(const char* text, const std::string& field, int handle, float* value) {
    if (text != nullptr && ParseCellFloat(text, value)) return true;
    ReportNotANumber(text, field, handle, "a number");
    return false;
}

bool ReadCellInt(const char* text, const std::string& field, int handle, int* value) {
    if (text != nullptr && ParseCellInt(text, value)) return true;
    ReportNotANumber(text, field, handle, "an integer");
    return false;
}
