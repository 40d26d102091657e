#include <dirent.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstddef>
#include <cstring>

#include "formats/interrupted_saves.h"

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
// ".NAME-save-XXXXXX", as the replace functions name their temporaries.
constexpr char kInfix[] = "-save-";
constexpr std::size_t kInfixLength = sizeof kInfix - 1;
constexpr std::size_t kRandomLength = 6;

// Everything below runs inside a signal handler: system calls and plain loops only.

bool IsTemporaryName(const char* path, std::size_t length) {
    std::size_t start = length;
    while (start > 0 && path[start - 1] != '/') {
        --start;
    }
    const std::size_t nameLength = length - start;
    return path[start] == '.' && nameLength > 1 + 1 + kInfixLength + kRandomLength &&
           std::memcmp(path + length - kRandomLength - kInfixLength, kInfix, kInfixLength) == 0;
}

// "/proc/self/fd/" followed by the descriptor's number.
void DescriptorLink(const char* number, char* out, std::size_t size) {
    constexpr char kFolder[] = "/proc/self/fd/";
    std::size_t at = 0;
    for (const char* c = kFolder; *c != '\0' && at + 1 < size; ++c) {
        out[at++] = *c;
    }
    for (const char* c = number; *c != '\0' && at + 1 < size; ++c) {
        out[at++] = *c;
    }
    out[at] = '\0';
}

// Every temporary this process still holds open is one of its unfinished saves.
void RemoveOpenTemporaries() {
    const int folder = open("/proc/self/fd", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        return;
    }
    alignas(8) char entries[4096];
    long count = 0;
    while ((count = syscall(SYS_getdents64, folder, entries, sizeof entries)) > 0) {
        for (long at = 0; at < count;) {
            const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
            at += entry->d_reclen;
            if (entry->d_name[0] < '0' || entry->d_name[0] > '9') {
                continue;
            }
            char link[64];
            DescriptorLink(entry->d_name, link, sizeof link);
            char target[4096];
            const ssize_t length = readlink(link, target, sizeof target - 1);
            if (length > 0 && IsTemporaryName(target, static_cast<std::size_t>(length))) {
                target[length] = '\0';
                unlink(target);
            }
        }
    }
    close(folder);
}

void OnInterrupt(int signal) {
    RemoveOpenTemporaries();
    // Ends the process as the signal would have, so the caller sees how it ended.
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(signal, &standard, nullptr);
    raise(signal);
}

}  // namespace

void RemoveTemporariesWhenInterrupted() {
    for (const int signal : kSignals) {
        struct sigaction previous {};
        if (sigaction(signal, nullptr, &previous) != 0 || previous.sa_handler == SIG_IGN) {
            continue;
        }
        struct sigaction handler {};
        handler.sa_handler = OnInterrupt;
        sigemptyset(&handler.sa_mask);
        for (const int other : kSignals) {
            sigaddset(&handler.sa_mask, other);
        }
        sigaction(signal, &handler, nullptr);
    }
}
