#include <windows.h>

#include <algorithm>

#include "scene/utf16.h"
#include "text/system_fonts.h"

namespace {

// GDI names tables by their four letters read as a little-endian number.
constexpr DWORD kCollectionTable = 0x66637474;  // "ttcf"
constexpr DWORD kOs2Table = 0x322F534F;         // "OS/2"
constexpr DWORD kHeadTable = 0x64616568;        // "head"
constexpr DWORD kWholeFont = 0;
// What the Linux side's font configuration uses for a slant the face does not have.
constexpr float kSyntheticSlant = 0.2f;

uint32_t BigEndian32(const std::vector<uint8_t>& bytes, std::size_t at) {
    return at + 4 > bytes.size() ? 0
                                 : (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
                                       (uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

std::vector<uint8_t> FontTable(HDC dc, DWORD table) {
    const DWORD size = GetFontData(dc, table, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0) {
        return {};
    }
    std::vector<uint8_t> bytes(size);
    if (GetFontData(dc, table, 0, bytes.data(), size) != size) {
        return {};
    }
    return bytes;
}

// In a collection, GDI counts the selected face's data from its table directory to the end of
// the file; the collection's header lists where each face's directory starts.
int FaceIndexInCollection(HDC dc, const std::vector<uint8_t>& collection) {
    const DWORD faceSize = GetFontData(dc, kWholeFont, 0, nullptr, 0);
    if (faceSize == GDI_ERROR || faceSize > collection.size()) {
        return 0;
    }
    const uint32_t start = static_cast<uint32_t>(collection.size() - faceSize);
    const uint32_t faces = BigEndian32(collection, 8);
    for (uint32_t i = 0; i < faces && 12 + 4 * std::size_t{i} < collection.size(); ++i) {
        if (BigEndian32(collection, 12 + 4 * std::size_t{i}) == start) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

}  // namespace

struct SystemFonts::State {
    HDC dc = nullptr;
};

SystemFonts::SystemFonts() : state_(std::make_unique<State>()) {
    state_->dc = CreateCompatibleDC(nullptr);
}

SystemFonts::~SystemFonts() {
    if (state_->dc) {
        DeleteDC(state_->dc);
    }
}

std::optional<SystemFontMatch> SystemFonts::Match(std::string_view utf8Family, int32_t italic,
                                                  uint8_t charSet) {
    if (!state_->dc) {
        return std::nullopt;
    }
    std::wstring face = Utf16(utf8Family);
    face.resize(std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    HFONT font = CreateFontW(-1000, 0, 0, 0, FW_BOLD, italic != 0 ? TRUE : FALSE, FALSE, FALSE,
                             charSet, OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, face.c_str());
    if (font == nullptr) {
        return std::nullopt;
    }
    HGDIOBJ previous = SelectObject(state_->dc, font);
    std::optional<SystemFontMatch> found;
    SystemFontMatch match;
    match.bytes = FontTable(state_->dc, kCollectionTable);
    const bool collection = !match.bytes.empty();
    if (collection) {
        match.index = FaceIndexInCollection(state_->dc, match.bytes);
    } else {
        match.bytes = FontTable(state_->dc, kWholeFont);
    }
    if (!match.bytes.empty()) {
        // The same file under another name (English or Japanese) is the same face: the file is
        // known by its size and the checksum its header keeps.
        const std::vector<uint8_t> head = FontTable(state_->dc, kHeadTable);
        match.source = "gdi:" + std::to_string(match.bytes.size()) + ":" +
                       std::to_string(BigEndian32(head, 8));
        // GDI makes up bold and slant the face lacks; FreeType is told to do the same.
        const std::vector<uint8_t> os2 = FontTable(state_->dc, kOs2Table);
        const unsigned weight = os2.size() >= 6 ? (unsigned{os2[4]} << 8) | os2[5] : FW_NORMAL;
        const unsigned selection = os2.size() >= 64 ? (unsigned{os2[62]} << 8) | os2[63] : 0;
        match.embolden = weight + 200 <= FW_BOLD;
        const bool slanted = (selection & 0x0201) != 0;  // italic or oblique
        if (italic != 0 && !slanted) {
            match.matrix.xy = kSyntheticSlant;
        }
        found = std::move(match);
    }
    SelectObject(state_->dc, previous);
    DeleteObject(font);
    return found;
}

std::string SystemFontServiceVersion() {
    return "GDI";
}
