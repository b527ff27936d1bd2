#include "settings/ResolvedPath.h"

#include <array>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

// Followed by hand: realpath() fails for a link whose target does not exist yet.
std::string ResolveLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            break;
        }
        std::array<char, PATH_MAX> target{};
        const ssize_t size = readlink(path.c_str(), target.data(), target.size() - 1);
        if (size <= 0) {
            break;
        }
        std::string next(target.data(), static_cast<std::size_t>(size));
        const auto slash = path.rfind('/');
        if (next.front() != '/' && slash != std::string::npos) {
            next.insert(0, path, 0, slash + 1);
        }
        path = std::move(next);
    }
    return path;
}
