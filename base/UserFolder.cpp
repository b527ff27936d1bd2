#include "base/UserFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

std::string UserFolder(const char* xdgVariable, std::string_view belowHome) {
    const char* folder = std::getenv(xdgVariable);
    if (folder != nullptr && folder[0] == '/') {
        return folder;
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        const passwd* user = getpwuid(getuid());
        home = user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
    }
    return std::string(home) + "/" + std::string(belowHome);
}
