// The interface layer on its own: identifier bytes, result codes, text copies, and the
// helper bases' published behaviour.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "vst3/sdk/helpers/pluginfactory.h"
#include "vst3/sdk/helpers/ustring.h"
#include "vst3/sdk/helpers/vstbus.h"
#include "vst3/sdk/helpers/vstparameters.h"
#include "vst3/sdk/helpers/vstsinglecomponenteffect.h"
#include "vst3/sdk/interfaces/ipluginview.h"
#include "vst3/sdk/interfaces/ivstaudioprocessor.h"
#include "vst3/sdk/interfaces/ivsteditcontroller.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

std::string Hex(const char* bytes) {
  std::string s;
  char two[3];
  for (int i = 0; i < 16; ++i) {
    std::snprintf(two, sizeof two, "%02X", static_cast<unsigned char>(bytes[i]));
    s += two;
  }
  return s;
}

TEST(InterfaceIdentifiers, StoredBytesFollowThePlatformLayout) {
#if COM_COMPATIBLE
  EXPECT_EQ(Hex(IComponent::iid), "31FF31E8D5F20143928EBBEE25697802");
  EXPECT_EQ(Hex(IPluginFactory::iid), "1C814D7A11521F4AAED9D2EE0B43BF9F");
  EXPECT_EQ(Hex(IEditController::iid), "E3BBD7DC42778D44A874AACC979C759E");
  EXPECT_EQ(Hex(IAudioProcessor::iid), "993F0442DAB73C45A569E79D9AAEC33D");
  EXPECT_EQ(Hex(IPluginView::iid), "0725C35B60D0EA49A6151B522B755B29");
#else
  EXPECT_EQ(Hex(IComponent::iid), "E831FF31F2D54301928EBBEE25697802");
  EXPECT_EQ(Hex(IPluginFactory::iid), "7A4D811C52114A1FAED9D2EE0B43BF9F");
  EXPECT_EQ(Hex(IAudioProcessor::iid), "42043F99B7DA453CA569E79D9AAEC33D");
#endif
  EXPECT_EQ(Hex(FUnknown::iid), "0000000000000000C000000000000046");

  // The text form is the same everywhere, and the words survive the round trip.
  const FUID component(IComponent::iid);
  char text[33];
  component.toString(text);
  EXPECT_STREQ(text, "E831FF31F2D54301928EBBEE25697802");
  uint32 l1, l2, l3, l4;
  FUID(0xF2AEE70D, 0x00DE4F4E, 0x546C766E, 0x62316751).to4Int(l1, l2, l3, l4);
  EXPECT_EQ(l1, 0xF2AEE70Du);
  EXPECT_EQ(l2, 0x00DE4F4Eu);
  EXPECT_EQ(l3, 0x546C766Eu);
  EXPECT_EQ(l4, 0x62316751u);
  EXPECT_FALSE(FUID().isValid());
  EXPECT_TRUE(component.isValid());
}

TEST(InterfaceIdentifiers, ResultCodesPerPlatform) {
  EXPECT_EQ(kResultOk, 0);
  EXPECT_EQ(kResultTrue, kResultOk);
  EXPECT_EQ(kResultFalse, 1);
#if COM_COMPATIBLE
  EXPECT_EQ(static_cast<uint32>(kNoInterface), 0x80004002u);
  EXPECT_EQ(static_cast<uint32>(kInvalidArgument), 0x80070057u);
  EXPECT_EQ(static_cast<uint32>(kNotImplemented), 0x80004001u);
  EXPECT_EQ(static_cast<uint32>(kNotInitialized), 0x8000FFFFu);
#else
  EXPECT_EQ(kNoInterface, -1);
  EXPECT_EQ(kInvalidArgument, 2);
  EXPECT_EQ(kNotImplemented, 3);
  EXPECT_EQ(kNotInitialized, 5);
#endif
}

TEST(Strings, CopiesAreBoundedAndTerminated) {
  char16 wide[6];
  str8ToStr16(wide, "quivorant", 6);
  EXPECT_EQ(std::u16string(wide), u"quivo");
  str8ToStr16(wide, "h\xC3\xA9", 6);  // UTF-8 e-acute
  EXPECT_EQ(std::u16string(wide), u"h\u00E9");
  str8ToStr16(wide, "\xF0\x9F\x8E\xB5", 6);  // one character outside the basic plane
  EXPECT_EQ(std::u16string(wide), u"\U0001F3B5");
  str8ToStr16(wide, "abc\xF0\x9F\x8E\xB5", 5);  // no room for both halves: none is written
  EXPECT_EQ(std::u16string(wide), u"abc");
  str8ToStr16(wide,
              "\xFF"
              "a",
              6);
  EXPECT_EQ(std::u16string(wide), u"\uFFFDa");
  wide[0] = u'x';
  str8ToStr16(wide, "abc", 0);
  EXPECT_EQ(wide[0], u'x');

  char narrow[5];
  str16ToStr8(narrow, u"h\u00E9llo", 5);
  EXPECT_STREQ(narrow, "h\xC3\xA9l");
  str16ToStr8(narrow, u"\U0001F3B5", 4);  // four bytes do not fit beside the terminator
  EXPECT_STREQ(narrow, "");
  EXPECT_EQ(strlen16(u"abc"), 3);
  EXPECT_EQ(strlen16(u"abcdef", 4), 4);
}

TEST(Strings, NumbersIgnoreTheLocale) {
  double v = 0;
  EXPECT_TRUE(parseDouble16(u"  +2.5e3 Hz", v));
  EXPECT_EQ(v, 2500.0);
  EXPECT_TRUE(parseDouble16(u"-0.125", v));
  EXPECT_EQ(v, -0.125);
  EXPECT_FALSE(parseDouble16(u"loud", v));
  EXPECT_FALSE(parseDouble16(u"", v));
  EXPECT_FALSE(parseDouble16(nullptr, v));
  char16 text[16];
  printDouble16(text, 16, 0.25, 3);
  EXPECT_EQ(std::u16string(text), u"0.250");
}

TEST(Parameters, NormalisedValuesAndTexts) {
  Parameter p(u"Drive", 7, u"dB", 0.25, 0);
  EXPECT_EQ(p.getInfo().id, 7u);
  EXPECT_EQ(p.getNormalized(), 0.25);
  EXPECT_TRUE(p.setNormalized(2.0));
  EXPECT_EQ(p.getNormalized(), 1.0);
  EXPECT_FALSE(p.setNormalized(1.0));
  p.setNormalized(std::nan(""));
  EXPECT_EQ(p.getNormalized(), 0.0);
  String128 text;
  p.toString(0.5, text);
  EXPECT_EQ(std::u16string(text), u"0.5000");
  Parameter toggle(u"On", 1, nullptr, 0, 1);
  toggle.toString(0.51, text);
  EXPECT_EQ(std::u16string(text), u"On");
  toggle.toString(0.5, text);
  EXPECT_EQ(std::u16string(text), u"Off");
  ParamValue parsed = 0;
  EXPECT_TRUE(p.fromString(u"0.75", parsed));
  EXPECT_EQ(parsed, 0.75);
}

TEST(Parameters, StringListMapsIndicesBothWays) {
  StringListParameter list(u"Mode", 3);
  EXPECT_EQ(list.getInfo().stepCount, -1);
  String128 text;
  list.toString(0.5, text);  // no entries: empty text, no read past the list
  EXPECT_EQ(std::u16string(text), u"");
  for (const char16* s : {u"Low", u"Mid", u"High"}) list.appendString(s);
  EXPECT_EQ(list.getInfo().stepCount, 2);
  EXPECT_EQ(list.getInfo().flags, ParameterInfo::kCanAutomate | ParameterInfo::kIsList);
  EXPECT_EQ(list.toPlain(0.0), 0);
  EXPECT_EQ(list.toPlain(0.5), 1);
  EXPECT_EQ(list.toPlain(1.0), 2);
  EXPECT_EQ(list.toNormalized(1), 0.5);
  list.toString(1.0, text);
  EXPECT_EQ(std::u16string(text), u"High");
  ParamValue v = -1;
  EXPECT_TRUE(list.fromString(u"Mid", v));
  EXPECT_EQ(v, 0.5);
  EXPECT_FALSE(list.fromString(u"mid", v));
}

TEST(Parameters, ContainerOwnsAndFindsById) {
  auto* kept = new Parameter(u"A", 40);
  kept->addRef();
  {
    ParameterContainer container;
    container.addParameter(kept);
    container.addParameter(u"B", nullptr, 0, 0., ParameterInfo::kCanAutomate, -1);
    EXPECT_EQ(container.getParameterCount(), 2);
    EXPECT_EQ(container.getParameter(40), kept);
    EXPECT_EQ(container.getParameter(1)->getInfo().title[0], u'B');  // ID = its position
    EXPECT_EQ(container.getParameterByIndex(2), nullptr);
    EXPECT_EQ(container.getParameterByIndex(-1), nullptr);
    EXPECT_EQ(container.getParameter(99), nullptr);
    EXPECT_EQ(container.addParameter(static_cast<Parameter*>(nullptr)), nullptr);
    EXPECT_EQ(kept->getRefCount(), 2u);
  }
  EXPECT_EQ(kept->getRefCount(), 1u);
  kept->release();
}

TEST(Buses, InfoAndLists) {
  std::u16string longName(130, u'n');
  BusList list(kAudio, kOutput);
  list.append(new AudioBus(longName.c_str(), kMain, BusInfo::kDefaultActive, SpeakerArr::k51));
  BusInfo info;
  std::memset(&info, 0x55, sizeof info);
  ASSERT_TRUE(list.at(0)->getInfo(info));
  EXPECT_EQ(info.channelCount, 6);
  EXPECT_EQ(info.name[127], u'n');  // a full-length name stays unterminated, as hosts expect
  EXPECT_FALSE(list.at(0)->isActive());
  EXPECT_EQ(list.at(1), nullptr);
  list.replaceAt(0, new AudioBus(u"Out", kMain, 0, SpeakerArr::kMono));
  ASSERT_TRUE(list.at(0)->getInfo(info));
  EXPECT_EQ(std::u16string(info.name), u"Out");
  EXPECT_EQ(info.channelCount, 1);
  list.removeAt(0);
  EXPECT_EQ(list.size(), 0);
  EventBus midi(u"MIDI", kMain, 1, 16);
  ASSERT_TRUE(midi.getInfo(info));
  EXPECT_EQ(info.channelCount, 16);
}

class Probe : public FObject {
public:
  OBJ_METHODS(Probe, FObject)
};

TEST(Objects, CountingAndClassIdentity) {
  auto* probe = new Probe;
  EXPECT_EQ(probe->addRef(), 2u);
  FUnknown* unknown = nullptr;
  ASSERT_EQ(probe->queryInterface(FUnknown::iid, reinterpret_cast<void**>(&unknown)), kResultOk);
  EXPECT_EQ(unknown->release(), 2u);
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(probe->queryInterface(IComponent::iid, &none), kNoInterface);
  EXPECT_EQ(none, nullptr);
  EXPECT_STREQ(probe->isA(), "Probe");
  EXPECT_TRUE(probe->isTypeOf("FObject"));
  EXPECT_FALSE(probe->isTypeOf("FObject", false));
  EXPECT_FALSE(probe->isA("FObject"));
  EXPECT_EQ(probe->release(), 1u);
  EXPECT_EQ(probe->release(), 0u);
}

// Records which state slot a call reached.
class StateProbe : public SingleComponentEffect {
public:
  tresult setProcessorState(IBStream*) override { return last = 'p', kResultOk; }
  tresult getProcessorState(IBStream*) override { return last = 'P', kResultOk; }
  tresult setEditorState(IBStream*) override { return last = 'e', kResultOk; }
  tresult getEditorState(IBStream*) override { return last = 'E', kResultOk; }
  char last = 0;
};

TEST(SingleComponent, ComponentAndControllerStatesStayApart) {
  auto* probe = new StateProbe;
  IComponent* component = nullptr;
  IEditController* controller = nullptr;
  ASSERT_EQ(probe->queryInterface(IComponent::iid, reinterpret_cast<void**>(&component)), kResultOk);
  ASSERT_EQ(probe->queryInterface(IEditController::iid, reinterpret_cast<void**>(&controller)), kResultOk);
  component->setState(nullptr);
  EXPECT_EQ(probe->last, 'p');
  controller->setState(nullptr);
  EXPECT_EQ(probe->last, 'e');
  component->getState(nullptr);
  EXPECT_EQ(probe->last, 'P');
  controller->getState(nullptr);
  EXPECT_EQ(probe->last, 'E');

  // Both initialize slots reach the one initialize; a second one is refused.
  EXPECT_EQ(component->initialize(nullptr), kResultOk);
  void* hidden = reinterpret_cast<void*>(1);
  EXPECT_EQ(probe->queryInterface(IConnectionPoint::iid, &hidden), kNoInterface);
  EXPECT_EQ(hidden, nullptr);
  EXPECT_EQ(controller->terminate(), kResultOk);
  controller->release();
  component->release();
  EXPECT_EQ(probe->release(), 0u);
}

TEST(SingleComponent, DefaultBusAndSetupAnswers) {
  auto* effect = new StateProbe;
  effect->addAudioInput(u"In", SpeakerArr::kStereo);
  BusInfo info{};
  EXPECT_EQ(effect->getBusInfo(kAudio, kInput, 0, info), kResultTrue);
  EXPECT_EQ(effect->getBusInfo(kAudio, kInput, -1, info), kInvalidArgument);
  EXPECT_EQ(effect->getBusInfo(kEvent, kInput, 0, info), kInvalidArgument);
  EXPECT_EQ(effect->getBusInfo(kAudio, 5, 0, info), kInvalidArgument);
  SpeakerArrangement two[2] = {SpeakerArr::kMono, SpeakerArr::kMono};
  EXPECT_EQ(effect->setBusArrangements(two, 2, nullptr, 0), kResultFalse);
  EXPECT_EQ(effect->setBusArrangements(two, 1, nullptr, 0), kResultTrue);
  EXPECT_EQ(effect->setBusArrangements(two, -1, nullptr, 0), kInvalidArgument);
  ProcessSetup setup{kRealtime, kSample64, 256, 48000.};
  EXPECT_EQ(effect->setupProcessing(setup), kResultFalse);
  EXPECT_EQ(effect->getProcessSetup().sampleRate, 44100.);  // refused before anything was copied
  setup.symbolicSampleSize = kSample32;
  EXPECT_EQ(effect->setupProcessing(setup), kResultOk);
  EXPECT_EQ(effect->getProcessSetup().maxSamplesPerBlock, 256);
  effect->release();
}

FUnknown* MakeProbe(void* context) {
  ++*static_cast<int*>(context);
  return static_cast<FUnknown*>(new Probe);
}

TEST(Factory, RegistersAndCreates) {
  PFactoryInfo info{};
  std::strcpy(info.vendor, "Maker");
  auto* factory = new CPluginFactory(info);
  int created = 0;
  PClassInfo2 c{};
  FUID cid(1, 2, 3, 4);
  std::memcpy(c.cid, cid.data, 16);
  std::strcpy(c.name, "Probe");
  std::strcpy(c.version, "1.0");
  EXPECT_FALSE(factory->registerClass(&c, nullptr));
  EXPECT_TRUE(factory->registerClass(&c, MakeProbe, &created));
  PClassInfoW w{};
  std::memcpy(w.cid, FUID(5, 6, 7, 8).data, 16);
  EXPECT_TRUE(factory->registerClass(&w, MakeProbe, &created));
  EXPECT_EQ(factory->countClasses(), 2);

  PFactoryInfo back{};
  factory->getFactoryInfo(&back);
  EXPECT_EQ(back.flags & PFactoryInfo::kUnicode, PFactoryInfo::kUnicode);
  PClassInfoW wide{};
  ASSERT_EQ(factory->getClassInfoUnicode(0, &wide), kResultOk);
  EXPECT_EQ(std::u16string(wide.name), u"Probe");
  EXPECT_EQ(std::u16string(wide.version), u"1.0");
  PClassInfo2 narrow{};
  EXPECT_EQ(factory->getClassInfo2(1, &narrow), kResultFalse);  // registered in UTF-16 only
  EXPECT_EQ(factory->getClassInfo2(2, &narrow), kInvalidArgument);

  FUnknown* obj = nullptr;
  ASSERT_EQ(factory->createInstance(cid.data, FUnknown::iid, reinterpret_cast<void**>(&obj)), kResultOk);
  EXPECT_EQ(created, 1);
  EXPECT_EQ(obj->release(), 0u);  // the caller holds the only reference
  void* refused = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->createInstance(cid.data, IComponent::iid, &refused), kNoInterface);
  EXPECT_EQ(refused, nullptr);
  EXPECT_EQ(created, 2);
  EXPECT_EQ(factory->release(), 0u);
}

}  // namespace
