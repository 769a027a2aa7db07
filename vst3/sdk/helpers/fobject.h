// Reference counting and run-time class identity shared by every object we hand to a host.
//
// Objects start with one reference; the last release deletes them. Each class names itself
// with OBJ_METHODS (class, base) so that isTypeOf can walk the declared chain of bases.
#pragma once

#include <atomic>

#include "vst3/sdk/interfaces/funknown.h"

namespace Steinberg {

class FObject : public FUnknown {
public:
  FObject() = default;
  virtual ~FObject() = default;
  FObject(const FObject&) = delete;
  FObject& operator=(const FObject&) = delete;

  tresult PLUGIN_API queryInterface(const TUID queryIid, void** obj) override;
  uint32 PLUGIN_API addRef() override;
  uint32 PLUGIN_API release() override;
  uint32 getRefCount() const { return refCount.load(std::memory_order_acquire); }

  static FIDString getFClassID() { return "FObject"; }
  virtual FIDString isA() const { return getFClassID(); }
  virtual bool isA(FIDString s) const { return isTypeOf(s, false); }
  virtual bool isTypeOf(FIDString s, bool /*askBaseClass*/ = true) const { return classIDsEqual(s, getFClassID()); }
  static bool classIDsEqual(FIDString a, FIDString b);

  // Identifies our own objects; differs per loaded module, so a foreign object never matches.
  static const TUID& objectIid();

protected:
  // Answers `obj` for `queryIid == candidateIid`, with a reference added.
  template <class I>
  static bool answer(const TUID queryIid, const TUID candidateIid, I* candidate, void** obj) {
    if (!FUnknownPrivate::iidEqual(queryIid, candidateIid)) return false;
    candidate->addRef();
    *obj = candidate;
    return true;
  }

private:
  std::atomic<uint32> refCount{1};
};

#define OBJ_METHODS(className, baseClass)                                                  \
  static ::Steinberg::FIDString getFClassID() { return #className; }                       \
  ::Steinberg::FIDString isA() const override { return className::getFClassID(); }         \
  bool isA(::Steinberg::FIDString s) const override { return isTypeOf(s, false); }         \
  bool isTypeOf(::Steinberg::FIDString s, bool askBaseClass = true) const override {       \
    return classIDsEqual(s, #className) || (askBaseClass && baseClass::isTypeOf(s, true)); \
  }

// Classes that add interfaces to an FObject route the three FUnknown slots of every
// interface sub-object to the one shared count.
#define REFCOUNT_METHODS(baseClass)                                                \
  ::Steinberg::uint32 PLUGIN_API addRef() override { return baseClass::addRef(); } \
  ::Steinberg::uint32 PLUGIN_API release() override { return baseClass::release(); }

}  // namespace Steinberg
