#include "ProgramLaunch.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace quorvel::cli {

namespace {

// The folder of this program's own file, not of argv[0], which may be a
// bare name.
bool ownFolder(const char *argv0, char (&folder)[PATH_MAX])
{
    const ssize_t n = ::readlink("/proc/self/exe", folder, sizeof folder - 1);
    if (n > 0) {
        folder[n] = '\0';
    } else if (argv0 && std::strchr(argv0, '/') && std::strlen(argv0) < sizeof folder) {
        std::strcpy(folder, argv0);
    } else if (!::getcwd(folder, sizeof folder - 2) || std::strcat(folder, "/x") == nullptr) {
        return false;
    }
    char *slash = std::strrchr(folder, '/');
    if (!slash)
        return false;
    if (slash == folder)
        slash[1] = '\0';
    else
        *slash = '\0';
    return true;
}

bool isProgram(const char *path)
{
    struct stat st;
    return ::stat(path, &st) == 0 && S_ISREG(st.st_mode) && ::access(path, X_OK) == 0;
}

} // namespace

int launchProgram(const char *program, char **argv)
{
    char folder[PATH_MAX];
    char path[PATH_MAX + 64];
    bool found = false;
    if (ownFolder(argv[0], folder)) {
        static const char *const kPlaces[] = {"", QUORVEL_TOOL_LIBEXEC_RELATIVE "/"};
        for (const char *under : kPlaces) {
            if (std::snprintf(path, sizeof path, "%s/%s%s", folder, under, program) < int(sizeof path)
                && isProgram(path)) {
                found = true;
                break;
            }
        }
    }
    if (!found) {
        std::fprintf(stderr, "quorvel-tool: %s is missing beside this program; reinstall Quorvel\n", program);
        return 127;
    }
    // Standard output may hold lines not yet written: the program that
    // takes over must not find them lost.
    std::fflush(stdout);
    std::fflush(stderr);
    ::execv(path, argv);
    std::fprintf(stderr, "quorvel-tool: cannot start %s: %s\n", path, std::strerror(errno));
    return 127;
}

} // namespace quorvel::cli
