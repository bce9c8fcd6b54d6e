#include "app/JpegDecoder.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h uses FILE and size_t without including their headers
#include <vector>

#include <jerror.h>  // warning codes
#include <jpeglib.h>

// libjpeg's default fatal-error handler calls exit(). Ours jumps back to the stage that
// started the failing libjpeg call instead; the message is kept for the caller.
struct JpegErrorHandler {
    jpeg_error_mgr manager;  // first member: libjpeg only knows &manager (as info->err)
    std::jmp_buf returnPoint;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] static void JumpToReturnPoint(j_common_ptr info) {
    auto* handler = reinterpret_cast<JpegErrorHandler*>(info->err);
    (*info->err->format_message)(info, handler->message);
    std::longjmp(handler->returnPoint, 1);
}

// When the data or an image segment ends early, libjpeg merely warns and pads the picture
// with grey. A half-drawn picture is worse than none, so those warnings fail the decoding;
// the other warnings are about harmless oddities and are ignored.
static void FailOnTruncation(j_common_ptr info, int level) {
    if (level >= 0) {
        return;  // trace messages
    }
    ++info->err->num_warnings;
    const int code = info->err->msg_code;
    if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
        JumpToReturnPoint(info);
    }
}

// Keeps libjpeg from printing to stderr.
static void DiscardMessage(j_common_ptr) {}

// The functions calling setjmp below hold no locals of their own and nothing between them
// and libjpeg has a destructor, so a jump out of libjpeg skips no cleanup and no variable
// whose value after the jump matters. Cleanup is the caller's job.

// Reads the header and starts decompressing to RGB (greyscale sources included).
static bool StartDecompress(jpeg_decompress_struct* info, JpegErrorHandler* handler,
                            const QByteArray& data) {
    if (setjmp(handler->returnPoint) != 0) {
        return false;
    }
    jpeg_create_decompress(info);
    jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(info, TRUE);
    info->out_color_space = JCS_RGB;
    jpeg_start_decompress(info);
    return true;
}

static bool CopyScanlines(jpeg_decompress_struct* info, JSAMPLE* rowBuffer, uchar* destination,
                          std::ptrdiff_t bytesPerLine) {
    JSAMPROW rows[1] = {rowBuffer};
    while (info->output_scanline < info->output_height) {
        QRgb* pixel = reinterpret_cast<QRgb*>(destination + info->output_scanline * bytesPerLine);
        // The memory source never suspends, so a short read can only mean broken input; it
        // must not turn into an endless loop.
        if (jpeg_read_scanlines(info, rows, 1) != 1) {
            return false;
        }
        const JSAMPLE* rgb = rowBuffer;
        for (JDIMENSION x = 0; x < info->output_width; ++x, rgb += info->output_components) {
            pixel[x] = qRgb(rgb[0], rgb[1], rgb[2]);
        }
    }
    return true;
}

static bool FinishDecompress(jpeg_decompress_struct* info, JpegErrorHandler* handler,
                             JSAMPLE* rowBuffer, uchar* destination, std::ptrdiff_t bytesPerLine) {
    if (setjmp(handler->returnPoint) != 0) {
        return false;
    }
    if (!CopyScanlines(info, rowBuffer, destination, bytesPerLine)) {
        return false;
    }
    jpeg_finish_decompress(info);
    return true;
}

// Releases libjpeg's memory on every way out of DecodeJpeg; safe even before
// jpeg_create_decompress has run because the struct starts zeroed.
struct DecompressGuard {
    jpeg_decompress_struct* info;
    ~DecompressGuard() { jpeg_destroy_decompress(info); }
};

static QImage Failure(const char* reason, QString* error) {
    if (error) {
        *error = QStringLiteral("Cannot decode JPEG: %1").arg(QString::fromLatin1(reason));
    }
    return {};
}

QImage DecodeJpeg(const QByteArray& data, QString* error) {
    // A damaged header can claim up to 65500 x 65500 pixels; refuse to allocate gigabytes for it.
    constexpr std::size_t maxImageBytes = std::size_t{256} << 20;

    JpegErrorHandler handler{};
    jpeg_decompress_struct info{};
    info.err = jpeg_std_error(&handler.manager);
    handler.manager.error_exit = JumpToReturnPoint;
    handler.manager.emit_message = FailOnTruncation;
    handler.manager.output_message = DiscardMessage;
    const DecompressGuard guard{&info};

    if (!StartDecompress(&info, &handler, data)) {
        return Failure(handler.message, error);
    }
    const std::size_t width = info.output_width;
    const std::size_t height = info.output_height;
    if (width * height * sizeof(QRgb) > maxImageBytes) {
        return Failure("image dimensions too large", error);
    }
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) {
        return Failure("out of memory", error);
    }
    std::vector<JSAMPLE> rowBuffer(width * static_cast<std::size_t>(info.output_components));
    if (!FinishDecompress(&info, &handler, rowBuffer.data(), image.bits(), image.bytesPerLine())) {
        return Failure(handler.message[0] != '\0' ? handler.message : "data ends early", error);
    }
    if (error) {
        error->clear();
    }
    return image;
}
