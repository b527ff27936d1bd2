#pragma once

#include <string>
#include <vector>

// A port's new device URI; an empty URI gives the port back its default.
struct PortChoice {
    std::string port; // "COM1", "COM2", "LPT1" or "LPT2"
    std::string uri;
};

// Keeps the choices in outport.conf, changing only those ports' lines and keeping comments,
// blank lines and the order of the rest. The file is replaced atomically, like the settings
// file; its folder is made when missing. A file that cannot be read is never overwritten.
// Returns an empty string when saved, else a sentence saying what went wrong.
std::string SavePortChoices(const std::vector<PortChoice>& choices);
