// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the PCX decoder. Any crash, over-read, undefined
// behaviour or a picture larger than the decoder's limits is a finding.
#include "platform/Pictures.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QImage image = Pictures::decodePcx(bytes);
    if (image.isNull())
        return 0;
    const qint64 pixels = qint64(image.width()) * image.height();
    if (image.width() > 16384 || image.height() > 16384 || pixels > 64ll * 1024 * 1024)
        std::abort();
    // Read every pixel: an image whose memory is smaller than its size claims
    // shows up as a heap overflow here.
    std::uint32_t sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const std::uint32_t *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            sum += row[x];
    }
    static volatile std::uint32_t sink;
    sink = sum;
    return 0;
}
