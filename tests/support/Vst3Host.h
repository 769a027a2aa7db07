// The host side of a VST3 session, as small as a test needs: host application, memory
// stream, parameter-change queues, event list and a component handler that records calls.
// Objects live on the test's stack: release never deletes, and the count shows whether the
// plug-in gave back every reference it took.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "vst3/sdk/interfaces/ibstream.h"
#include "vst3/sdk/interfaces/ipluginview.h"
#include "vst3/sdk/interfaces/ivstaudioprocessor.h"
#include "vst3/sdk/interfaces/ivstcomponent.h"
#include "vst3/sdk/interfaces/ivsteditcontroller.h"
#include "vst3/sdk/interfaces/ivsthostapplication.h"

namespace quivorant::test {

using namespace Steinberg;
using namespace Steinberg::Vst;

template <class I>
class HostObject : public I {
public:
  virtual ~HostObject() = default;
  tresult PLUGIN_API queryInterface(const TUID iid, void** obj) override {
    if (FUnknownPrivate::iidEqual(iid, I::iid) || FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
      addRef();
      *obj = static_cast<I*>(this);
      return kResultOk;
    }
    *obj = nullptr;
    return kNoInterface;
  }
  uint32 PLUGIN_API addRef() override { return ++refs; }
  uint32 PLUGIN_API release() override { return --refs; }
  // 1 while nobody but the test holds the object.
  uint32 RefCount() const { return refs; }

private:
  std::atomic<uint32> refs{1};
};

class HostApplication : public HostObject<IHostApplication> {
public:
  explicit HostApplication(std::u16string name) : name_(std::move(name)) {}
  tresult PLUGIN_API getName(String128 name) override;
  tresult PLUGIN_API createInstance(TUID, TUID, void** obj) override {
    *obj = nullptr;
    return kNotImplemented;
  }

private:
  std::u16string name_;
};

class MemoryStream : public HostObject<IBStream> {
public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<unsigned char> bytes) : bytes(std::move(bytes)) {}
  tresult PLUGIN_API read(void* buffer, int32 numBytes, int32* numBytesRead) override;
  tresult PLUGIN_API write(void* buffer, int32 numBytes, int32* numBytesWritten) override;
  tresult PLUGIN_API seek(int64 pos, int32 mode, int64* result) override;
  tresult PLUGIN_API tell(int64* pos) override;

  std::vector<unsigned char> bytes;
  int64 position = 0;
  // Like some hosts' streams: every read that delivers bytes also reports an error.
  bool reportErrorOnRead = false;
  // A stream that refuses to be written.
  bool refuseWrites = false;
};

class ParamQueue : public HostObject<IParamValueQueue> {
public:
  explicit ParamQueue(ParamID id) : id_(id) {}
  ParamID PLUGIN_API getParameterId() override { return id_; }
  int32 PLUGIN_API getPointCount() override { return static_cast<int32>(points_.size()); }
  tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) override;
  tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) override;
  void Add(int32 offset, ParamValue value) {
    int32 index = 0;
    addPoint(offset, value, index);
  }

private:
  ParamID id_;
  std::vector<std::pair<int32, ParamValue>> points_;
};

class ParamChanges : public HostObject<IParameterChanges> {
public:
  ~ParamChanges() override;
  int32 PLUGIN_API getParameterCount() override { return static_cast<int32>(queues_.size()); }
  IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
  IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) override;
  // One queue with a single point at offset 0.
  void Set(ParamID id, ParamValue value);
  ParamQueue& Queue(ParamID id);
  void Clear();

private:
  std::vector<ParamQueue*> queues_;
};

class EventList : public HostObject<IEventList> {
public:
  int32 PLUGIN_API getEventCount() override { return static_cast<int32>(events.size()); }
  tresult PLUGIN_API getEvent(int32 index, Event& e) override {
    if (index < 0 || index >= getEventCount()) return kInvalidArgument;
    e = events[static_cast<std::size_t>(index)];
    return kResultOk;
  }
  tresult PLUGIN_API addEvent(Event& e) override {
    events.push_back(e);
    return kResultOk;
  }
  std::vector<Event> events;
};

class ComponentHandler : public HostObject<IComponentHandler> {
public:
  struct Call {
    char kind;  // 'b' begin, 'p' perform, 'e' end, 'r' restart
    ParamID id;
    ParamValue value;
  };
  tresult PLUGIN_API beginEdit(ParamID id) override;
  tresult PLUGIN_API performEdit(ParamID id, ParamValue valueNormalized) override;
  tresult PLUGIN_API endEdit(ParamID id) override;
  tresult PLUGIN_API restartComponent(int32 flags) override;
  // The begin (b), perform (p) and end (e) calls for one parameter, in order, with a run of
  // performs written once: "b p e" is one whole gesture.
  std::string Gestures(ParamID id) const;
  std::vector<ParamValue> Performed(ParamID id) const;
  std::vector<Call> calls;
};

// A host's frame around a plug-in view: records resize requests and, like most hosts, answers
// each one at once with the view's onSize (unless told to refuse).
class PlugFrame : public HostObject<IPluginFrame> {
public:
  tresult PLUGIN_API resizeView(IPluginView* view, ViewRect* newSize) override;
  IPluginView* lastView = nullptr;
  ViewRect lastSize;
  int requests = 0;
  bool answerWithOnSize = true;
  bool refuse = false;
};

// Narrow a host-facing UTF-16 text for comparisons in tests (ASCII only).
std::string Narrow(const char16* text);

}  // namespace quivorant::test
