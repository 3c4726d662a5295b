#pragma once

#include <memory>
#include <string>

#include "io/FileSystem.h"

namespace kx {

// The file system of the platform the program was built for: POSIX calls on
// Linux, the Windows API on Windows.
std::unique_ptr<FileSystem> makePlatformFileSystem();

}  // namespace kx
