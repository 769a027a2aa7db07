// Glyphs rendered by FreeType from the face that fontconfig matches for the font's name, sized
// the way GDI sizes fonts: a positive height is the whole cell (the face's Windows ascent plus
// descent), a negative one the em. Debian's fonts-liberation provides metric-compatible faces
// for Arial, Times New Roman and Courier New.
#include "raster/detail/FontDescription.h"
#include "raster/detail/GlyphSource.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <string>

namespace quivorant {
namespace detail {

namespace {

// One FreeType library for the process, made on first use and kept until unload.
std::mutex& LibraryLock() {
  static std::mutex lock;
  return lock;
}

// Released when the module unloads, after the last face: every glyph source holds a share, so
// the order in which the unload destroys the font cache and this does not matter.
struct FreeTypeLibrary {
  FreeTypeLibrary() {
    if (FT_Init_FreeType(&library) != 0) library = nullptr;
  }
  ~FreeTypeLibrary() {
    if (library != nullptr) FT_Done_FreeType(library);
  }
  FT_Library library = nullptr;
};

std::shared_ptr<FreeTypeLibrary> Library() {
  static const std::shared_ptr<FreeTypeLibrary> library = std::make_shared<FreeTypeLibrary>();
  return library;
}

// Our own fontconfig configuration rather than the library's global one, so that it can be
// released when the library unloads.
struct FontConfiguration {
  FontConfiguration() : config(FcInitLoadConfigAndFonts()) {}
  ~FontConfiguration() {
    if (config != nullptr) FcConfigDestroy(config);
  }
  FcConfig* config;
};

bool MatchFace(const FontDescription& d, std::string* file, int* index) {
  static FontConfiguration configuration;
  static std::mutex matchLock;
  std::lock_guard<std::mutex> hold(matchLock);
  FcConfig* config = configuration.config;
  if (config == nullptr) return false;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return false;
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(d.faceName));
  FcPatternAddInteger(pattern, FC_WEIGHT, d.weight >= 600 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern, FC_SLANT, d.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  if (match == nullptr) return false;
  FcChar8* path = nullptr;
  int faceIndex = 0;
  const bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path != nullptr;
  if (found) {
    *file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match, FC_INDEX, 0, &faceIndex) != FcResultMatch) faceIndex = 0;
    *index = faceIndex;
  }
  FcPatternDestroy(match);
  return found;
}

class FreeTypeGlyphSource : public GlyphSource {
public:
  ~FreeTypeGlyphSource() override {
    std::lock_guard<std::mutex> hold(LibraryLock());
    if (face_ != nullptr) FT_Done_Face(face_);
    face_ = nullptr;
    library_.reset();
  }

  bool Open(const FontDescription& d) {
    std::string file;
    int index = 0;
    if (!MatchFace(d, &file, &index)) return false;
    std::lock_guard<std::mutex> hold(LibraryLock());
    library_ = Library();
    if (library_->library == nullptr || FT_New_Face(library_->library, file.c_str(), index, &face_) != 0) {
      face_ = nullptr;
      return false;
    }
    double ascent = face_->ascender, descent = -static_cast<double>(face_->descender);
    if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2))) {
      if (os2->usWinAscent + os2->usWinDescent > 0) ascent = os2->usWinAscent, descent = os2->usWinDescent;
    }
    const double units = face_->units_per_EM > 0 ? face_->units_per_EM : ascent + descent;
    if (d.height == 0 || ascent + descent <= 0 || units <= 0) return false;
    const double em = d.height > 0 ? d.height * units / (ascent + descent) : -static_cast<double>(d.height);
    if (FT_Set_Char_Size(face_, 0, static_cast<FT_F26Dot6>(std::lround(em * 64.0)), 72, 72) != 0) return false;
    const double scale = em / units;
    lineHeight_ = static_cast<int>(std::lround((ascent + descent) * scale));
    baseline_ = static_cast<int>(std::lround(ascent * scale));
    mono_ = d.quality == 3;  // non-antialiased, as GDI's quality value
    return lineHeight_ > 0;
  }

  int LineHeight() const override { return lineHeight_; }

  bool Render(std::uint32_t code, Glyph* out) override {
    *out = Glyph{};
    std::lock_guard<std::mutex> hold(LibraryLock());
    const FT_Int32 load = FT_LOAD_RENDER | (mono_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
    if (FT_Load_Char(face_, code, load) != 0) return false;
    const FT_GlyphSlot slot = face_->glyph;
    out->advance = static_cast<int>((slot->advance.x + 32) >> 6);
    const FT_Bitmap& bm = slot->bitmap;
    if (bm.width == 0 || bm.rows == 0 || bm.buffer == nullptr) return true;
    if (bm.pixel_mode != FT_PIXEL_MODE_GRAY && bm.pixel_mode != FT_PIXEL_MODE_MONO) return false;
    out->left = slot->bitmap_left;
    out->top = baseline_ - slot->bitmap_top;
    out->width = static_cast<int>(bm.width);
    out->height = static_cast<int>(bm.rows);
    out->coverage.resize(static_cast<std::size_t>(out->width) * out->height);
    for (int y = 0; y < out->height; ++y) {
      const unsigned char* row = bm.buffer + static_cast<long>(y) * bm.pitch;
      std::uint8_t* cov = out->coverage.data() + static_cast<std::size_t>(y) * out->width;
      for (int x = 0; x < out->width; ++x) {
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
          cov[x] = (row[x >> 3] & (0x80 >> (x & 7))) != 0 ? 255 : 0;
        } else {
          // Grey bitmaps may use fewer than 256 levels.
          const int levels = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
          cov[x] = static_cast<std::uint8_t>(std::min(255, row[x] * 255 / levels));
        }
      }
    }
    return true;
  }

private:
  std::shared_ptr<FreeTypeLibrary> library_;
  FT_Face face_ = nullptr;
  int lineHeight_ = 0;
  int baseline_ = 0;
  bool mono_ = false;
};

}  // namespace

std::unique_ptr<GlyphSource> GlyphSource::Create(RasterFontHandle handle) {
  if (handle == nullptr) return nullptr;
  auto source = std::make_unique<FreeTypeGlyphSource>();
  if (!source->Open(*static_cast<const FontDescription*>(handle))) return nullptr;
  return source;
}

}  // namespace detail
}  // namespace quivorant
