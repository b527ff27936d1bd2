#include "ui/ports/PortConfigWriter.h"

#include "printer/outport/status/PortStatus.h"
#include "printer/outport/target/PortConfigFile.h"
#include "settings/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

std::string Failure(const std::string& path, const std::string& reason) {
    return "Cannot save " + path + ": " + reason + ".";
}

// Makes the folder and any missing parents, private to the user as configuration folders are.
bool MakeFolder(const std::string& path, std::string& error) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            error = Failure(path, "cannot make the folder " + folder + ": " + std::strerror(errno));
            return false;
        }
    }
    return true;
}

} // namespace

std::string SavePortChoices(const std::vector<PortChoice>& choices) {
    const std::string path = PortConfigPath();
    std::string text;
    if (const PortStatus read = ReadPortConfigFile(path, text); !read.ok()) {
        return "Cannot save " + read.reason() + ".";
    }
    std::string error;
    if (!MakeFolder(path, error)) {
        return error;
    }
    for (const PortChoice& choice : choices) {
        text = SetPortLine(text, choice.port, choice.uri);
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    switch (ReplaceFile(path.c_str(), bytes, text.size())) {
    case SaveResult::Saved:
        return {};
    case SaveResult::CannotOpen:
        return Failure(path, "the file or its folder is not writable");
    case SaveResult::CannotWrite:
        break;
    }
    return Failure(path, "writing failed, the old file is kept");
}
