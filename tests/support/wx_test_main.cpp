// Runs GoogleTest inside an initialised wx application, as the tests that open windows need.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

#include "app/vellumark_app.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    PrepareProcessEnvironment();
    // A failed wx check must fail the test, not open a dialog that nobody answers.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& func,
                          const wxString& cond, const wxString& msg) {
        ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion " << cond.utf8_string() << " in "
                                              << func.utf8_string() << ": " << msg.utf8_string();
    });
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        fprintf(stderr, "cannot start wx (no display?)\n");
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
