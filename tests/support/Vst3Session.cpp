#include "tests/support/Vst3Session.h"

#include <algorithm>

#include "tests/support/Vst3Buses.h"

namespace quivorant::test {

const TUID& EffectClassId() {
#if COM_COMPATIBLE
  static const TUID cid = {'\x0D', '\xE7', '\xAE', '\xF2', '\xDE', '\x00', '\x4E', '\x4F',
                           'T',    'l',    'v',    'n',    'b',    '1',    'g',    'Q'};
#else
  static const TUID cid = {'\xF2', '\xAE', '\xE7', '\x0D', '\x00', '\xDE', '\x4F', '\x4E',
                           'T',    'l',    'v',    'n',    'b',    '1',    'g',    'Q'};
#endif
  return cid;
}

namespace {
template <class I>
I* Query(FUnknown* unknown) {
  void* obj = nullptr;
  if (unknown == nullptr || unknown->queryInterface(I::iid, &obj) != kResultOk) return nullptr;
  return static_cast<I*>(obj);
}
}  // namespace

PluginSession::PluginSession(IPluginFactory* factory, FUnknown* context) {
  void* obj = nullptr;
  if (factory == nullptr || factory->createInstance(EffectClassId(), IComponent::iid, &obj) != kResultOk) return;
  component = static_cast<IComponent*>(obj);
  processor = Query<IAudioProcessor>(component);
  controller = Query<IEditController>(component);
  units = Query<IUnitInfo>(component);
  if (context != nullptr) component->initialize(context);
}

PluginSession::~PluginSession() {
  if (component != nullptr) component->terminate();
  ReleaseAll();
}

uint32 PluginSession::ReleaseAll() {
  uint32 last = 0;
  for (FUnknown* i : {static_cast<FUnknown*>(units), static_cast<FUnknown*>(controller),
                      static_cast<FUnknown*>(processor), static_cast<FUnknown*>(component)})
    if (i != nullptr) last = i->release();
  units = nullptr;
  controller = nullptr;
  processor = nullptr;
  component = nullptr;
  return last;
}

tresult PluginSession::Prepare(int32 sampleSize, int32 maxBlock, double sampleRate) {
  component->activateBus(kAudio, kInput, 0, true);
  component->activateBus(kAudio, kOutput, 0, true);
  ProcessSetup setup{kRealtime, sampleSize, maxBlock, sampleRate};
  const tresult result = processor->setupProcessing(setup);
  component->setActive(true);
  return result;
}

template <class Sample>
StereoBlock<Sample>::StereoBlock(int n)
    : frames(n),
      in(2, std::vector<Sample>(static_cast<std::size_t>(n))),
      out(2, std::vector<Sample>(static_cast<std::size_t>(n))) {
  for (int c = 0; c < 2; ++c) {
    inPtr.push_back(in[c].data());
    outPtr.push_back(out[c].data());
  }
  BindStereoBuses(data, inBus, outBus, inPtr.data(), outPtr.data());
  data.numSamples = n;
}

template <class Sample>
void StereoBlock<Sample>::SetInput(int channel, const std::vector<double>& samples, int offset) {
  for (int i = 0; i < frames; ++i) in[channel][i] = static_cast<Sample>(samples[static_cast<std::size_t>(offset + i)]);
}

template <class Sample>
tresult StereoBlock<Sample>::Process(IAudioProcessor* processor, IParameterChanges* changes, ProcessContext* context) {
  data.inputParameterChanges = changes;
  data.processContext = context;
  return processor->process(data);
}

template struct StereoBlock<float>;
template struct StereoBlock<double>;

namespace {
template <class Sample>
std::vector<double> RunMonoAs(IAudioProcessor* processor, const std::vector<double>& input, int block,
                              IParameterChanges* firstChanges) {
  std::vector<double> output;
  const int total = static_cast<int>(input.size());
  for (int done = 0; done < total;) {
    const int n = std::min(block, total - done);
    StereoBlock<Sample> b(n);
    b.SetInput(0, input, done);
    b.SetInput(1, input, done);
    b.Process(processor, done == 0 ? firstChanges : nullptr);
    output.insert(output.end(), b.out[0].begin(), b.out[0].end());
    done += n;
  }
  return output;
}
}  // namespace

std::vector<double> RunMono(IAudioProcessor* processor, int32 sampleSize, const std::vector<double>& input, int block,
                            IParameterChanges* firstChanges) {
  return sampleSize == kSample64 ? RunMonoAs<double>(processor, input, block, firstChanges)
                                 : RunMonoAs<float>(processor, input, block, firstChanges);
}

}  // namespace quivorant::test
