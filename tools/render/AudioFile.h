// Reading and writing audio files through libsndfile. Writing goes to a temporary file beside
// the target that is renamed into place only when complete, so a failed render never leaves a
// partial output behind.
#pragma once

#include <functional>
#include <string>

#include "tools/render/AudioBuffer.h"
#include "tools/render/RenderOptions.h"

namespace quivorant::render {

// Mono or stereo files only; false with *error naming the problem otherwise.
bool ReadAudioFile(const std::string& path, AudioBuffer* out, std::string* error);

// The container follows the file name: .aif/.aiff AIFF, .flac FLAC (PCM subtypes only), else WAV.
bool WriteAudioFile(const std::string& path, const AudioBuffer& audio, SampleSubtype subtype,
                    std::string* error);

// Writes a file through `write` (which fills the given temporary path) and renames it into place.
bool WriteAtomically(const std::string& path, std::string* error,
                     const std::function<bool(const std::string& tempPath, std::string* error)>& write);

}  // namespace quivorant::render
