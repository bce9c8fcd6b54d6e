#include "app/JpegDecoder.h"

#include <cstdio>  // jpeglib.h uses FILE and size_t without including their headers
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <QFile>

namespace {

QByteArray ReadResource(const char* name) {
    QFile file(QStringLiteral(VELLORAN_RESOURCE_DIR "/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot open " << file.fileName().toStdString();
        return {};
    }
    return file.readAll();
}

// Encodes a picture with libjpeg's compressor, so the tests can make exactly the kind of
// JPEG they need. pixel(x, y, sample) gives one sample per component.
struct EncoderSettings {
    int width = 16;
    int height = 8;
    int components = 3;  // 1 = greyscale, 3 = RGB
    bool progressive = false;
};

QByteArray EncodeJpeg(const EncoderSettings& settings,
                      const std::function<JSAMPLE(int x, int y, int component)>& pixel) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(settings.width);
    info.image_height = static_cast<JDIMENSION>(settings.height);
    info.input_components = settings.components;
    info.in_color_space = settings.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (settings.progressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(settings.width * settings.components));
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < settings.width; ++x) {
            for (int c = 0; c < settings.components; ++c) {
                row[static_cast<std::size_t>(x * settings.components + c)] = pixel(x, y, c);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray encoded(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);  // jpeg_mem_dest allocates with malloc
    return encoded;
}

// Left half pure red, right half pure blue: a decoder that swaps or drops channels shows it.
JSAMPLE RedLeftBlueRight(int x, int, int component) {
    const bool left = x < 8;
    if (component == 0) {
        return left ? 255 : 0;
    }
    return component == 2 && !left ? 255 : 0;
}

// Returns the error text so callers can check why the data was refused.
QString ExpectRejected(const QByteArray& data, const char* what) {
    QString error;
    const QImage image = DecodeJpeg(data, &error);
    EXPECT_TRUE(image.isNull()) << what;
    EXPECT_FALSE(error.isEmpty()) << what;
    EXPECT_TRUE(DecodeJpeg(data).isNull()) << what << " (without error text)";
    return error;
}

}  // namespace

TEST(JpegDecoder, DecodesShippedPistolPicture) {
    const QByteArray file = ReadResource("pistol.jpg");
    QString error = QStringLiteral("left over from an earlier call");
    const QImage image = DecodeJpeg(file, &error);

    ASSERT_FALSE(image.isNull()) << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.size(), QSize(144, 81));

    const QRgb corner = image.pixel(0, 0);
    EXPECT_GE(qRed(corner), 240);
    EXPECT_GE(qGreen(corner), 240);
    EXPECT_GE(qBlue(corner), 240);

    // The steel of the pistol fills the middle of the picture.
    bool darkPixelInMiddle = false;
    for (int y = 20; y < 60 && !darkPixelInMiddle; ++y) {
        for (int x = 40; x < 104 && !darkPixelInMiddle; ++x) {
            darkPixelInMiddle = qGray(image.pixel(x, y)) < 60;
        }
    }
    EXPECT_TRUE(darkPixelInMiddle);
}

TEST(JpegDecoder, ConvertsGreyscaleToEqualRgbChannels) {
    const EncoderSettings greyscale{.width = 16, .height = 8, .components = 1};
    const auto ramp = [](int x, int y, int) { return static_cast<JSAMPLE>(x * 16 + y); };
    const QImage image = DecodeJpeg(EncodeJpeg(greyscale, ramp));

    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(16, 8));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ASSERT_EQ(qRed(pixel), qGreen(pixel)) << x << "," << y;
            ASSERT_EQ(qRed(pixel), qBlue(pixel)) << x << "," << y;
            EXPECT_NEAR(qRed(pixel), x * 16 + y, 12) << x << "," << y;
        }
    }
}

TEST(JpegDecoder, KeepsColourChannelsApartInBaselineAndProgressive) {
    for (const bool progressive : {false, true}) {
        SCOPED_TRACE(progressive ? "progressive" : "baseline");
        const EncoderSettings colour{.width = 16, .height = 8, .progressive = progressive};
        const QImage image = DecodeJpeg(EncodeJpeg(colour, RedLeftBlueRight));

        ASSERT_FALSE(image.isNull());
        ASSERT_EQ(image.size(), QSize(16, 8));
        const QRgb red = image.pixel(2, 4);
        const QRgb blue = image.pixel(13, 4);
        EXPECT_GT(qRed(red), 200);
        EXPECT_LT(qGreen(red), 60);
        EXPECT_LT(qBlue(red), 60);
        EXPECT_LT(qRed(blue), 60);
        EXPECT_LT(qGreen(blue), 60);
        EXPECT_GT(qBlue(blue), 200);
    }
}

TEST(JpegDecoder, RejectsTruncatedData) {
    const QByteArray file = ReadResource("pistol.jpg");
    ASSERT_GT(file.size(), 200);
    ExpectRejected(file.left(file.size() / 2), "first half of the picture");
    ExpectRejected(file.left(file.size() / 2) + QByteArray("\xFF\xD9", 2),
                   "first half of the picture closed by an end-of-image marker");
    ExpectRejected(file.left(100), "header cut short");
    ExpectRejected(file.left(2), "start-of-image marker only");
}

TEST(JpegDecoder, RejectsEmptyAndGarbageData) {
    ExpectRejected(QByteArray(), "empty array");

    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray garbage(4096, '\0');
    for (char& value : garbage) {
        value = static_cast<char>(byte(random));
    }
    ExpectRejected(garbage, "random bytes");

    // Garbage behind a valid start-of-image marker reaches the marker parser.
    ExpectRejected(QByteArray("\xFF\xD8", 2) + garbage, "start-of-image marker and random bytes");
}

// The data behind the header would run out after one row anyway; the point is that the
// decoder refuses on the header alone instead of first reserving gigabytes for the image.
TEST(JpegDecoder, RefusesHugeDeclaredDimensionsBeforeDecoding) {
    QByteArray data = EncodeJpeg(EncoderSettings{}, RedLeftBlueRight);
    // Start of frame: FF C0, length (2), precision (1), height (2), width (2).
    const qsizetype frame = data.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GE(frame, 0);
    for (qsizetype offset = frame + 5; offset < frame + 9; offset += 2) {
        data[offset] = static_cast<char>(0xFF);  // 65500 = 0xFFDC, libjpeg's upper limit
        data[offset + 1] = static_cast<char>(0xDC);
    }
    const QString error = ExpectRejected(data, "65500 x 65500 pixels declared");
    EXPECT_TRUE(error.contains(QLatin1String("dimensions"))) << error.toStdString();
}
