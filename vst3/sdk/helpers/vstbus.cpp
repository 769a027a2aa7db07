#include "vst3/sdk/helpers/vstbus.h"

#include <algorithm>

namespace Steinberg {
namespace Vst {

Bus::Bus(const TChar* busName, BusType type, int32 busFlags) : busType(type), flags(busFlags) { setName(busName); }

void Bus::setName(const TChar* newName) { name = newName != nullptr ? newName : u""; }

bool Bus::getInfo(BusInfo& info) {
  std::fill(std::begin(info.name), std::end(info.name), char16(0));
  // A 128-unit name fills the field without a terminator, as hosts expect of this record.
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 128), info.name);
  info.busType = busType;
  info.flags = static_cast<uint32>(flags);
  return true;
}

AudioBus::AudioBus(const TChar* busName, BusType type, int32 busFlags, SpeakerArrangement arr)
    : Bus(busName, type, busFlags), speakerArr(arr) {}

bool AudioBus::getInfo(BusInfo& info) {
  info.channelCount = SpeakerArr::getChannelCount(speakerArr);
  return Bus::getInfo(info);
}

EventBus::EventBus(const TChar* busName, BusType type, int32 busFlags, int32 channels)
    : Bus(busName, type, busFlags), channelCount(channels) {}

bool EventBus::getInfo(BusInfo& info) {
  info.channelCount = channelCount;
  return Bus::getInfo(info);
}

void BusList::append(Bus* bus) {
  if (bus != nullptr) buses.push_back(bus);
}

void BusList::removeAt(int32 index) {
  if (index < 0 || index >= size()) return;
  Bus* bus = buses[static_cast<std::size_t>(index)];
  buses.erase(buses.begin() + index);
  bus->release();
}

void BusList::replaceAt(int32 index, Bus* bus) {
  if (bus == nullptr) return;
  if (index < 0 || index > size()) {
    bus->release();
    return;
  }
  if (index == size()) {
    buses.push_back(bus);
    return;
  }
  Bus*& slot = buses[static_cast<std::size_t>(index)];
  slot->release();
  slot = bus;
}

void BusList::clear() {
  while (!buses.empty()) {
    Bus* bus = buses.back();
    buses.pop_back();
    bus->release();
  }
}

}  // namespace Vst
}  // namespace Steinberg
