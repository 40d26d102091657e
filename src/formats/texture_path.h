#pragma once
// Where a texture named in a scene file lies. Scenes made by hand or moved with their pictures
// name them relative to the scene, so the same file is textured whichever folder opens it.

#include <string>
#include <string_view>

// The texture's stored path as the file system names it: a relative one is looked for beside
// the scene file first, then from the current folder. Both are CP932 as the scene keeps them;
// the scene's may be empty. "" when the texture's path cannot be converted.
std::string TextureFileSystemPath(std::string_view cp932Texture, std::string_view cp932SceneFile);
