#pragma once
// Little-endian values and fixed-width fields of the scene file, whatever the host.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

// Appends little-endian values and fixed-width fields to a byte buffer.
class LittleEndianWriter {
  public:
    explicit LittleEndianWriter(std::vector<uint8_t>& out) : out_(out) {}
    void U32(uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) {
            out_.push_back(static_cast<uint8_t>(v >> shift));
        }
    }
    void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
    void F32(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        U32(bits);
    }
    template <std::size_t N>
    void Floats(const float (&values)[N]) {
        for (float v : values) {
            F32(v);
        }
    }
    void U8(uint8_t v) { out_.push_back(v); }
    void U16(uint16_t v) {
        U8(static_cast<uint8_t>(v));
        U8(static_cast<uint8_t>(v >> 8));
    }
    // The text up to its terminator, then zero bytes to the field's width.
    void Field(std::string_view text, std::size_t width) {
        out_.insert(out_.end(), text.begin(), text.end());
        Zeros(width - text.size());
    }
    void Zeros(std::size_t count) { out_.insert(out_.end(), count, 0); }

  private:
    std::vector<uint8_t>& out_;
};

// Reads little-endian values at fixed offsets of a block known to be long enough.
class LittleEndianReader {
  public:
    explicit LittleEndianReader(const uint8_t* data) : data_(data) {}
    uint32_t U32(std::size_t at) const {
        return static_cast<uint32_t>(data_[at]) | static_cast<uint32_t>(data_[at + 1]) << 8 |
               static_cast<uint32_t>(data_[at + 2]) << 16 |
               static_cast<uint32_t>(data_[at + 3]) << 24;
    }
    int32_t I32(std::size_t at) const { return static_cast<int32_t>(U32(at)); }
    float F32(std::size_t at) const {
        const uint32_t bits = U32(at);
        float v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    // Returns the offset after the values.
    template <std::size_t N>
    std::size_t Floats(std::size_t at, float (&values)[N]) const {
        for (float& v : values) {
            v = F32(at);
            at += 4;
        }
        return at;
    }
    uint8_t U8(std::size_t at) const { return data_[at]; }
    uint16_t U16(std::size_t at) const {
        return static_cast<uint16_t>(data_[at] | data_[at + 1] << 8);
    }
    // The field up to its terminator; without one, cut to fit a field of the same width.
    std::string_view Field(std::size_t at, std::size_t width) const {
        const char* begin = reinterpret_cast<const char*>(data_ + at);
        const void* nul = std::memchr(begin, 0, width);
        const std::size_t n = nul ? static_cast<const char*>(nul) - begin : width - 1;
        return std::string_view(begin, n);
    }

  private:
    const uint8_t* data_;
};
