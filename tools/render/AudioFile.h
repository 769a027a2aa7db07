// Reading and writing audio files through libsndfile. Outputs go where OutputFile puts them, so
// a failed render never leaves a partial file behind.
#pragma once

#include <string>

#include "tools/render/AudioBuffer.h"
#include "tools/render/RenderOptions.h"

namespace quivorant::render {

// The containers this build's libsndfile reads and writes, as a person reads them ("WAV, AIFF
// or FLAC"); the Windows build has no FLAC.
std::string AudioFormatsText();

// Mono or stereo files at 8 to 384 kHz only; false with *error naming the problem otherwise.
bool ReadAudioFile(const std::string& path, AudioBuffer* out, std::string* error);

// The container follows the file name: .aif/.aiff AIFF, .flac FLAC (PCM subtypes only), else WAV.
bool WriteAudioFile(const std::string& path, const AudioBuffer& audio, SampleSubtype subtype, std::string* error);

}  // namespace quivorant::render
