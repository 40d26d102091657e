#pragma once
// Code page 932 (Shift-JIS) at the edges: the model keeps CP932 bytes, the UI and the file
// system speak UTF-8.

#include <optional>
#include <string>
#include <string_view>

// Lead byte of a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC). Not the system's
// IsDBCSLeadByte of Windows, which tests the code page of the process.
inline bool IsCp932LeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// nullopt when the input holds a sequence the other side cannot represent.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
// For names of files: the conversion maps some characters (such as U+2014 and U+00A5) to
// look-alikes that name another file, so nullopt unless converting back gives the same text.
std::optional<std::string> Utf8ToCp932Exactly(std::string_view utf8);

// Longest prefix of at most maxBytes that does not split a double-byte character.
std::string_view Cp932Prefix(std::string_view cp932, std::size_t maxBytes);
