#include "dialogs/level_choice.h"

#include <algorithm>
#include <iterator>

#include "resources/texts.h"
#include "scene/app_settings.h"

wxChoice* NewLevelChoice(wxWindow* parent, int id, int level) {
    wxArrayString levels;
    levels.Add(wxString::FromUTF8(texts::kSizedAntialiasOff));
    for (const int32_t passes : AntialiasLevels) {
        levels.Add(wxString::Format(wxString::FromUTF8(texts::kSizedAntialiasPasses), passes));
    }
    auto* choice = new wxChoice(parent, id, wxDefaultPosition, wxDefaultSize, levels);
    const auto* found = std::find(std::begin(AntialiasLevels), std::end(AntialiasLevels), level);
    choice->SetSelection(found == std::end(AntialiasLevels)
                             ? 0
                             : static_cast<int>(found - std::begin(AntialiasLevels)) + 1);
    return choice;
}

int ChosenLevel(const wxChoice& choice) {
    const int index = choice.GetSelection();
    const int count = static_cast<int>(std::size(AntialiasLevels));
    return index <= 0 ? 1 : AntialiasLevels[std::min(index, count) - 1];
}
