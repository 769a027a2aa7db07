// Opcode numbers of both directions: the dispatcher (host to plug-in) and the host callback
// (plug-in to host). Deprecated numbers stay reserved and keep their names.
#pragma once

#include "vst2/abi/VstBase.h"

enum AEffectOpcodes : VstInt32 {
  effOpen = 0,
  effClose,
  effSetProgram,
  effGetProgram,
  effSetProgramName,
  effGetProgramName,
  effGetParamLabel,
  effGetParamDisplay,
  effGetParamName,
  effGetVu,  // deprecated
  effSetSampleRate,
  effSetBlockSize,
  effMainsChanged,
  effEditGetRect,
  effEditOpen,
  effEditClose,
  effEditDraw,   // deprecated
  effEditMouse,  // deprecated
  effEditKey,    // deprecated
  effEditIdle,
  effEditTop,    // deprecated
  effEditSleep,  // deprecated
  effIdentify,   // deprecated
  effGetChunk,
  effSetChunk,
  effProcessEvents,
  effCanBeAutomated,
  effString2Parameter,
  effGetNumProgramCategories,  // deprecated
  effGetProgramNameIndexed,
  effCopyProgram,    // deprecated
  effConnectInput,   // deprecated
  effConnectOutput,  // deprecated
  effGetInputProperties,
  effGetOutputProperties,
  effGetPlugCategory,
  effGetCurrentPosition,    // deprecated
  effGetDestinationBuffer,  // deprecated
  effOfflineNotify,
  effOfflinePrepare,
  effOfflineRun,
  effProcessVarIo,
  effSetSpeakerArrangement,
  effSetBlockSizeAndSampleRate,  // deprecated
  effSetBypass,
  effGetEffectName,
  effGetErrorText,  // deprecated
  effGetVendorString,
  effGetProductString,
  effGetVendorVersion,
  effVendorSpecific,
  effCanDo,
  effGetTailSize,
  effIdle,             // deprecated
  effGetIcon,          // deprecated
  effSetViewPosition,  // deprecated
  effGetParameterProperties,
  effKeysRequired,  // deprecated
  effGetVstVersion,
  effEditKeyDown,
  effEditKeyUp,
  effSetEditKnobMode,
  effGetMidiProgramName,
  effGetCurrentMidiProgram,
  effGetMidiProgramCategory,
  effHasMidiProgramsChanged,
  effGetMidiKeyName,
  effBeginSetProgram,
  effEndSetProgram,
  effGetSpeakerArrangement,
  effShellGetNextPlugin,
  effStartProcess,
  effStopProcess,
  effSetTotalSampleToProcess,
  effSetPanLaw,
  effBeginLoadBank,
  effBeginLoadProgram,
  effSetProcessPrecision,
  effGetNumMidiInputChannels,
  effGetNumMidiOutputChannels,
};

static_assert(effEditIdle == 19 && effIdentify == 22 && effGetChunk == 23, "dispatcher opcodes");
static_assert(effGetProgramNameIndexed == 29 && effGetInputProperties == 33, "dispatcher opcodes");
static_assert(effSetSpeakerArrangement == 42 && effSetBypass == 44 && effVendorSpecific == 50, "dispatcher opcodes");
static_assert(effCanDo == 51 && effIdle == 53 && effGetVstVersion == 58, "dispatcher opcodes");
static_assert(effGetMidiKeyName == 66 && effGetSpeakerArrangement == 69 && effStopProcess == 72, "dispatcher opcodes");
static_assert(effGetNumMidiOutputChannels == 79, "dispatcher opcodes");

enum AudioMasterOpcodes : VstInt32 {
  audioMasterAutomate = 0,
  audioMasterVersion,
  audioMasterCurrentId,
  audioMasterIdle,
  audioMasterPinConnected,  // deprecated
  // 5 is unused
  audioMasterWantMidi = 6,  // deprecated
  audioMasterGetTime,
  audioMasterProcessEvents,
  audioMasterSetTime,                      // deprecated
  audioMasterTempoAt,                      // deprecated
  audioMasterGetNumAutomatableParameters,  // deprecated
  audioMasterGetParameterQuantization,     // deprecated
  audioMasterIOChanged,
  audioMasterNeedIdle,  // deprecated
  audioMasterSizeWindow,
  audioMasterGetSampleRate,
  audioMasterGetBlockSize,
  audioMasterGetInputLatency,
  audioMasterGetOutputLatency,
  audioMasterGetPreviousPlug,          // deprecated
  audioMasterGetNextPlug,              // deprecated
  audioMasterWillReplaceOrAccumulate,  // deprecated
  audioMasterGetCurrentProcessLevel,
  audioMasterGetAutomationState,
  audioMasterOfflineStart,
  audioMasterOfflineRead,
  audioMasterOfflineWrite,
  audioMasterOfflineGetCurrentPass,
  audioMasterOfflineGetCurrentMetaPass,
  audioMasterSetOutputSampleRate,          // deprecated
  audioMasterGetOutputSpeakerArrangement,  // deprecated
  audioMasterGetVendorString,
  audioMasterGetProductString,
  audioMasterGetVendorVersion,
  audioMasterVendorSpecific,
  audioMasterSetIcon,  // deprecated
  audioMasterCanDo,
  audioMasterGetLanguage,
  audioMasterOpenWindow,   // deprecated
  audioMasterCloseWindow,  // deprecated
  audioMasterGetDirectory,
  audioMasterUpdateDisplay,
  audioMasterBeginEdit,
  audioMasterEndEdit,
  audioMasterOpenFileSelector,
  audioMasterCloseFileSelector,
  audioMasterEditFile,                    // deprecated
  audioMasterGetChunkFile,                // deprecated
  audioMasterGetInputSpeakerArrangement,  // deprecated
};

static_assert(audioMasterGetTime == 7 && audioMasterProcessEvents == 8, "host opcodes");
static_assert(audioMasterIOChanged == 13 && audioMasterSizeWindow == 15, "host opcodes");
static_assert(audioMasterGetProductString == 33 && audioMasterGetVendorVersion == 34, "host opcodes");
static_assert(audioMasterUpdateDisplay == 42 && audioMasterBeginEdit == 43 && audioMasterEndEdit == 44, "host opcodes");
static_assert(audioMasterGetInputSpeakerArrangement == 49, "host opcodes");
