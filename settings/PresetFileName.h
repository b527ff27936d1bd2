#pragma once

#include <string>
#include <string_view>

// The file name of a preset in its folder, "Shipping 4x6.preset" for "Shipping 4x6", for a
// valid name (CheckPresetName). ASCII letters, digits, '-', '_' and the space stay as they are,
// and so do characters beyond ASCII; every other byte, '.' and '%' among them, is written %XX.
// So no name reaches outside its folder or makes a hidden file, and different names give
// different files. A name whose file name would be too long for ReplaceFile is cut at a
// character and ends in '~' and a hash of the whole name ('~' is encoded otherwise).
std::string PresetFileName(std::string_view name);

inline constexpr std::string_view kPresetFileSuffix = ".preset";
