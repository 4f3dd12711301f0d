#include "platform/jpeg/jpeg_decoder.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

namespace platform::jpeg {
namespace {

// libjpeg ends the process on an error unless told otherwise: come back here instead.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf back;
};

[[noreturn]] void ReturnToCaller(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->back, 1);
}

void SilenceWarnings(j_common_ptr, int) {}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Kept free of objects with destructors between setjmp and the last libjpeg call.
bool Decode(std::FILE* file, std::vector<unsigned char>& rgb, int& width, int& height) {
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = ReturnToCaller;
    trap.manager.emit_message = SilenceWarnings;
    if (setjmp(trap.back)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = static_cast<int>(info.output_width);
    height = static_cast<int>(info.output_height);
    rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = rgb.data() + static_cast<std::size_t>(info.output_scanline) * width * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

bool LooksLikeJpeg(const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    unsigned char magic[2] = {};
    return file && std::fread(magic, 1, 2, file.get()) == 2 && magic[0] == 0xFF && magic[1] == 0xD8;
}

bool DecodeJpegFile(const std::string& path, common::Image& image) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    std::vector<unsigned char> rgb;
    int width = 0;
    int height = 0;
    if (!Decode(file.get(), rgb, width, height) || width <= 0 || height <= 0) return false;
    common::Image decoded(width, height);
    for (std::size_t i = 0; i < decoded.pixels.size(); ++i)
        decoded.pixels[i] = common::Rgb(rgb[i * 3], rgb[i * 3 + 1], rgb[i * 3 + 2]);
    image = std::move(decoded);
    return true;
}

}  // namespace platform::jpeg
