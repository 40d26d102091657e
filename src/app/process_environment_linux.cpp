#include <malloc.h>

#include <clocale>
#include <cstdlib>
#include <string>

#include "app/vellumark_app.h"

namespace {

// GTK's pickers and questions speak the message language of the process: Japanese, like the
// rest of the program. The toolkit keeps GTK from setting the locale, so the messages category
// is set here; gettext ignores the language list under the C locale, and a locale that is not
// installed leaves it there, so those get the C locale's UTF-8 twin.
void UseJapaneseMessages() {
    setenv("LANGUAGE", "ja", 1);
    const char* messages = setlocale(LC_MESSAGES, "");
    const std::string name = messages != nullptr ? messages : "C";
    if (name == "C" || name == "POSIX") {
        setlocale(LC_MESSAGES, "C.UTF-8");
    }
}

}  // namespace

void PrepareProcessEnvironment() {
    // Accumulation buffers need GLX; wx's EGL path (Wayland) ignores them.
    setenv("GDK_BACKEND", "x11", 0);
    UseJapaneseMessages();
    // Keep the GL driver's large per-frame buffers instead of returning and refaulting them.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
}
