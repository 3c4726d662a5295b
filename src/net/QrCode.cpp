#include <qrencode.h>

#include "net/PhoneServer.h"

namespace kx {

std::vector<std::vector<bool>> qrModules(const std::string& text) {
    QRcode* code = QRcode_encodeString8bit(text.c_str(), 0, QR_ECLEVEL_M);
    if (!code) return {};
    std::vector<std::vector<bool>> rows;
    const int w = code->width;
    for (int y = 0; y < w; ++y) {
        std::vector<bool> row;
        for (int x = 0; x < w; ++x)
            row.push_back((code->data[y * w + x] & 1) != 0);
        rows.push_back(std::move(row));
    }
    QRcode_free(code);
    return rows;
}

}  // namespace kx
