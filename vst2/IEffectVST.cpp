#include "vst2/IEffectVST.h"

#include <cstring>

#include "plug/HostIdentification.h"
#include "vst2/VstEntryPoints.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {
namespace {

constexpr int kChunkGrowthBytes = 4096;
constexpr int kInitialBlockSize = 1024;

EffectIdentity WithVst2Api(const EffectIdentity& identity) {
  EffectIdentity copy = identity;
  copy.hostApi = kHostApiVst2;
  return copy;
}

}  // namespace

IEffectVST::IEffectVST(const EffectIdentity& identity, HostInstanceInfo callback)
    : IEffectBase(WithVst2Api(identity)),
      hostCallback(callback),
      programChunk(kChunkGrowthBytes),
      bankChunk(kChunkGrowthBytes),
      incomingChunk(kChunkGrowthBytes) {
  std::memset(&effectRecord, 0, sizeof effectRecord);
  effectRecord.magic = kEffectMagic;
  VstEntryPoints::Install(effectRecord);
  effectRecord.numPrograms = PresetCount();
  effectRecord.numParams = ParamCount();
  effectRecord.numInputs = InputChannelCount();
  effectRecord.numOutputs = OutputChannelCount();
  effectRecord.flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
  if (DoesStateChunks()) effectRecord.flags |= effFlagsProgramChunks;
  if (IsLegalIO(1, -1)) effectRecord.flags |= effFlagsCanMono;
  if (IsInstrument()) effectRecord.flags |= effFlagsIsSynth;
  effectRecord.initialDelay = Latency();
  effectRecord.ioRatio = 1.0f;
  effectRecord.object = this;
  effectRecord.uniqueID = UniqueId();
  effectRecord.version = EffectVersion(true);

  FillArrangement(inputArrangement, InputChannelCount());
  FillArrangement(outputArrangement, OutputChannelCount());
  editorRect = ERect{};

  SetInputConnections(0, InputChannelCount(), true);
  SetOutputConnections(0, OutputChannelCount(), true);
  SetBlockSize(kInitialBlockSize);
}

IEffectVST::~IEffectVST() {
  // The core is torn down after this; make sure a stale record is never taken for ours.
  effectRecord.object = nullptr;
  effectRecord.magic = 0;
}

IEffectVST* IEffectVST::FromRecord(AEffect* effect) {
  if (effect == nullptr || effect->magic != kEffectMagic) return nullptr;
  return static_cast<IEffectVST*>(effect->object);
}

void IEffectVST::Close(IEffectVST* instance) {
  {
    InstanceLock::Scope hold(instance->GetLock());
    // The window goes while the whole instance still exists: a wheel gesture it holds open
    // ends toward the host, and the effect sees EditorClosing before it is torn down.
    instance->CloseEditor();
    instance->BeforeClose();
  }
  // The lock is released before the instance (and with it the lock) goes away.
  delete instance;
}

void IEffectVST::FillArrangement(VstSpeakerArrangement& arrangement, int channels) {
  std::memset(&arrangement, 0, sizeof arrangement);
  switch (channels) {
    case 0:
      arrangement.type = kSpeakerArrEmpty;
      break;
    case 1:
      arrangement.type = kSpeakerArrMono;
      break;
    case 2:
      arrangement.type = kSpeakerArrStereo;
      break;
    default:
      arrangement.type = kSpeakerArrUserDefined;
      break;
  }
  arrangement.numChannels = channels;
}

void IEffectVST::UpdateEditorRect() {
  const IEditorConnection* editor = Editor();
  if (editor == nullptr) return;
  editorRect.top = 0;
  editorRect.left = 0;
  editorRect.bottom = static_cast<VstInt16>(editor->WindowHeight());
  editorRect.right = static_cast<VstInt16>(editor->WindowWidth());
}

void IEffectVST::AttachGraphics(IEditorConnection* editor) {
  if (editor == nullptr) return;
  IEffectBase::AttachGraphics(editor);
  // Claimed only where the editor can open a window: a host that sees the flag offers an
  // editor, and one that can never open leaves the user an empty frame.
  if (editor->WindowType() != nullptr) effectRecord.flags |= effFlagsHasEditor;
  UpdateEditorRect();
}

void IEffectVST::ResizeEditor(int, int) {
  if (Editor() == nullptr) return;
  UpdateEditorRect();
  // The editor's own size is the one to ask for. Hosts that cannot resize their frame answer 0;
  // they learn the size from effEditGetRect when they next open the editor.
  CallHost(audioMasterSizeWindow, editorRect.right, editorRect.bottom);
  EditorResized();
}

void IEffectVST::SetLatency(int samples) {
  effectRecord.initialDelay = samples;
  IEffectBase::SetLatency(samples);
}

void IEffectVST::HostSpecificInit() {
  if (hostSpecificInitDone) return;
  hostSpecificInitDone = true;
  switch (HostCode()) {
    case kHostForte:
    case kHostAudition:
    case kHostOrion:
    case kHostSawStudio:
      // These hosts mishandle more than two channels per direction.
      LimitToStereoIO();
      break;
    default:
      break;
  }
  effectRecord.numInputs = InputChannelCount();
  inputArrangement.numChannels = InputChannelCount();
  effectRecord.numOutputs = OutputChannelCount();
  outputArrangement.numChannels = OutputChannelCount();
}

}  // namespace quivorant
