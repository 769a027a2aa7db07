// What an effect implements to filter a host's single-precision buffers directly, converting
// inside its own loop: the core then hands it plain stereo float blocks instead of converting
// them into double scratch buffers and back. The result must be bit for bit the same as
// ProcessBlock on the widened samples, narrowed afterwards.
#pragma once

namespace quivorant {

class FloatBlockProcessor {
public:
  // Audio thread, instance lock held, only while the effect is ready. Two inputs and two
  // outputs of nFrames samples (nFrames > 0); an output may be the same buffer as an input, and
  // the host's inputs are left as they are.
  virtual void ProcessFloatBlock(const float* const* inputs, float* const* outputs, int nFrames) = 0;

protected:
  ~FloatBlockProcessor() = default;
};

}  // namespace quivorant
