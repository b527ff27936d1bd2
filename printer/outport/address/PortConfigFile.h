#pragma once

#include "printer/outport/status/PortStatus.h"

#include <cstddef>
#include <string>
#include <string_view>

// The largest configuration file the reader takes.
inline constexpr std::size_t kLargestPortConfigFile = std::size_t{64} * 1024;

// Where the port configuration lives: $XDG_CONFIG_HOME/outport.conf, or ~/.config/outport.conf
// when XDG_CONFIG_HOME is unset or not an absolute path; the home folder comes from the user
// database when HOME is unset or not an absolute path.
std::string PortConfigPath();

// Reads the configuration file at `path` into `text`; a missing file reads as empty, and a
// leading UTF-8 byte-order mark is dropped. Opened without blocking and read only when it is a
// regular file of at most `largest` bytes, so that a FIFO or a device in its place fails at once
// instead of hanging or reading for ever. One that exists but cannot be read, or whose folder is
// no folder, is an error: skipping it would send to the default device, which may be another
// printer, and overwriting it would lose what it holds.
PortStatus ReadPortConfigFile(const std::string& path, std::string& text,
                              std::size_t largest = kLargestPortConfigFile);

// One line of outport.conf: blank or a comment ('#' first), a setting "KEY = value" (blanks
// around both trimmed), or malformed (no '=').
struct PortConfigLine {
    enum class Kind { Blank, Setting, Malformed };
    Kind kind;
    std::string_view key;
    std::string_view value;
};
PortConfigLine ParsePortConfigLine(std::string_view line);

// The text of outport.conf with the port `portName` ("COM1" ...) set to `uri`. The port's
// first line is rewritten in place (the reader takes the first, so later ones never counted
// and are left alone), or a line is appended. An empty `uri` removes every line of the port,
// so it falls back to its default. Comments, blank lines, line ends and the order of
// everything else are kept.
std::string SetPortLine(std::string_view config, std::string_view portName, std::string_view uri);
