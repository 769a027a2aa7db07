#include "vst3/Vst3Factory.h"

#include <cstdio>
#include <cstring>

#include "effect/QuivorantIdentity.h"
#include "platform/InstanceLock.h"
#include "plug/EffectIdentity.h"
#include "plug/MakerInfo.h"
#include "vst3/IEffectVST3.h"
#include "vst3/sdk/helpers/ustring.h"
#include "vst3/sdk/interfaces/vsttypes.h"

namespace quivorant {

using namespace Steinberg;

namespace {
// The class ID's first two words; the last two are the maker and unique IDs.
constexpr uint32 kClassIdWord1 = 0xF2AEE70D;
constexpr uint32 kClassIdWord2 = 0x00DE4F4E;

// Serialises instance creation across the module: construction touches process-wide editor
// state (bitmap and font caches). Also guards the factory pointer.
InstanceLock& CreationLock() {
  static InstanceLock lock;
  return lock;
}

CPluginFactory* gFactory = nullptr;

FUnknown* CreateProcessorInstance(void*) noexcept {
  IEffectVST3* effect = nullptr;
  {
    InstanceLock::Scope hold(CreationLock());
    try {
      effect = CreateEffectInstance(IEffectVST3::HostInstanceInfo{});
    } catch (...) {
      effect = nullptr;  // out of memory while building: the host gets no instance
    }
  }
  return effect != nullptr ? static_cast<Vst::IAudioProcessor*>(effect) : nullptr;
}

CPluginFactory* MakeFactory() {
  const EffectIdentity& identity = QuivorantIdentity();
  PFactoryInfo factoryInfo{};
  strncpy8(factoryInfo.vendor, identity.makerName);
  strncpy8(factoryInfo.url, kMakerWebHost);
  factoryInfo.email[0] = '\0';
  factoryInfo.flags = PFactoryInfo::kUnicode;
  auto* factory = new CPluginFactory(factoryInfo);

  PClassInfo2 classInfo{};
  const FUID cid(kClassIdWord1, kClassIdWord2, static_cast<uint32>(identity.makerId),
                 static_cast<uint32>(identity.uniqueId));
  std::memcpy(classInfo.cid, cid.data, sizeof(TUID));
  classInfo.cardinality = PClassInfo::kManyInstances;
  strncpy8(classInfo.category, Vst::kVstAudioEffectClass);
  strncpy8(classInfo.name, identity.effectName);
  classInfo.classFlags = kSimpleModeSupported;
  strncpy8(classInfo.subCategories, "Fx");
  classInfo.vendor[0] = '\0';  // hosts take the factory's vendor
  // The class version spells the decimal version's digits as hosts show a VST2 version
  // (13000 is "1.3.0"), so both formats name the same release.
  const std::int32_t decimal = DecimalVersion(identity.vendorVersion);
  std::snprintf(classInfo.version, sizeof classInfo.version, "%d.%d.%d", static_cast<int>(decimal / 10000),
                static_cast<int>(decimal / 1000 % 10), static_cast<int>(decimal / 100 % 10));
  strncpy8(classInfo.sdkVersion, "VST 3.6.5");
  factory->registerClass(&classInfo, CreateProcessorInstance, nullptr);
  return factory;
}
}  // namespace

IPluginFactory* AcquirePluginFactory() {
  InstanceLock::Scope hold(CreationLock());
  if (gFactory == nullptr) {
    try {
      gFactory = MakeFactory();
    } catch (...) {
      return nullptr;
    }
  }
  gFactory->addRef();
  return gFactory;
}

void ReleasePluginFactory() {
  InstanceLock::Scope hold(CreationLock());
  if (gFactory != nullptr) {
    gFactory->release();
    gFactory = nullptr;
  }
}

}  // namespace quivorant

// The one export every platform shares.
QUIVORANT_EXPORT Steinberg::IPluginFactory* GetPluginFactory() { return quivorant::AcquirePluginFactory(); }
