// PNG decoding with libpng, from a bounded memory reader. libpng reports errors by longjmp, so
// the decoding step keeps all of its state in a plain record owned by the caller: after an error
// the caller frees what was made, in one place, and the reason is kept for diagnostics.
#include "raster/RasterPng.h"

#include "platform/ModuleResources.h"
#include "raster/RasterMemBitmap.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace quivorant {

namespace {

// Ancillary chunks (text, profiles) are not needed for drawing; a damaged length must not make
// libpng reserve more than this for one of them.
constexpr png_alloc_size_t kMaxChunkBytes = 4u * 1024u * 1024u;
// Files beyond this are not editor images; refusing them avoids reading gigabytes into memory.
constexpr long kMaxFileBytes = 256L * 1024L * 1024L;

thread_local char lastError[128] = "";

void RecordError(const char* reason) {
  std::snprintf(lastError, sizeof lastError, "%s", reason != nullptr ? reason : "unknown error");
}

struct DecodeJob {
  const unsigned char* data;
  std::size_t size;
  std::size_t position;
  png_structp png;
  png_infop info;
  RasterBitmap* dest;     // given by the caller, or none
  RasterBitmap* created;  // made here; deleted when decoding fails
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* job = static_cast<DecodeJob*>(png_get_io_ptr(png));
  if (count > job->size - job->position) png_error(png, "truncated data");
  std::memcpy(out, job->data + job->position, count);
  job->position += count;
}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  RecordError(message);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {
  // Recoverable damage (a bad ancillary chunk, say) is skipped silently: nothing is logged.
}

void ConvertRow(unsigned char* bytes, png_uint_32 width) {
  // A, R, G, B bytes -> (A << 24) | (R << 16) | (G << 8) | B, whatever the byte order.
  RasterPixel* pixels = reinterpret_cast<RasterPixel*>(bytes);
  for (png_uint_32 x = 0; x < width; ++x) {
    const unsigned char* p = bytes + 4 * x;
    pixels[x] = (static_cast<RasterPixel>(p[0]) << 24) | (static_cast<RasterPixel>(p[1]) << 16) |
                (static_cast<RasterPixel>(p[2]) << 8) | static_cast<RasterPixel>(p[3]);
  }
}

// Everything that libpng may leave by longjmp lives in *job; no local here needs cleaning up.
bool Decode(DecodeJob* job) {
  if (setjmp(png_jmpbuf(job->png))) return false;
  png_structp png = job->png;
  png_infop info = job->info;
  png_set_read_fn(png, job, ReadFromMemory);
  png_set_user_limits(png, kRasterPngMaxDimension, kRasterPngMaxDimension);
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_read_info(png, info);

  png_uint_32 width = 0, height = 0;
  int depth = 0, colour = 0, interlace = 0;
  png_get_IHDR(png, info, &width, &height, &depth, &colour, &interlace, nullptr, nullptr);
  if (static_cast<long long>(width) * height > kRasterPngMaxPixels) png_error(png, "image too large");

  bool hasAlpha = (colour & PNG_COLOR_MASK_ALPHA) != 0;
  if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colour == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) {
    png_set_tRNS_to_alpha(png);
    hasAlpha = true;
  }
  if (depth == 16) png_set_strip_16(png);
  if (depth < 8) png_set_packing(png);
  if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(png);
  if (hasAlpha) {
    png_set_swap_alpha(png);
  } else {
    png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
  }
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(width) * 4) {
    png_error(png, "unexpected row layout");
  }

  RasterBitmap* target = job->dest;
  if (target != nullptr) {
    target->SetSize(static_cast<int>(width), static_cast<int>(height));
  } else {
    target = job->created = new (std::nothrow) RasterMemBitmap(static_cast<int>(width), static_cast<int>(height), 4);
    if (target == nullptr) png_error(png, "out of memory");
  }
  if (target->Width() != static_cast<int>(width) || target->Height() != static_cast<int>(height) ||
      target->PixelData() == nullptr) {
    png_error(png, "no storage for the image");
  }

  RasterPixel* first = target->PixelData();
  const std::size_t span = static_cast<std::size_t>(target->RowSpan());
  for (int pass = 0; pass < passes; ++pass) {
    for (png_uint_32 y = 0; y < height; ++y) {
      png_read_row(png, reinterpret_cast<png_bytep>(first + y * span), nullptr);
    }
  }
  for (png_uint_32 y = 0; y < height; ++y) {
    ConvertRow(reinterpret_cast<unsigned char*>(first + y * span), width);
  }
  return true;
}

}  // namespace

const char* RasterPngLastError() { return lastError; }

RasterBitmap* RasterLoadPngMemory(const void* data, std::size_t size, RasterBitmap* dest) {
  if (data == nullptr || size < 8 || png_sig_cmp(static_cast<png_const_bytep>(data), 0, 8) != 0) {
    RecordError("not a PNG image");
    return nullptr;
  }
  DecodeJob job{static_cast<const unsigned char*>(data), size, 0, nullptr, nullptr, dest, nullptr};
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, OnError, OnWarning);
  if (job.png != nullptr) job.info = png_create_info_struct(job.png);
  if (job.png == nullptr || job.info == nullptr) {
    png_destroy_read_struct(job.png != nullptr ? &job.png : nullptr, nullptr, nullptr);
    RecordError("out of memory");
    return nullptr;
  }
  lastError[0] = '\0';
  const bool ok = Decode(&job);
  png_destroy_read_struct(&job.png, &job.info, nullptr);
  if (!ok) {
    delete job.created;
    return nullptr;
  }
  return job.created != nullptr ? job.created : job.dest;
}

RasterBitmap* RasterLoadPngResource(void* module, int id, RasterBitmap* dest) {
  ResourceBytes bytes{nullptr, 0};
  if (!FindResourceInModule(module, id, "PNG", &bytes) || bytes.size < 8) {
    RecordError("no such PNG resource");
    return nullptr;
  }
  return RasterLoadPngMemory(bytes.data, bytes.size, dest);
}

RasterBitmap* RasterLoadPngFile(const char* path, RasterBitmap* dest) {
  if (path == nullptr) {
    RecordError("no file name");
    return nullptr;
  }
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    RecordError("cannot open the file");
    return nullptr;
  }
  std::vector<unsigned char> bytes;
  long length = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) length = std::ftell(file);
  bool ok = length >= 0 && length <= kMaxFileBytes && std::fseek(file, 0, SEEK_SET) == 0;
  if (ok) {
    bytes.resize(static_cast<std::size_t>(length));
    ok = bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
  }
  std::fclose(file);
  if (!ok) {
    RecordError("cannot read the file");
    return nullptr;
  }
  return RasterLoadPngMemory(bytes.data(), bytes.size(), dest);
}

}  // namespace quivorant
