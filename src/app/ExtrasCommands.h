#pragma once

#include <string>

#include "io/Batch.h"

namespace kx {

class FileSystem;

// The window-less commands that draw: "--verlauf PAD PNG" and "--pdf PAD PDF".
// They draw offscreen, so no display is needed; the file is made in memory
// and written through replaceFile. Exit status as in io/Batch.h.
int chartCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
                 const BatchStreams& streams = {});
int pdfCommand(FileSystem& fs, const std::string& padFile, const std::string& target,
               const BatchStreams& streams = {});

}  // namespace kx
