#include "tools/render/AudioFile.h"

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
    case SampleSubtype::kPcm16: return SF_FORMAT_PCM_16;
    case SampleSubtype::kPcm24: return SF_FORMAT_PCM_24;
    case SampleSubtype::kFloat: return SF_FORMAT_FLOAT;
    case SampleSubtype::kDouble: return SF_FORMAT_DOUBLE;
  }
  return SF_FORMAT_FLOAT;
}

constexpr sf_count_t kChunkFrames = 8192;

}  // namespace

bool ReadAudioFile(const std::string& path, AudioBuffer* out, std::string* error) {
  SF_INFO info{};
  SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
  if (!file) {
    *error = "cannot read input \"" + path + "\": " + sf_strerror(nullptr);
    return false;
  }
  if (info.channels < 1 || info.channels > 2) {
    sf_close(file);
    *error = "input \"" + path + "\" has " + std::to_string(info.channels) +
             " channels; only mono and stereo are supported";
    return false;
  }
  if (info.samplerate <= 0) {
    sf_close(file);
    *error = "input \"" + path + "\" has no valid sample rate";
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

bool WriteAtomically(const std::string& path, std::string* error,
                     const std::function<bool(const std::string& tempPath, std::string* error)>& write) {
  const std::filesystem::path target(path);
  const std::filesystem::path temp =
      target.parent_path() / (".~" + target.filename().string() + ".partial");
  if (!write(temp.string(), error)) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return false;
  }
  std::error_code ec;
  std::filesystem::rename(temp, target, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    *error = "cannot create \"" + path + "\"";
    return false;
  }
  return true;
}

bool WriteAudioFile(const std::string& path, const AudioBuffer& audio, SampleSubtype subtype,
                    std::string* error) {
  const int container = ContainerFor(path);
  if (container == SF_FORMAT_FLAC && (subtype == SampleSubtype::kFloat || subtype == SampleSubtype::kDouble)) {
    *error = "FLAC output needs --subtype pcm16 or pcm24";
    return false;
  }
  return WriteAtomically(path, error, [&](const std::string& tempPath, std::string* err) {
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
      *err = "cannot write output \"" + path + "\": " + sf_strerror(nullptr);
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
      ok = sf_writef_double(file, interleaved.data(), static_cast<sf_count_t>(count)) ==
           static_cast<sf_count_t>(count);
    }
    if (sf_close(file) != 0) ok = false;
    if (!ok) *err = "writing output \"" + path + "\" failed";
    return ok;
  });
}

}  // namespace quivorant::render
