#include "scene/text_object.h"

#include <algorithm>

#include "scene/fixed_field.h"

namespace {
template <std::size_t N>
void Assign(float (&dst)[N], std::initializer_list<float> values) {
    std::copy(values.begin(), values.end(), dst);
}
}  // namespace

TextObject::TextObject() {
    CopyToField(text, "");
    CopyToField(faceName, kDefaultFaceName);
    CopyToField(textureFile, "");
}

void TextObject::ResetObject() {
    ClearGlyphs();
    CopyToField(text, "");
    SetFont(kDefaultFaceName, 0, kShiftJisCharSet);
    Assign(position, {0.0f, 0.0f, 0.0f});
    Assign(rotation, {0.0f, 0.0f, 0.0f});
    Assign(scale, {1.0f, 1.0f, 0.3f});
    Assign(diffuse, {1.0f, 1.0f, 0.0f, 1.0f});
    Assign(specular, {1.0f, 1.0f, 0.0f, 1.0f});
    Assign(ambient, {1.0f, 1.0f, 0.0f, 1.0f});
    shininess = 20.0f;
    textBottom = 0.0f;
    textWidth = 0.0f;
    textHeight = 0.0f;
    highlighted = 0;
    touched = 0;
    CopyToField(textureFile, "");
    bevel = BevelSettings{};
    hasTexture = false;
    hidden = false;
    typography = TypographySettings{};
    surface = SurfaceSettings{};
}

bool TextObject::SetText(std::string_view cp932) {
    return CopyToField(text, cp932);
}

void TextObject::SetFont(std::string_view cp932FaceName, int32_t italicFlag, uint8_t characterSet) {
    CopyToField(faceName, cp932FaceName);
    italic = italicFlag;
    charSet = characterSet;
}

void TextObject::SetPosition(float x, float y, float z) {
    Assign(position, {x, y, z});
}

void TextObject::SetRotation(float x, float y, float z) {
    Assign(rotation, {x, y, z});
}

void TextObject::SetScale(float x, float y, float z) {
    Assign(scale, {x, y, z});
}

std::string_view TextObject::Text() const {
    return FieldView(text);
}

std::string_view TextObject::FaceName() const {
    return FieldView(faceName);
}

std::string_view TextObject::TextureFile() const {
    return FieldView(textureFile);
}

bool TextObject::SetTextureFile(std::string_view cp932Path) {
    return CopyToField(textureFile, cp932Path);
}
