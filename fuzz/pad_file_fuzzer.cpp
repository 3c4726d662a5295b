// Feeds arbitrary bytes to the pad file reader. Whatever the bytes, reading
// must not crash or read out of bounds; a file it accepts must load into the
// program, and the pad written back from it must be accepted again.
#include <cstdint>
#include <cstdlib>

#include "core/Program.h"
#include "io/PadFile.h"
#include "io/TextExport.h"
#include "view/MainWindow.h"

namespace {

kx::Program& program() {
    static kx::Program* p = [] {
        auto* fresh = new kx::Program;
        kx::initProgram(*fresh, "");
        kx::frm0_Load(*fresh, kx::ScreenMetrics{});
        return fresh;
    }();
    return *p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kx::Bytes bytes(data, data + size);
    const kx::DecodeResult decoded = kx::decodePadFile(bytes);
    if (!decoded.image) return 0;
    kx::Program& p = program();
    kx::applyPadImage(p, *decoded.image);
    (void)kx::exportBytes(p);
    if (!kx::decodePadFile(kx::encodePadFile(p)).image) std::abort();
    return 0;
}
