#include <wx/app.h>

#include <iostream>

#include "app/render_command.h"
#include "app/vellumark_app.h"

wxIMPLEMENT_APP_NO_MAIN(VellumarkApp);

int main(int argc, char** argv) {
    PrepareProcessEnvironment();
    // A picture file is made without the toolkit, so no display is needed.
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (IsRenderCommand(arguments)) {
        return RenderCommandMain(arguments, std::cerr);
    }
    return wxEntry(argc, argv);
}
