#include "vst3/sdk/helpers/pluginfactory.h"

#include <cstring>

#include "vst3/sdk/helpers/ustring.h"

namespace Steinberg {

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) {
  factoryInfo.flags |= PFactoryInfo::kUnicode;
}

CPluginFactory::~CPluginFactory() {
  if (hostContext != nullptr) hostContext->release();
}

namespace {
void widen(const PClassInfo2& from, PClassInfoW& to) {
  std::memset(&to, 0, sizeof(to));
  std::memcpy(to.cid, from.cid, sizeof(TUID));
  to.cardinality = from.cardinality;
  strncpy8(to.category, from.category);
  str8ToStr16(to.name, from.name);
  to.classFlags = from.classFlags;
  strncpy8(to.subCategories, from.subCategories);
  str8ToStr16(to.vendor, from.vendor);
  str8ToStr16(to.version, from.version);
  str8ToStr16(to.sdkVersion, from.sdkVersion);
}
}  // namespace

bool CPluginFactory::registerClass(const PClassInfo* info, CreateFunction createFunc, void* context) {
  if (info == nullptr || createFunc == nullptr) return false;
  PClassInfo2 info2;
  std::memset(&info2, 0, sizeof(info2));
  std::memcpy(&info2, info, sizeof(PClassInfo));
  return registerClass(&info2, createFunc, context);
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateFunction createFunc, void* context) {
  if (info == nullptr || createFunc == nullptr) return false;
  ClassEntry entry{};
  entry.info8 = *info;
  widen(entry.info8, entry.info16);
  entry.createFunc = createFunc;
  entry.context = context;
  entry.unicodeOnly = false;
  classes.push_back(entry);
  return true;
}

bool CPluginFactory::registerClass(const PClassInfoW* info, CreateFunction createFunc, void* context) {
  if (info == nullptr || createFunc == nullptr) return false;
  ClassEntry entry{};
  entry.info16 = *info;
  entry.createFunc = createFunc;
  entry.context = context;
  entry.unicodeOnly = true;
  classes.push_back(entry);
  return true;
}

bool CPluginFactory::isClassRegistered(const TUID cid) const {
  for (const ClassEntry& entry : classes)
    if (FUnknownPrivate::iidEqual(entry.info16.cid, cid)) return true;
  return false;
}

const CPluginFactory::ClassEntry* CPluginFactory::entryAt(int32 index) const {
  if (index < 0 || index >= static_cast<int32>(classes.size())) return nullptr;
  return &classes[static_cast<std::size_t>(index)];
}

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID queryIid, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  if (queryIid != nullptr && (FUnknownPrivate::iidEqual(queryIid, IPluginFactory::iid) ||
                              FUnknownPrivate::iidEqual(queryIid, IPluginFactory2::iid) ||
                              FUnknownPrivate::iidEqual(queryIid, IPluginFactory3::iid) ||
                              FUnknownPrivate::iidEqual(queryIid, FUnknown::iid))) {
    addRef();
    *obj = this;
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

uint32 PLUGIN_API CPluginFactory::addRef() { return refCount.fetch_add(1, std::memory_order_relaxed) + 1; }

uint32 PLUGIN_API CPluginFactory::release() {
  const uint32 before = refCount.fetch_sub(1, std::memory_order_acq_rel);
  if (before == 1) {
    delete this;
    return 0;
  }
  return before - 1;
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
  if (info != nullptr) std::memcpy(info, &factoryInfo, sizeof(PFactoryInfo));
  return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() { return static_cast<int32>(classes.size()); }

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
  const ClassEntry* entry = entryAt(index);
  if (entry == nullptr || info == nullptr) return kInvalidArgument;
  if (entry->unicodeOnly) {
    std::memset(info, 0, sizeof(PClassInfo));
    return kResultFalse;
  }
  std::memcpy(info, &entry->info8, sizeof(PClassInfo));
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
  const ClassEntry* entry = entryAt(index);
  if (entry == nullptr || info == nullptr) return kInvalidArgument;
  if (entry->unicodeOnly) {
    std::memset(info, 0, sizeof(PClassInfo2));
    return kResultFalse;
  }
  std::memcpy(info, &entry->info8, sizeof(PClassInfo2));
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
  const ClassEntry* entry = entryAt(index);
  if (entry == nullptr || info == nullptr) return kInvalidArgument;
  std::memcpy(info, &entry->info16, sizeof(PClassInfoW));
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj) {
  if (obj == nullptr) return kInvalidArgument;
  *obj = nullptr;
  if (cid == nullptr || iid == nullptr) return kInvalidArgument;
  for (const ClassEntry& entry : classes) {
    if (!FUnknownPrivate::iidEqual(entry.info16.cid, cid)) continue;
    FUnknown* instance = entry.createFunc(entry.context);
    if (instance == nullptr) return kNoInterface;
    const tresult result = instance->queryInterface(iid, obj);
    instance->release();
    if (result != kResultOk) {
      *obj = nullptr;
      return kNoInterface;
    }
    return kResultOk;
  }
  return kNoInterface;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* context) {
#if QUIVORANT_PLATFORM_WINDOWS
  (void)context;
  return kNotImplemented;
#else
  // Linux hosts hand their run loop this way; it is kept for the editor's timers.
  if (context != nullptr) context->addRef();
  if (hostContext != nullptr) hostContext->release();
  hostContext = context;
  return kResultTrue;
#endif
}

}  // namespace Steinberg
