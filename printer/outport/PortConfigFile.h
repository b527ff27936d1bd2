#pragma once

#include <string>
#include <string_view>

// Where the port configuration lives: $XDG_CONFIG_HOME/outport.conf, or ~/.config/outport.conf
// when XDG_CONFIG_HOME is unset or not an absolute path.
std::string PortConfigPath();

// The text of outport.conf with the port `portName` ("COM1" ...) set to `uri`. The port's
// first line is rewritten in place (the reader takes the first, so later ones never counted
// and are left alone), or a line is appended. An empty `uri` removes every line of the port,
// so it falls back to its default. Comments, blank lines, line ends, a byte-order mark and the
// order of everything else are kept.
std::string SetPortLine(std::string_view config, std::string_view portName, std::string_view uri);
