#include "tests/support/Vst3Host.h"

#include <algorithm>
#include <cstring>

namespace quivorant::test {

tresult PLUGIN_API HostApplication::getName(String128 name) {
  const std::size_t n = std::min<std::size_t>(name_.size(), 127);
  std::copy_n(name_.begin(), n, name);
  name[n] = 0;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::read(void* buffer, int32 numBytes, int32* numBytesRead) {
  const int64 available = static_cast<int64>(bytes.size()) - position;
  const int32 n = static_cast<int32>(std::max<int64>(0, std::min<int64>(numBytes, available)));
  if (n > 0) std::memcpy(buffer, bytes.data() + position, static_cast<std::size_t>(n));
  position += n;
  if (numBytesRead != nullptr) *numBytesRead = n;
  return reportErrorOnRead && n > 0 ? kResultFalse : kResultOk;
}

tresult PLUGIN_API MemoryStream::write(void* buffer, int32 numBytes, int32* numBytesWritten) {
  if (refuseWrites || numBytes < 0) {
    if (numBytesWritten != nullptr) *numBytesWritten = 0;
    return kResultFalse;
  }
  if (bytes.size() < static_cast<std::size_t>(position + numBytes))
    bytes.resize(static_cast<std::size_t>(position + numBytes));
  std::memcpy(bytes.data() + position, buffer, static_cast<std::size_t>(numBytes));
  position += numBytes;
  if (numBytesWritten != nullptr) *numBytesWritten = numBytes;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::seek(int64 pos, int32 mode, int64* result) {
  int64 target = pos;
  if (mode == kIBSeekCur) target = position + pos;
  if (mode == kIBSeekEnd) target = static_cast<int64>(bytes.size()) + pos;
  if (target < 0 || target > static_cast<int64>(bytes.size())) return kInvalidArgument;
  position = target;
  if (result != nullptr) *result = position;
  return kResultOk;
}

tresult PLUGIN_API MemoryStream::tell(int64* pos) {
  if (pos == nullptr) return kInvalidArgument;
  *pos = position;
  return kResultOk;
}

tresult PLUGIN_API ParamQueue::getPoint(int32 index, int32& sampleOffset, ParamValue& value) {
  if (index < 0 || index >= getPointCount()) return kResultFalse;
  sampleOffset = points_[static_cast<std::size_t>(index)].first;
  value = points_[static_cast<std::size_t>(index)].second;
  return kResultOk;
}

tresult PLUGIN_API ParamQueue::addPoint(int32 sampleOffset, ParamValue value, int32& index) {
  points_.emplace_back(sampleOffset, value);
  index = getPointCount() - 1;
  return kResultOk;
}

ParamChanges::~ParamChanges() { Clear(); }

IParamValueQueue* PLUGIN_API ParamChanges::getParameterData(int32 index) {
  if (index < 0 || index >= getParameterCount()) return nullptr;
  return queues_[static_cast<std::size_t>(index)];
}

IParamValueQueue* PLUGIN_API ParamChanges::addParameterData(const ParamID& id, int32& index) {
  for (std::size_t i = 0; i < queues_.size(); ++i) {
    if (queues_[i]->getParameterId() == id) {
      index = static_cast<int32>(i);
      return queues_[i];
    }
  }
  queues_.push_back(new ParamQueue(id));
  index = getParameterCount() - 1;
  return queues_.back();
}

ParamQueue& ParamChanges::Queue(ParamID id) {
  int32 index = 0;
  return *static_cast<ParamQueue*>(addParameterData(id, index));
}

void ParamChanges::Set(ParamID id, ParamValue value) { Queue(id).Add(0, value); }

void ParamChanges::Clear() {
  for (ParamQueue* q : queues_) delete q;
  queues_.clear();
}

std::string ComponentHandler::Gestures(ParamID id) const {
  std::string out;
  char last = 0;
  for (const ComponentHandler::Call& c : calls) {
    if (c.id != id || c.kind == 'r' || (c.kind == 'p' && last == 'p')) continue;
    if (!out.empty()) out += ' ';
    out += c.kind;
    last = c.kind;
  }
  return out;
}

std::vector<ParamValue> ComponentHandler::Performed(ParamID id) const {
  std::vector<ParamValue> values;
  for (const ComponentHandler::Call& c : calls)
    if (c.id == id && c.kind == 'p') values.push_back(c.value);
  return values;
}

tresult PLUGIN_API PlugFrame::resizeView(IPluginView* view, ViewRect* newSize) {
  ++requests;
  lastView = view;
  if (newSize != nullptr) lastSize = *newSize;
  if (refuse) return kResultFalse;
  if (answerWithOnSize && view != nullptr) view->onSize(newSize);
  return kResultTrue;
}

tresult PLUGIN_API ComponentHandler::beginEdit(ParamID id) {
  calls.push_back({'b', id, 0.});
  return kResultOk;
}
tresult PLUGIN_API ComponentHandler::performEdit(ParamID id, ParamValue valueNormalized) {
  calls.push_back({'p', id, valueNormalized});
  return kResultOk;
}
tresult PLUGIN_API ComponentHandler::endEdit(ParamID id) {
  calls.push_back({'e', id, 0.});
  return kResultOk;
}
tresult PLUGIN_API ComponentHandler::restartComponent(int32 flags) {
  calls.push_back({'r', 0, static_cast<ParamValue>(flags)});
  return kResultOk;
}

std::string Narrow(const char16* text) {
  std::string out;
  for (int i = 0; text != nullptr && text[i] != 0 && i < 4096; ++i)
    out += static_cast<char>(text[i] < 128 ? text[i] : '?');
  return out;
}

}  // namespace quivorant::test
