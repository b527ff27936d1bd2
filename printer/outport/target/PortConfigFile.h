#pragma once

#include "printer/outport/status/PortStatus.h"

#include <string>
#include <string_view>

// Where the port configuration lives: $XDG_CONFIG_HOME/outport.conf, or ~/.config/outport.conf
// when XDG_CONFIG_HOME is unset or not an absolute path.
std::string PortConfigPath();

// Reads the configuration file at `path` into `text`; a missing file reads as empty, and a
// leading UTF-8 byte-order mark is dropped. Opened without blocking and read only when it is a
// regular file of at most 64 KiB, so that a FIFO or a device in its place fails at once instead
// of hanging or reading for ever. One that exists but cannot be read is an error: skipping it
// would send to the default device, which may be another printer, and overwriting it would
// lose what it holds.
PortStatus ReadPortConfigFile(const std::string& path, std::string& text);

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
