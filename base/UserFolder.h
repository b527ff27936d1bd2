#pragma once

#include <string>
#include <string_view>

// A folder of the user's by the XDG base directory rules: the variable `xdgVariable`
// ("XDG_CONFIG_HOME") when it holds an absolute path, else `belowHome` (".config") in the home
// folder. Without HOME (a service, `env -i`) the user database still knows the home folder.
std::string UserFolder(const char* xdgVariable, std::string_view belowHome);
