#pragma once
// 3D model files of a ModelScene: glTF binary, 3MF, binary STL and OBJ with its MTL. Each file
// is written beside its target and renamed over it when complete, so a failure leaves no part
// of a file behind.

#include <optional>
#include <string>
#include <vector>

#include "formats/model_scene.h"

enum class ModelFormat { kGlb, k3mf, kStl, kObj };

// By the file name's extension, whatever its case.
std::optional<ModelFormat> ModelFormatOfPath(const std::string& path);
// 3MF and STL are printed in millimetres; the other two keep scene units.
bool IsPrintFormat(ModelFormat format);

inline constexpr double kDefaultPrintSizeMm = 100.0;
// Ten metres: beyond any printer, and far from where float coordinates lose the millimetre.
inline constexpr double kMaxPrintSizeMm = 10000.0;

// World units to a print: the view's up (+y) becomes the printer's up (+z), the largest extent
// of the scene becomes sizeMm millimetres and the scene's lowest corner sits at the origin.
ModelMatrix PrintMatrix(const ModelScene& scene, double sizeMm);

// One node per object carrying its transform over shared glyph meshes in glyph units.
bool WriteGlb(const ModelScene& scene, const std::string& path);
// One mesh object per text object, vertices welded, coloured by its material.
bool Write3mf(const ModelScene& scene, const std::string& path, double sizeMm);
bool WriteStl(const ModelScene& scene, const std::string& path, double sizeMm);
// The MTL goes beside, with the same name and ".mtl"; textures beside as "NAME-N.png". All of
// them are put in place together, or none.
bool WriteObj(const ModelScene& scene, const std::string& path);
// The files WriteObj writes beside path, the model itself left out.
std::vector<std::string> ObjCompanionFiles(const ModelScene& scene, const std::string& path);

bool WriteModel(ModelFormat format, const ModelScene& scene, const std::string& path,
                double sizeMm);
