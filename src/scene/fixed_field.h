#pragma once
// Fixed-width CP932 string fields: every write terminates and never overruns.

#include <cstddef>
#include <cstring>
#include <string_view>

// Copies at most N - 1 bytes of src into dst and terminates it. Returns false when src was cut.
template <std::size_t N>
bool CopyToField(char (&dst)[N], std::string_view src) {
    static_assert(N > 0);
    const std::size_t n = src.size() < N - 1 ? src.size() : N - 1;
    std::memcpy(dst, src.data(), n);
    std::memset(dst + n, 0, N - n);
    return n == src.size();
}

// The field's contents up to its terminator, or N - 1 bytes when no terminator is present.
template <std::size_t N>
std::string_view FieldView(const char (&field)[N]) {
    const void* nul = std::memchr(field, 0, N);
    const std::size_t n = nul ? static_cast<const char*>(nul) - field : N - 1;
    return std::string_view(field, n);
}
