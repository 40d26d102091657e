#pragma once
// CP932 text as the characters the fonts draw. The view's display lists and the exported
// meshes both take their characters from here, so they agree on every byte.

#include <cstdint>
#include <string_view>
#include <vector>

// Character codes of a CP932 string in the order the builder takes them: lead·256 + trail for
// a double-byte character, the byte for any other; a lead byte at the very end pairs with the
// terminating NUL.
std::vector<uint32_t> ScanCharacterCodes(std::string_view cp932);

// Unicode of a character code, 0 when CP932 has none. Each call runs the converter, so callers
// that meet the same codes often keep the answers.
char32_t CodeToUnicode(uint32_t code);
