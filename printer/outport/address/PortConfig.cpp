#include "printer/outport/address/PortConfig.h"

#include "printer/outport/address/PortConfigFile.h"

#include <array>
#include <charconv>
#include <cstdlib>
#include <sstream>
#include <string_view>

namespace {

constexpr std::array<const char*, 4> kPortNames{"COM1", "COM2", "LPT1", "LPT2"};
constexpr std::array<const char*, 4> kDefaultDevices{"/dev/ttyS0", "/dev/ttyS1", "/dev/lp0",
                                                     "/dev/lp1"};
constexpr long kDefaultTimeoutMs = 5000;
constexpr long kLongestTimeoutMs = 600000;

bool IsPortName(std::string_view name) {
    for (const char* known : kPortNames) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

// Reads the whole file so that a mistake anywhere in it is reported, not only on the line
// of the port asked for.
PortStatus LookUpInFile(const std::string& portName, PortSetting& setting) {
    const std::string path = PortConfigPath();
    std::string content;
    if (PortStatus read = ReadPortConfigFile(path, content); !read.ok()) {
        return read;
    }
    std::istringstream file(content);
    std::string line;
    bool found = false;
    for (int number = 1; std::getline(file, line); ++number) {
        const PortConfigLine parsed = ParsePortConfigLine(line);
        if (parsed.kind == PortConfigLine::Kind::Blank) {
            continue;
        }
        const std::string place = path + " line " + std::to_string(number);
        if (parsed.kind == PortConfigLine::Kind::Malformed || !IsPortName(parsed.key)) {
            return PortStatus::Failed(place +
                                      ": expected COM1=, COM2=, LPT1= or LPT2= and a device");
        }
        if (parsed.key == portName && !found) {
            setting.value = std::string(parsed.value);
            setting.origin = place;
            found = true;
        }
    }
    return PortStatus::Ok();
}

} // namespace

PortStatus LookUpPort(int port, PortSetting& setting) {
    const auto index = static_cast<std::size_t>(port);
    setting.name = kPortNames.at(index);
    const std::string variable = "OUTPORT_" + setting.name;
    if (const char* value = std::getenv(variable.c_str()); value != nullptr && value[0] != '\0') {
        setting.value = value;
        setting.origin = variable;
        return PortStatus::Ok();
    }
    setting.value = kDefaultDevices.at(index);
    setting.origin = "the default";
    return LookUpInFile(setting.name, setting);
}

PortStatus LookUpTimeout(std::chrono::milliseconds& timeout) {
    timeout = std::chrono::milliseconds(kDefaultTimeoutMs);
    const char* text = std::getenv("OUTPORT_TIMEOUT_MS");
    if (text == nullptr || text[0] == '\0') {
        return PortStatus::Ok();
    }
    const std::string_view value(text);
    long ms = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), ms);
    if (ec != std::errc() || end != value.data() + value.size() || ms < 1 ||
        ms > kLongestTimeoutMs) {
        return PortStatus::Failed("OUTPORT_TIMEOUT_MS=" + std::string(value) +
                                  " is not a time-out in milliseconds (1 to 600000)");
    }
    timeout = std::chrono::milliseconds(ms);
    return PortStatus::Ok();
}
