#include "app/export_command.h"

#include <wx/utils.h>

#include <iterator>
#include <optional>
#include <string>

#include "app/file_choice.h"
#include "app/main_frame.h"
#include "export/model_assembly.h"
#include "resources/texts.h"
#include "scene/cp932.h"

namespace {

// In the order of the dialog's filters.
constexpr ModelFormat kFilterFormats[] = {ModelFormat::kGlb, ModelFormat::k3mf, ModelFormat::kStl,
                                          ModelFormat::kObj};

// The scene's own name without its extension: a model usually goes beside its scene.
std::string ProposedName(const Scene& scene) {
    std::string path = Cp932ToUtf8(scene.FilePath()).value_or(std::string());
    if (HasExtension(path)) {
        path.erase(path.rfind('.'));
    }
    return path;
}

FileRequest ExportFileRequest(const Scene& scene) {
    FileRequest request;
    request.save = true;
    request.title = texts::kExportModelTitle;
    request.wildcard = std::string(texts::kGlbFilter) + "|*.glb|" + texts::k3mfFilter + "|*.3mf|" +
                       texts::kStlFilter + "|*.stl|" + texts::kObjFilter + "|*.obj";
    request.filterIndex = 0;
    request.extensions = {"glb", "3mf", "stl", "obj"};
    request.initialPath = ProposedName(scene);
    request.overwritePrompt = true;
    return request;
}

// A typed model extension names the type; any other name is written in the chosen filter's.
ModelFormat ChosenFormat(const FileAnswer& answer) {
    if (const std::optional<ModelFormat> typed = ModelFormatOfPath(answer.path)) {
        return *typed;
    }
    const auto index = static_cast<std::size_t>(answer.filterIndex);
    return index < std::size(kFilterFormats) ? kFilterFormats[index] : ModelFormat::kGlb;
}

NumberRequest PrintSizeRequest() {
    NumberRequest request;
    request.message = texts::kPrintSizeMessage;
    request.label = texts::kPrintSizeLabel;
    request.caption = texts::kExportModelTitle;
    request.value = static_cast<long>(kDefaultPrintSizeMm);
    request.min = 1;
    request.max = static_cast<long>(kMaxPrintSizeMm);
    return request;
}

void Tell(MainFrame& frame, const std::string& text, MessageIcon icon) {
    frame.prompts().ShowMessage(&frame, text, texts::kTitlePrefix, MessageButtons::kOk, icon);
}

}  // namespace

void ExportModelCommand(MainFrame& frame) {
    const Scene& scene = frame.scene();
    if (scene.LiveObjectCount() == 0) {
        Tell(frame, texts::kExportEmptyScene, MessageIcon::kInformation);
        return;
    }
    const FileAnswer answer = ChooseSaveFile(frame.prompts(), &frame, ExportFileRequest(scene));
    if (!answer.ok) {
        return;
    }
    const ModelFormat format = ChosenFormat(answer);
    double sizeMm = kDefaultPrintSizeMm;
    if (IsPrintFormat(format)) {
        const NumberAnswer size = frame.prompts().AskNumber(&frame, PrintSizeRequest());
        if (!size.ok) {
            return;
        }
        sizeMm = static_cast<double>(size.value);
    }
    ModelExportStatus status = ModelExportStatus::kOk;
    {
        const wxBusyCursor busy;
        status = ExportSceneModel(scene, frame.glyphs().source(), answer.path, format, sizeMm);
    }
    switch (status) {
        case ModelExportStatus::kOk:
            break;
        case ModelExportStatus::kEmptyScene:
            Tell(frame, texts::kExportEmptyScene, MessageIcon::kInformation);
            break;
        case ModelExportStatus::kUnknownType:
        case ModelExportStatus::kCannotWrite:
            Tell(frame, std::string(texts::kExportFailed) + "\n" + answer.path,
                 MessageIcon::kError);
            break;
    }
}
