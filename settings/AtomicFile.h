#pragma once

#include "settings/SaveResult.h"

#include <cstddef>

// Replaces the contents of the file `name` so that a failure or a crash at any moment leaves
// either the old contents or the new, never a mixture: the data goes to a locked temporary file
// beside the target, is synced, and renamed over it. Symbolic links are followed; only a
// regular file or a missing one is replaced; a replaced file keeps its permissions; temporary
// files that killed saves left behind are removed.
// The longest file name ReplaceFile can replace: the name of its temporary file is 13 bytes
// longer, and must stay within the system's 255.
inline constexpr std::size_t kLongestReplacedName = 255 - 13;

SaveResult ReplaceFile(const char* name, const unsigned char* data, std::size_t size);
