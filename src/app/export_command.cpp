#include "app/export_command.h"

#include <wx/filefn.h>
#include <wx/utils.h>

#include <iterator>
#include <optional>
#include <string>

#include "app/command_context.h"
#include "app/file_choice.h"
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

void Tell(CommandContext& context, const std::string& text, MessageIcon icon) {
    context.prompts().ShowMessage(context.window(), text, texts::kTitlePrefix, MessageButtons::kOk,
                                  icon);
}

// The file dialog asked about the model's own name only; its material and texture files are
// replaced too, so they are named and asked about once together.
bool MayReplaceCompanions(CommandContext& context, const ModelScene& model,
                          const std::string& path) {
    std::string existing;
    for (const std::string& file : ObjCompanionFiles(model, path)) {
        if (wxFileExists(wxString::FromUTF8(file))) {
            existing += file + "\n";
        }
    }
    return existing.empty() || context.prompts().ShowMessage(
                                   context.window(), existing + texts::kCompanionReplaceQuestion,
                                   texts::kExportModelTitle, MessageButtons::kYesNo,
                                   MessageIcon::kWarning) == MessageAnswer::kYes;
}

}  // namespace

void ExportModelCommand(CommandContext& context) {
    const Scene& scene = context.scene();
    if (scene.LiveObjectCount() == 0) {
        Tell(context, texts::kExportEmptyScene, MessageIcon::kInformation);
        return;
    }
    const FileAnswer answer =
        ChooseSaveFile(context.prompts(), context.window(), ExportFileRequest(scene));
    if (!answer.ok) {
        return;
    }
    const ModelFormat format = ChosenFormat(answer);
    double sizeMm = kDefaultPrintSizeMm;
    if (IsPrintFormat(format)) {
        const NumberAnswer size = context.prompts().AskNumber(context.window(), PrintSizeRequest());
        if (!size.ok) {
            return;
        }
        sizeMm = static_cast<double>(size.value);
    }
    const ModelScene model =
        AssembleModelScene(scene, context.glyphs().source(), context.messages());
    if (model.objects.empty()) {
        Tell(context, texts::kExportEmptyScene, MessageIcon::kInformation);
        return;
    }
    if (format == ModelFormat::kObj && !MayReplaceCompanions(context, model, answer.path)) {
        return;
    }
    bool written = false;
    {
        const wxBusyCursor busy;
        written = WriteModel(format, model, answer.path, sizeMm);
    }
    if (!written) {
        Tell(context, std::string(texts::kExportFailed) + "\n" + answer.path, MessageIcon::kError);
    }
}
