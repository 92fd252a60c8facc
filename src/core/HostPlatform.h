// What the host build (core/HostPlatform.cpp) adds to the platform needs: the core's paths are
// Windows paths ("\" between folders), which the host file system takes with "/".
#pragma once

#include <string>
#include <string_view>

namespace quolin {

// Every whole-character "\" of path as "/" (the second byte of 表 stays).
std::string HostPath(std::string_view path);

} // namespace quolin
