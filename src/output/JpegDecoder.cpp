// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegDecoder.h"

#include "HugePages.h"

#include <QColorSpace>
#include <QTransform>
#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <cstdlib>
#include <jpeglib.h>

namespace {

// libjpeg's error manager, with where a failure goes back to.
struct Errors {
    jpeg_error_mgr manager; // first: libjpeg hands back its address as the whole's
    std::jmp_buf escape;
};

[[noreturn]] void escape(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<Errors*>(info->err)->escape, 1);
}

// Warnings (a damaged or truncated file) say nothing: what was decoded is kept, as Qt keeps it.
void keepQuiet(j_common_ptr, int) {}

enum class Header { Read, NotOurs, Failed };

// The reductions decoded, in eighths a side: those libjpeg-turbo does with SIMD. The others
// (3/8, 5/8…) go through plain C: 3/8 of a 24-megapixel photo takes longer than 4/8 and, once
// resampled to its place, is further from the photo; 5/8 to 7/8 take longer than the whole.
constexpr int scales[] = {1, 2, 4, 8};

// Room for libjpeg's own buffers beyond a progressive file's coefficients.
constexpr long bufferSlack = 64L << 20;

// The two functions below make every libjpeg call that may fail. A failure jumps back to the
// start of the one that was running, so they hold nothing that has a destructor.

// Reads the header of `bytes` and sets the smallest of the scales (up to `mostEighths`) whose
// output covers `wanted`, in the file's own orientation, else the largest.
Header readHeader(jpeg_decompress_struct* info, Errors* errors, const unsigned char* bytes,
                  unsigned long size, int wantedWidth, int wantedHeight, int mostEighths,
                  JOCTET** icc, unsigned int* iccLength)
{
    if (setjmp(errors->escape))
        return Header::Failed;
    jpeg_create_decompress(info);
    jpeg_mem_src(info, bytes, size);
    jpeg_save_markers(info, JPEG_APP0 + 2, 0xFFFF); // the colour profile
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK)
        return Header::Failed;
    const bool colour =
        (info->jpeg_color_space == JCS_YCbCr || info->jpeg_color_space == JCS_RGB) &&
        info->num_components == 3;
    const bool grey = info->jpeg_color_space == JCS_GRAYSCALE && info->num_components == 1;
    if (!colour && !grey)
        return Header::NotOurs;
    info->out_color_space = JCS_EXT_BGRX;
    info->dct_method = JDCT_ISLOW;
    info->do_fancy_upsampling = TRUE;
    info->scale_denom = 8;
    for (const int eighths : scales) {
        if (eighths > mostEighths)
            break;
        info->scale_num = unsigned(eighths);
        jpeg_calc_output_dimensions(info);
        if (int(info->output_width) >= wantedWidth && int(info->output_height) >= wantedHeight)
            break;
    }
    // No more than a progressive file of this size needs (its coefficients, whole): a header
    // never makes libjpeg take more.
    long coefficients = 0;
    for (int i = 0; i < info->num_components; ++i) {
        const jpeg_component_info& component = info->comp_info[i];
        coefficients += long(component.width_in_blocks + unsigned(component.h_samp_factor)) *
                        long(component.height_in_blocks + unsigned(component.v_samp_factor)) *
                        long(DCTSIZE2 * sizeof(JCOEF));
    }
    info->mem->max_memory_to_use = coefficients + bufferSlack;
    jpeg_read_icc_profile(info, icc, iccLength);
    return Header::Read;
}

// Decodes the rows into `bits`, `bytesPerLine` apart.
bool readRows(jpeg_decompress_struct* info, Errors* errors, unsigned char* bits,
              qsizetype bytesPerLine)
{
    if (setjmp(errors->escape))
        return false;
    jpeg_start_decompress(info);
    JSAMPROW rows[16];
    while (info->output_scanline < info->output_height) {
        const JDIMENSION first = info->output_scanline;
        const JDIMENSION count = qMin<JDIMENSION>(16, info->output_height - first);
        for (JDIMENSION row = 0; row < count; ++row)
            rows[row] = bits + qsizetype(first + row) * bytesPerLine;
        if (jpeg_read_scanlines(info, rows, count) == 0)
            return false; // only a source that suspends gives none, which memory never does
    }
    return true;
}

// libjpeg's state and the profile it read, released however decoding ends.
struct Decompression {
    jpeg_decompress_struct info{};
    JOCTET* icc = nullptr;
    unsigned int iccLength = 0;

    Decompression() = default;
    Decompression(const Decompression&) = delete;
    Decompression& operator=(const Decompression&) = delete;
    ~Decompression()
    {
        jpeg_destroy_decompress(&info); // nothing to do when it was never created
        std::free(icc);                 // libjpeg allocates the profile with malloc
    }
};

} // namespace

std::optional<QImage> JpegDecoder::decode(QByteArrayView bytes, const QSize& atLeast,
                                          QImageIOHandler::Transformations shown, int mostEighths)
{
    const QSize wanted =
        shown & QImageIOHandler::TransformationRotate90 ? atLeast.transposed() : atLeast;
    Errors errors{};
    Decompression decompression;
    jpeg_decompress_struct* info = &decompression.info;
    info->err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = escape;
    errors.manager.emit_message = keepQuiet;
    switch (readHeader(info, &errors, reinterpret_cast<const unsigned char*>(bytes.data()),
                       static_cast<unsigned long>(bytes.size()), wanted.width(), wanted.height(),
                       qBound(1, mostEighths, 8), &decompression.icc, &decompression.iccLength)) {
    case Header::NotOurs:
        return std::nullopt;
    case Header::Failed:
        return QImage();
    case Header::Read:
        break;
    }
    QImage image(int(info->output_width), int(info->output_height), QImage::Format_RGB32);
    if (image.isNull())
        return QImage();
    HugePages::advise(image.bits(), image.sizeInBytes());
    if (!readRows(info, &errors, image.bits(), image.bytesPerLine()))
        return QImage();
    if (decompression.icc)
        image.setColorSpace(QColorSpace::fromIccProfile(QByteArray(
            reinterpret_cast<const char*>(decompression.icc), qsizetype(decompression.iccLength))));
    return oriented(image, shown);
}

QImage JpegDecoder::oriented(const QImage& image, QImageIOHandler::Transformations shown)
{
    // Qt's reading of the EXIF orientations: 2 mirrored, 3 both, 4 flipped, 5 flipped and
    // turned, 6 turned, 7 mirrored and turned, 8 turned three quarters.
    if (shown == QImageIOHandler::TransformationNone)
        return image;
    if (shown == QImageIOHandler::TransformationRotate270)
        return image.transformed(QTransform().rotate(270));
    QImage result = image.mirrored(shown & QImageIOHandler::TransformationMirror,
                                   shown & QImageIOHandler::TransformationFlip);
    if (shown & QImageIOHandler::TransformationRotate90)
        result = result.transformed(QTransform().rotate(90));
    return result;
}
