#include "app/toolkit_language.h"

#include <wx/translation.h>

bool UseJapaneseToolkitTexts() {
    auto* translations = new wxTranslations;
    translations->SetLanguage(wxLANGUAGE_JAPANESE);
    const bool loaded = translations->AddStdCatalog();
    // The toolkit owns it from here.
    wxTranslations::Set(translations);
    return loaded;
}
