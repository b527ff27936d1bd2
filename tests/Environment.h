#pragma once

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

// Environment variables changed for one test and put back as they were when it ends.
class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (const auto& [name, value] : m_saved) {
            if (value.has_value()) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
    }

    void Set(const std::string& name, const std::string& value) {
        Save(name);
        setenv(name.c_str(), value.c_str(), 1);
    }
    void Unset(const std::string& name) {
        Save(name);
        unsetenv(name.c_str());
    }
    // The four port variables, so that only what the test sets decides the devices.
    void UnsetPorts() {
        for (const char* name : {"OUTPORT_COM1", "OUTPORT_COM2", "OUTPORT_LPT1", "OUTPORT_LPT2"}) {
            Unset(name);
        }
    }

private:
    void Save(const std::string& name) {
        if (m_saved.count(name) == 0) {
            const char* value = std::getenv(name.c_str());
            m_saved[name] = value != nullptr ? std::optional<std::string>(value) : std::nullopt;
        }
    }

    std::map<std::string, std::optional<std::string>> m_saved;
};
