#include "tools/render/AudioFile.h"

#include "tools/render/OutputFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace quivorant::render {

namespace {

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

int ContainerFor(const std::string& path) {
  const std::string ext = Lower(std::filesystem::path(path).extension().string());
  if (ext == ".aif" || ext == ".aiff") return SF_FORMAT_AIFF;
  if (ext == ".flac") return SF_FORMAT_FLAC;
  return SF_FORMAT_WAV;
}

int SubtypeFor(SampleSubtype subtype) {
  switch (subtype) {
    case SampleSubtype::kPcm16:
      return SF_FORMAT_PCM_16;
    case SampleSubtype::kPcm24:
      return SF_FORMAT_PCM_24;
    case SampleSubtype::kFloat:
      return SF_FORMAT_FLOAT;
    case SampleSubtype::kDouble:
      return SF_FORMAT_DOUBLE;
  }
  return SF_FORMAT_FLOAT;
}

constexpr sf_count_t kChunkFrames = 8192;

bool HasFlac() {
  int count = 0;
  sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
  for (int i = 0; i < count; ++i) {
    SF_FORMAT_INFO info{};
    info.format = i;
    const bool known = sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &info, sizeof info) == 0;
    if (known && info.format == SF_FORMAT_FLAC) return true;
  }
  return false;
}

// Why a file could not be opened for reading, in our words rather than the library's.
std::string WhyUnreadable(const std::string& path) {
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (!std::filesystem::exists(status)) return "cannot read input \"" + path + "\": no such file";
  if (std::filesystem::is_directory(status)) return "input \"" + path + "\" is a folder, not an audio file";
  return "input \"" + path + "\" is not a " + AudioFormatsText() + " file this tool can read";
}

}  // namespace

std::string AudioFormatsText() { return HasFlac() ? "WAV, AIFF or FLAC" : "WAV or AIFF"; }

bool ReadAudioFile(const std::string& path, AudioBuffer* out, std::string* error) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) {
    *error = WhyUnreadable(path);
    return false;
  }
  if (info.channels < 1 || info.channels > 2) {
    sf_close(file);
    *error =
        "input \"" + path + "\" has " + std::to_string(info.channels) + " channels; only mono and stereo are supported";
    return false;
  }
  if (info.samplerate < kMinSampleRateHz || info.samplerate > kMaxSampleRateHz) {
    sf_close(file);
    *error = "input \"" + path + "\" plays at " + std::to_string(info.samplerate) +
             " Hz; only 8000 to 384000 Hz are supported";
    return false;
  }
  AudioBuffer audio;
  audio.sampleRateHz = info.samplerate;
  audio.channels.assign(static_cast<size_t>(info.channels), {});
  std::vector<double> interleaved(static_cast<size_t>(kChunkFrames * info.channels));
  for (;;) {
    const sf_count_t got = sf_readf_double(file, interleaved.data(), kChunkFrames);
    if (got <= 0) break;
    for (sf_count_t f = 0; f < got; ++f) {
      for (int c = 0; c < info.channels; ++c) {
        audio.channels[static_cast<size_t>(c)].push_back(interleaved[static_cast<size_t>(f * info.channels + c)]);
      }
    }
  }
  const int status = sf_error(file);
  sf_close(file);
  if (status != SF_ERR_NO_ERROR) {
    *error = "input \"" + path + "\" could not be read completely";
    return false;
  }
  *out = std::move(audio);
  return true;
}

bool WriteAudioFile(const std::string& path, const AudioBuffer& audio, SampleSubtype subtype, std::string* error) {
  const int container = ContainerFor(path);
  if (container == SF_FORMAT_FLAC && !HasFlac()) {
    *error = "this build writes no FLAC; name the output .wav or .aiff";
    return false;
  }
  if (container == SF_FORMAT_FLAC && (subtype == SampleSubtype::kFloat || subtype == SampleSubtype::kDouble)) {
    *error = "FLAC output needs --subtype pcm16 or pcm24";
    return false;
  }
  return WriteOutputFile(path, error, [&](const std::string& tempPath, std::string* err) {
    SF_INFO info{};
    info.samplerate = static_cast<int>(audio.sampleRateHz + 0.5);
    info.channels = audio.ChannelCount();
    info.format = container | SubtypeFor(subtype);
    if (!sf_format_check(&info)) {
      *err = "output format not supported for \"" + path + "\"";
      return false;
    }
    SNDFILE* file = sf_open(tempPath.c_str(), SFM_WRITE, &info);
    if (!file) {
      *err = "cannot write output \"" + path + "\"";
      return false;
    }
    // Integer subtypes: clip rather than wrap samples beyond full scale.
    sf_command(file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    const size_t frames = audio.Frames();
    const int channels = audio.ChannelCount();
    std::vector<double> interleaved(static_cast<size_t>(kChunkFrames) * static_cast<size_t>(channels));
    bool ok = true;
    for (size_t start = 0; start < frames && ok; start += kChunkFrames) {
      const size_t count = std::min<size_t>(kChunkFrames, frames - start);
      for (size_t f = 0; f < count; ++f) {
        for (int c = 0; c < channels; ++c) {
          interleaved[f * static_cast<size_t>(channels) + static_cast<size_t>(c)] =
              audio.channels[static_cast<size_t>(c)][start + f];
        }
      }
      ok = sf_writef_double(file, interleaved.data(), static_cast<sf_count_t>(count)) == static_cast<sf_count_t>(count);
    }
    if (sf_close(file) != 0) ok = false;
    if (!ok) *err = "writing output \"" + path + "\" failed";
    return ok;
  });
}

}  // namespace quivorant::render
