// The effect record, the speaker arrangements and the instance's life from VSTPluginMain to
// effClose, for several identities.

#include <gtest/gtest.h>

#include <cstring>

#include "plug/HostIdentification.h"
#include "tests/support/Vst2Host.h"
#include "tests/vst2/frontend/TestEffect.h"
#include "vst2/abi/VstOpcodes.h"

namespace quivorant::test {
namespace {

AEffect* Create(const TestEffectSetup& setup) {
  SetNextSetup(setup);
  return CreatePlugin(RecordingHost::Callback);
}

TEST(Vst2Record, StereoEffectWithEditor) {
  RecordingHost host;
  AEffect* e = Create(TestEffectSetup{});
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_EQ(e->flags, 0x1019);
  EXPECT_EQ(e->numPrograms, 4);
  EXPECT_EQ(e->numParams, 3);
  EXPECT_EQ(e->numInputs, 2);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->initialDelay, 7);
  EXPECT_EQ(e->uniqueID, 0x54657374);
  EXPECT_EQ(e->version, 20304);
  EXPECT_EQ(e->ioRatio, 1.0f);
  EXPECT_EQ(e->resvd1, 0);
  EXPECT_EQ(e->resvd2, 0);
  EXPECT_EQ(e->user, nullptr);
  EXPECT_EQ(e->realQualities, 0);
  EXPECT_EQ(e->offQualities, 0);
  const char zeros[sizeof e->future] = {};
  EXPECT_EQ(std::memcmp(e->future, zeros, sizeof zeros), 0);
  EXPECT_NE(e->process, e->processReplacing);  // hosts pick replacing only when they differ
  EXPECT_NE(e->processDoubleReplacing, nullptr);
  TestEffect* fx = InstanceOf(e);
  EXPECT_EQ(fx->HostApi(), quivorant::kHostApiVst2);
  // Attaching pushed every normalised value and prepared drawing.
  ASSERT_EQ(fx->editor->pushes.size(), 3u);
  EXPECT_TRUE(fx->editor->pushes[1].normalized);
  EXPECT_EQ(fx->editor->prepareCount, 1);
  ERect* rect = nullptr;
  EXPECT_EQ(Dispatch(e, effEditGetRect, 0, 0, &rect), 1);
  ASSERT_EQ(rect, &fx->EditorRect());
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 248);
  EXPECT_EQ(rect->right, 395);
  // The entry point only stores the callback.
  EXPECT_TRUE(host.calls.empty());
  Dispatch(e, effClose);
}

TEST(Vst2Record, FlagsFollowTheIdentity) {
  RecordingHost host;
  TestEffectSetup setup;
  setup.attachEditor = false;
  AEffect* e = Create(setup);
  EXPECT_EQ(e->flags, 0x1018);
  ERect* rect = reinterpret_cast<ERect*>(0x1);
  EXPECT_EQ(Dispatch(e, effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(rect, reinterpret_cast<ERect*>(0x1));
  EXPECT_EQ(Dispatch(e, effEditOpen, 0, 0, nullptr), 0);
  EXPECT_EQ(Dispatch(e, effEditClose), 0);
  EXPECT_EQ(Dispatch(e, effGetPlugCategory), kPlugCategEffect);
  Dispatch(e, effClose);

  setup.channelConfig = "2-2";  // no mono pair: no 0x8
  setup.doesStateChunks = true;
  setup.isInstrument = true;
  setup.attachEditor = true;
  e = Create(setup);
  EXPECT_EQ(e->flags, 0x1000 | 0x100 | 0x20 | 0x10 | 0x1);
  EXPECT_EQ(Dispatch(e, effGetPlugCategory), kPlugCategSynth);
  Dispatch(e, effClose);
}

TEST(Vst2Record, SpeakerArrangementsFromChannelCounts) {
  RecordingHost host;
  struct Case {
    const char* config;
    VstInt32 inType, outType;
    int in, out;
  } cases[] = {{"1-1 2-2", kSpeakerArrStereo, kSpeakerArrStereo, 2, 2},
               {"0-1", kSpeakerArrEmpty, kSpeakerArrMono, 0, 1},
               {"3-3 1-4", kSpeakerArrUserDefined, kSpeakerArrUserDefined, 3, 4}};
  for (const Case& c : cases) {
    TestEffectSetup setup;
    setup.channelConfig = c.config;
    AEffect* e = Create(setup);
    VstSpeakerArrangement* in = nullptr;
    VstSpeakerArrangement* out = nullptr;
    EXPECT_EQ(Dispatch(e, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out), 1);
    ASSERT_NE(in, nullptr);
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(in->type, c.inType) << c.config;
    EXPECT_EQ(out->type, c.outType) << c.config;
    EXPECT_EQ(in->numChannels, c.in);
    EXPECT_EQ(out->numChannels, c.out);
    EXPECT_EQ(in->speakers[0].type, 0);
    EXPECT_EQ(e->numInputs, c.in);
    EXPECT_EQ(e->numOutputs, c.out);
    EXPECT_EQ((e->flags & effFlagsCanMono) != 0, std::strstr(c.config, "1-") != nullptr) << c.config;
    Dispatch(e, effClose);
  }
}

TEST(Vst2Record, NoPresetsStillOneProgram) {
  RecordingHost host;
  TestEffectSetup setup;
  setup.presetCount = 0;
  AEffect* e = Create(setup);
  EXPECT_EQ(e->numPrograms, 1);
  char name[256] = "x";
  EXPECT_EQ(Dispatch(e, effGetProgramNameIndexed, 0, 0, name), 1);
  EXPECT_STREQ(name, "Default");
  Dispatch(e, effClose);
}

TEST(Vst2Record, LatencyUpdatesTheRecordOnlyAndAnEditorSizeIsAskedOfTheHost) {
  RecordingHost host;
  AEffect* e = Create(TestEffectSetup{});
  TestEffect* fx = InstanceOf(e);
  fx->SetLatency(128);
  EXPECT_EQ(e->initialDelay, 128);
  EXPECT_EQ(fx->Latency(), 128);
  fx->editor->width = 500;
  fx->editor->height = 300;
  fx->ResizeEditor(1, 1);
  EXPECT_EQ(fx->EditorRect().right, 500);
  EXPECT_EQ(fx->EditorRect().bottom, 300);
  // No audioMasterIOChanged; the frame is asked for the editor's size, whatever the arguments.
  ASSERT_EQ(host.calls.size(), 1u);
  EXPECT_EQ(host.calls[0].opcode, audioMasterSizeWindow);
  EXPECT_EQ(host.calls[0].index, 500);
  EXPECT_EQ(host.calls[0].value, 300);
  Dispatch(e, effClose);
}

TEST(Vst2Record, CloseRunsTheHookAndDeletesOnce) {
  RecordingHost host;
  const TestEffectTrace before = Trace();
  AEffect* e = Create(TestEffectSetup{});
  EXPECT_EQ(Dispatch(e, effClose), 0);
  EXPECT_EQ(Trace().beforeClose, before.beforeClose + 1);
  EXPECT_EQ(Trace().destroyed, before.destroyed + 1);
}

TEST(Vst2Record, RecordsThatAreNotOursAreIgnored) {
  AEffect fake{};
  EXPECT_EQ(quivorant::IEffectVST::FromRecord(&fake), nullptr);
  EXPECT_EQ(quivorant::IEffectVST::FromRecord(nullptr), nullptr);
  RecordingHost host;
  AEffect* e = Create(TestEffectSetup{});
  fake = *e;
  fake.object = nullptr;  // a host that copied the record and lost the instance
  EXPECT_EQ(fake.dispatcher(&fake, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(fake.getParameter(&fake, 0), 0.0f);
  fake.setParameter(&fake, 0, 1.0f);
  fake.processReplacing(&fake, nullptr, nullptr, 16);
  Dispatch(e, effClose);
}

TEST(Vst2Record, HostSpecificInitOnceAndStereoLimitForSomeHosts) {
  RecordingHost host;
  host.productString = "Adobe Audition";
  TestEffectSetup setup;
  setup.channelConfig = "4-4";
  AEffect* e = Create(setup);
  TestEffect* fx = InstanceOf(e);
  Dispatch(e, effOpen);
  EXPECT_TRUE(fx->HostSpecificInitDone());
  EXPECT_EQ(fx->HostCode(), quivorant::kHostAudition);
  EXPECT_TRUE(fx->IsInputConnected(1));
  EXPECT_FALSE(fx->IsInputConnected(2));
  EXPECT_FALSE(fx->IsInputConnected(3));
  EXPECT_TRUE(fx->IsOutputConnected(3));
  EXPECT_EQ(e->numInputs, 4);
  EXPECT_EQ(fx->InputArrangement().numChannels, 4);
  // Later opens neither ask again nor change the connections back.
  host.productString = "Cubase";
  fx->SetInputConnections(0, 4, true);
  const size_t calls = host.calls.size();
  Dispatch(e, effOpen);
  EXPECT_EQ(host.CallsOf(audioMasterGetProductString).size(), 1u);
  EXPECT_EQ(host.calls.size(), calls);
  EXPECT_TRUE(fx->IsInputConnected(3));
  Dispatch(e, effClose);

  host.productString = "Cubase";
  e = Create(setup);
  Dispatch(e, effOpen);
  EXPECT_TRUE(InstanceOf(e)->IsInputConnected(3));
  Dispatch(e, effClose);
}

}  // namespace
}  // namespace quivorant::test
