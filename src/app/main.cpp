#include <wx/app.h>

#include "app/vellumark_app.h"

wxIMPLEMENT_APP_NO_MAIN(VellumarkApp);

int main(int argc, char** argv) {
    PrepareProcessEnvironment();
    return wxEntry(argc, argv);
}
