#pragma once

// Writes JPEG files with libjpeg for the loader tests, so that colour space, scan
// layout and coding are under the test's control.

#include <QByteArray>
#include <QImage>
#include <QList>

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace pvstim::gfx::test {

enum class JpegColour { Rgb, Grey, AdobeCmyk, PlainCmyk };

struct JpegOptions {
    JpegColour colour = JpegColour::Rgb;
    bool progressive = false;
    bool arithmetic = false;
    int quality = 95;
    QList<jpeg_scan_info> scans = {};   // a scan script of the test's own, if not empty
};

// `image` gives the colours; for CMYK each pixel's ink is derived from its RGB so
// that a correct decode gives the RGB back.
inline QByteArray encodeJpeg(const QImage& source, const JpegOptions& options = {})
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);

    const bool cmyk = options.colour == JpegColour::AdobeCmyk || options.colour == JpegColour::PlainCmyk;
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = options.colour == JpegColour::Grey ? 1 : cmyk ? 4 : 3;
    cinfo.in_color_space = options.colour == JpegColour::Grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (cmyk) {
        jpeg_set_colorspace(&cinfo, JCS_CMYK);
        cinfo.write_Adobe_marker = options.colour == JpegColour::AdobeCmyk;
    }
    // Full-resolution chroma, so that small test pictures keep their colours.
    for (int c = 0; c < cinfo.num_components; ++c)
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    cinfo.arith_code = options.arithmetic;
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    if (!options.scans.isEmpty()) {
        cinfo.scan_info = options.scans.constData();
        cinfo.num_scans = int(options.scans.size());
    }
    jpeg_start_compress(&cinfo, TRUE);

    QByteArray row(image.width() * cinfo.input_components, '\0');
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(int(cinfo.next_scanline)));
        auto* r = reinterpret_cast<unsigned char*>(row.data());
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = pixels[x];
            if (options.colour == JpegColour::Grey) {
                r[x] = JSAMPLE(qGray(p));
            } else if (cmyk) {
                // Ink amounts with no black; Adobe stores them inverted.
                const int ink[4] = { 255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p), 0 };
                for (int i = 0; i < 4; ++i)
                    r[4 * x + i] = JSAMPLE(options.colour == JpegColour::AdobeCmyk ? 255 - ink[i] : ink[i]);
            } else {
                r[3 * x] = JSAMPLE(qRed(p));
                r[3 * x + 1] = JSAMPLE(qGreen(p));
                r[3 * x + 2] = JSAMPLE(qBlue(p));
            }
        }
        JSAMPROW rows[1] = { r };
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray file(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    return file;
}

// A picture of four flat quadrants (red, green, blue, white), each a multiple of
// 16 pixels wide, so that JPEG keeps their colours within a few levels.
inline QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, y < height / 2 ? (x < width / 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                                : (x < width / 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
    return image;
}

}  // namespace pvstim::gfx::test
