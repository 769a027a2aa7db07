// ---- host boundary -------------------------------------------------------------------------
// Every function here is called by the host with a record it got from us (or, if the host is
// broken, with anything). Each one checks the record, forwards to the instance, and never lets
// an exception out: a failure is the interface's own "nothing" answer.

#include "vst2/VstEntryPoints.h"

#include "vst2/IEffectVST.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant {
namespace {

VstIntPtr VSTCALLBACK DispatcherEntry(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                      float opt) noexcept {
  IEffectVST* instance = IEffectVST::FromRecord(effect);
  if (instance == nullptr) return 0;
  try {
    if (opcode == effClose) {
      IEffectVST::Close(instance);
      return 0;
    }
    return instance->Dispatch(opcode, index, value, ptr, opt);
  } catch (...) {
    return 0;
  }
}

void VSTCALLBACK ProcessEntry(AEffect* effect, float** inputs, float** outputs, VstInt32 nFrames) noexcept {
  IEffectVST* instance = IEffectVST::FromRecord(effect);
  if (instance == nullptr) return;
  try {
    instance->ProcessAccumulating(inputs, outputs, nFrames);
  } catch (...) {
  }
}

void VSTCALLBACK ProcessReplacingEntry(AEffect* effect, float** inputs, float** outputs, VstInt32 nFrames) noexcept {
  IEffectVST* instance = IEffectVST::FromRecord(effect);
  if (instance == nullptr) return;
  try {
    instance->ProcessReplacing(inputs, outputs, nFrames);
  } catch (...) {
  }
}

void VSTCALLBACK ProcessDoubleReplacingEntry(AEffect* effect, double** inputs, double** outputs,
                                             VstInt32 nFrames) noexcept {
  IEffectVST* instance = IEffectVST::FromRecord(effect);
  if (instance == nullptr) return;
  try {
    instance->ProcessDoubleReplacing(inputs, outputs, nFrames);
  } catch (...) {
  }
}

void VSTCALLBACK SetParameterEntry(AEffect* effect, VstInt32 index, float value) noexcept {
  IEffectVST* instance = IEffectVST::FromRecord(effect);
  if (instance == nullptr) return;
  try {
    instance->SetParameter(index, value);
  } catch (...) {
  }
}

float VSTCALLBACK GetParameterEntry(AEffect* effect, VstInt32 index) noexcept {
  IEffectVST* instance = IEffectVST::FromRecord(effect);
  if (instance == nullptr) return 0.0f;
  try {
    return instance->GetParameter(index);
  } catch (...) {
    return 0.0f;
  }
}

}  // namespace

void VstEntryPoints::Install(AEffect& record) {
  record.dispatcher = DispatcherEntry;
  record.process = ProcessEntry;
  record.setParameter = SetParameterEntry;
  record.getParameter = GetParameterEntry;
  record.processReplacing = ProcessReplacingEntry;
  record.processDoubleReplacing = ProcessDoubleReplacingEntry;
}

}  // namespace quivorant
