#pragma once

#include <string>

// The file `path` names once symbolic links are followed, also when the last link leads to a
// file not made yet; the path as it is when it is no link. A relative link is taken from the
// link's own folder. Gives up after 40 links, as the kernel does, leaving the loop's last name.
std::string ResolveLinks(std::string path);
