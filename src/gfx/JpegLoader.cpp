#include "gfx/JpegLoader.h"

#include <QtEndian>

#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <jpeglib.h>
#include <jerror.h>

#ifndef JCS_EXTENSIONS
#error "The JPEG loader needs libjpeg-turbo's extended colour spaces"
#endif

namespace pvstim::gfx {

namespace {

const char kTooLarge[] = "JPEG image is too large";
const char kTooManyScans[] = "JPEG image has too many scans";

// Real encoders write a few dozen scans at most; each scan of a progressive file
// costs a pass over the blocks it covers, so a file made of hundreds is refused
// whatever its size. The block budget of PictureLimits bounds the passes in total.
constexpr int kMaxScans = 500;

// A file of several scans keeps every block's 64 two-byte coefficients until the
// last scan has been read.
constexpr qint64 kCoefficientBytesPerBlock = 64 * 2;

// Lets libjpeg write Format_RGB32 pixels straight into the image's rows.
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

// Everything one decode needs across a longjmp out of libjpeg. Plain data only: the
// jump skips no destructor.
struct Session {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    // The rows decoded so far. The buffer grows as rows arrive, so that a file whose
    // data ends long before its claimed size never gets memory for that size.
    unsigned char* pixels;
    std::size_t bytesPerLine;
    std::size_t capacityRows;
    // Blocks the decoder has been given to visit so far, and how many it may.
    qint64 blocks;
    qint64 blockBudget;
    int countedScan;
    // Bytes taken by the file, the coefficients and the rows reserved so far (not
    // counting the rows), and how many the picture may take.
    qint64 memory;
    qint64 memoryBudget;
};

Session& sessionOf(j_common_ptr cinfo)
{
    return *static_cast<Session*>(cinfo->client_data);
}

[[noreturn]] void failWith(Session& session, const char* text)
{
    qstrncpy(session.message, text, sizeof session.message);
    std::longjmp(session.jump, 1);
}

[[noreturn]] void onError(j_common_ptr cinfo)
{
    Session& session = sessionOf(cinfo);
    // The working memory cap of libjpeg shows as a request for disk space.
    if (cinfo->err->msg_code == JERR_NO_BACKING_STORE)
        failWith(session, kTooLarge);
    (*cinfo->err->format_message)(cinfo, session.message);
    std::longjmp(session.jump, 1);
}

// libjpeg reports damaged data as warnings and goes on with grey or garbled
// pixels; those warnings refuse the picture. Harmless ones are ignored.
bool damagesPicture(int messageCode)
{
    switch (messageCode) {
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_JPEG_EOF:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
#if defined(C_ARITH_CODING_SUPPORTED) || defined(D_ARITH_CODING_SUPPORTED) || JPEG_LIB_VERSION >= 70
    case JWRN_ARITH_BAD_CODE:
#endif
        return true;
    default:
        return false;
    }
}

void onMessage(j_common_ptr cinfo, int level)
{
    // Level -1 is a warning; higher levels are trace output.
    if (level < 0 && damagesPicture(cinfo->err->msg_code))
        onError(cinfo);
}

qint64 blocksOf(const jpeg_component_info& component)
{
    return qint64(component.width_in_blocks) * component.height_in_blocks;
}

// libjpeg calls this before each row of blocks it reads, and so once a new scan's
// header is known and before any of its blocks are decoded.
void onProgress(j_common_ptr common)
{
    const auto cinfo = reinterpret_cast<j_decompress_ptr>(common);
    Session& session = sessionOf(common);
    if (cinfo->input_scan_number > kMaxScans)
        failWith(session, kTooManyScans);
    if (cinfo->input_scan_number == session.countedScan)
        return;
    session.countedScan = cinfo->input_scan_number;
    for (int i = 0; i < cinfo->comps_in_scan; ++i)
        session.blocks += blocksOf(*cinfo->cur_comp_info[i]);
    if (session.blocks > session.blockBudget)
        failWith(session, kTooManyScans);
}

// Checks what the picture at its output size will cost against the limits, before
// libjpeg allocates anything for it, and charges the output pass to the block budget.
void checkCost(Session& session, std::size_t fileBytes, const PictureLimits& limits)
{
    j_decompress_ptr cinfo = &session.cinfo;
    jpeg_calc_output_dimensions(cinfo);
    qint64 blocks = 0;
    for (int i = 0; i < cinfo->num_components; ++i)
        blocks += blocksOf(cinfo->comp_info[i]);
    const qint64 coefficients = jpeg_has_multiple_scans(cinfo) ? blocks * kCoefficientBytesPerBlock : 0;
    session.memory = qint64(fileBytes) + coefficients;
    session.memoryBudget = limits.freeMemory + limits.memoryPerFileByte * qint64(fileBytes);
    if (session.memory > session.memoryBudget)
        failWith(session, kTooLarge);
    session.blockBudget = limits.blockBudget(qint64(fileBytes));
    session.blocks = blocks;
    if (session.blocks > session.blockBudget)
        failWith(session, kTooLarge);
}

// Enough for the coefficients of the largest admitted picture with four components
// at full resolution (two bytes each per pixel), which progressive files keep whole.
long workingMemoryCap(const PictureLimits& limits)
{
    const qint64 cap = limits.maxPixels * 4 * 2 + (qint64(64) << 20);
    return long(std::min<qint64>(cap, LONG_MAX));
}

unsigned char* rowAt(Session& session, JDIMENSION row)
{
    if (row >= session.capacityRows) {
        // Growth never reserves rows past the memory budget; a picture that needs
        // more is refused at the first row that does not fit.
        const qint64 affordableRows = (session.memoryBudget - session.memory) / qint64(session.bytesPerLine);
        if (qint64(row) >= affordableRows)
            failWith(session, kTooLarge);
        const std::size_t rows = std::min<std::size_t>({ std::max<std::size_t>(session.capacityRows * 2, 16),
            session.cinfo.output_height, std::size_t(affordableRows) });
        void* grown = std::realloc(session.pixels, rows * session.bytesPerLine);
        if (!grown) {
            session.cinfo.err->msg_code = JERR_OUT_OF_MEMORY;
            session.cinfo.err->msg_parm.i[0] = 0;
            onError(reinterpret_cast<j_common_ptr>(&session.cinfo));
        }
        session.pixels = static_cast<unsigned char*>(grown);
        session.capacityRows = rows;
    }
    return session.pixels + row * session.bytesPerLine;
}

// Adobe writes CMYK inverted and says so in its marker; other writers do not.
void cmykToRgb32(const JSAMPLE* cmyk, JDIMENSION width, bool inverted, unsigned char* out)
{
    auto* pixel = reinterpret_cast<QRgb*>(out);
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
        int c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        pixel[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

// The libjpeg part of a decode. On failure returns false with the reason in
// session.message; on success session.pixels holds output_height rows.
bool runDecoder(Session& session, const unsigned char* data, std::size_t size, QSize target,
    const PictureLimits& limits)
{
    j_decompress_ptr cinfo = &session.cinfo;
    cinfo->err = jpeg_std_error(&session.errors);
    session.errors.error_exit = onError;
    session.errors.emit_message = onMessage;
    cinfo->client_data = &session;
    if (setjmp(session.jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    jpeg_create_decompress(cinfo);
    cinfo->mem->max_memory_to_use = workingMemoryCap(limits);
    session.progress.progress_monitor = onProgress;
    cinfo->progress = &session.progress;
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);

    if (!limits.admits(cinfo->image_width, cinfo->image_height))
        failWith(session, kTooLarge);
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
    cinfo->scale_num = static_cast<unsigned>(
        jpegScaleFor(QSize(int(cinfo->image_width), int(cinfo->image_height)), target));
    cinfo->scale_denom = 8;
    checkCost(session, size, limits);

    jpeg_start_decompress(cinfo);
    session.bytesPerLine = std::size_t(cinfo->output_width) * 4;
    JSAMPARRAY cmykRow = cmyk
        ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
              cinfo->output_width * 4, 1)
        : nullptr;
    while (cinfo->output_scanline < cinfo->output_height) {
        unsigned char* out = rowAt(session, cinfo->output_scanline);
        JSAMPROW row = cmyk ? cmykRow[0] : out;
        // Reading from memory never suspends; no row means the data gave out.
        if (jpeg_read_scanlines(cinfo, &row, 1) != 1) {
            cinfo->err->msg_code = JWRN_JPEG_EOF;
            onError(reinterpret_cast<j_common_ptr>(cinfo));
        }
        if (cmyk)
            cmykToRgb32(row, cinfo->output_width, cinfo->saw_Adobe_marker, out);
    }
    jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}

}  // namespace

QSize jpegScaledSize(QSize full, int eighths)
{
    return QSize(int((qint64(full.width()) * eighths + 7) / 8), int((qint64(full.height()) * eighths + 7) / 8));
}

int jpegScaleFor(QSize full, QSize target)
{
    if (target.isEmpty() || full.isEmpty())
        return 8;
    const qint64 width = full.width();
    const qint64 height = full.height();
    const qint64 targetWidth = target.width();
    const qint64 targetHeight = target.height();
    for (int eighths = 1; eighths < 8; ++eighths) {
        const QSize scaled = jpegScaledSize(full, eighths);
        // The fitted picture measures width * f by height * f with
        // f = min(targetWidth / width, targetHeight / height); compared without rounding.
        const bool widthCovers = scaled.width() >= targetWidth || scaled.width() * height >= width * targetHeight;
        const bool heightCovers = scaled.height() >= targetHeight || scaled.height() * width >= height * targetWidth;
        if (widthCovers && heightCovers)
            return eighths;
    }
    return 8;
}

Result<QImage> decodeJpeg(const unsigned char* data, std::size_t size, QSize target, const PictureLimits& limits)
{
    static const unsigned char kNoData = 0;
    auto session = std::make_unique<Session>();  // zero-filled
    if (!runDecoder(*session, size ? data : &kNoData, size, target, limits)) {
        std::free(session->pixels);
        return Result<QImage>::failure(QString::fromLocal8Bit(session->message));
    }

    const JDIMENSION width = session->cinfo.output_width;
    const JDIMENSION height = session->cinfo.output_height;
    // Gives back what the last growth step reserved beyond the picture.
    void* pixels = std::realloc(session->pixels, std::size_t(height) * session->bytesPerLine);
    if (!pixels)
        pixels = session->pixels;
    QImage image(static_cast<uchar*>(pixels), int(width), int(height), qsizetype(session->bytesPerLine),
        QImage::Format_RGB32, [](void* buffer) { std::free(buffer); }, pixels);
    if (image.isNull()) {
        std::free(pixels);
        return Result<QImage>::failure(QString::fromLatin1(kTooLarge));
    }
    return image;
}

PictureLoadResult loadJpeg(const QString& path, QSize target, const PictureLimits& limits)
{
    const std::variant<QByteArray, LoadFailure> contents = readPictureFile(path, limits, QString::fromLatin1(kTooLarge));
    if (const auto* failure = std::get_if<LoadFailure>(&contents))
        return *failure;
    const QByteArray& bytes = std::get<QByteArray>(contents);
    return PictureLoadResult(decodeJpeg(reinterpret_cast<const uchar*>(bytes.constData()),
        std::size_t(bytes.size()), target, limits));
}

}  // namespace pvstim::gfx
