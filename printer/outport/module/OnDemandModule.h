#pragma once

#include <mutex>
#include <string>

// A module's one exported function (see cmake/OnDemandModules.cmake): it returns the module's
// table of functions, or null when the module was built for another version of that table.
#define TROVANEL_MODULE_ENTRY                                                                      \
    extern "C" __attribute__((visibility("default"))) const void* TrovanelModuleEntry(             \
        unsigned version)

// A part of the port library built as a module of its own and opened with dlopen on the first
// call that needs it, so that the libraries it depends on are mapped only from then on. The
// module is looked for where the package installs it, found from the program's own folder (which
// the build tree mirrors); once loaded it stays for the life of the process.
class OnDemandModule {
public:
    // `file` names the module ("trovanel-cups.so"), `feature` what it gives, as messages name it
    // ("print queue support"); `version` is that of the table the caller expects.
    OnDemandModule(std::string file, std::string feature, unsigned version);
    OnDemandModule(const OnDemandModule&) = delete;
    OnDemandModule& operator=(const OnDemandModule&) = delete;

    // The module's table, loaded by the first call from any thread; null when the module cannot
    // be used, and then Problem() says why.
    const void* Table();
    // "print queue support is not installed (no trovanel-cups.so in /usr/lib/…/trovanel)".
    const std::string& Problem() const { return m_strProblem; }

private:
    void Load();

    std::string m_strFile;
    std::string m_strFeature;
    unsigned m_nVersion;
    std::once_flag m_loaded;
    const void* m_pTable = nullptr;
    std::string m_strProblem;
};
