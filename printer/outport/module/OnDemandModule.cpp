#include "printer/outport/module/OnDemandModule.h"

#include <dlfcn.h>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

using ModuleEntry = const void* (*)(unsigned version);

// Where the package installs modules, from the folder of the running program; /proc/self/exe
// names the program whatever path or link started it. Empty when it cannot be read, rather than
// a path relative to the working folder.
std::filesystem::path ModuleFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return (program.parent_path() / TROVANEL_MODULE_FOLDER_FROM_PROGRAM).lexically_normal();
}

} // namespace

OnDemandModule::OnDemandModule(std::string file, std::string feature, unsigned version)
    : m_strFile(std::move(file)), m_strFeature(std::move(feature)), m_nVersion(version) {}

const void* OnDemandModule::Table() {
    std::call_once(m_loaded, [this] { Load(); });
    return m_pTable;
}

void OnDemandModule::Load() {
    const std::filesystem::path folder = ModuleFolder();
    const std::filesystem::path path = folder / m_strFile;
    std::error_code error;
    if (folder.empty() || !std::filesystem::exists(path, error)) {
        m_strProblem = m_strFeature + " is not installed (no " + m_strFile + " in " +
                       (folder.empty() ? "the program's folder" : folder.string()) + ")";
        return;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        m_strProblem = m_strFeature + " cannot be loaded (" + dlerror() + ")";
        return;
    }
    // POSIX lets a data pointer from dlsym stand for a function.
    const auto entry = reinterpret_cast<ModuleEntry>(dlsym(handle, "TrovanelModuleEntry"));
    m_pTable = entry != nullptr ? entry(m_nVersion) : nullptr;
    if (m_pTable == nullptr) {
        m_strProblem = m_strFeature + " cannot be loaded (" + path.string() +
                       (entry == nullptr ? " is not a module of this program)"
                                         : " belongs to another version of this program)");
        dlclose(handle);
    }
}
