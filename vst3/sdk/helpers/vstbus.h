// Audio and event buses of a component, and the lists a component keeps of them
// (audio/event x input/output). A bus is inactive until the host activates it, whatever its
// default-active flag says.
#pragma once

#include <string>
#include <vector>

#include "vst3/sdk/helpers/fobject.h"
#include "vst3/sdk/interfaces/ivstcomponent.h"

namespace Steinberg {
namespace Vst {

class Bus : public FObject {
public:
  Bus(const TChar* name, BusType busType, int32 flags);

  bool isActive() const { return active; }
  void setActive(TBool state) { active = state != 0; }
  void setName(const TChar* newName);
  const std::u16string& getName() const { return name; }
  BusType getBusType() const { return busType; }
  int32 getFlags() const { return flags; }
  // Fills name, bus type and flags; the list fills media type and direction.
  virtual bool getInfo(BusInfo& info);

  OBJ_METHODS(Bus, FObject)

protected:
  std::u16string name;
  BusType busType;
  int32 flags;
  bool active = false;
};

class AudioBus : public Bus {
public:
  AudioBus(const TChar* name, BusType busType, int32 flags, SpeakerArrangement arr);
  SpeakerArrangement getArrangement() const { return speakerArr; }
  void setArrangement(SpeakerArrangement arr) { speakerArr = arr; }
  bool getInfo(BusInfo& info) override;

  OBJ_METHODS(AudioBus, Bus)

protected:
  SpeakerArrangement speakerArr;
};

class EventBus : public Bus {
public:
  EventBus(const TChar* name, BusType busType, int32 flags, int32 channelCount);
  bool getInfo(BusInfo& info) override;

  OBJ_METHODS(EventBus, Bus)

protected:
  int32 channelCount;
};

class BusList {
public:
  BusList(MediaType type, BusDirection direction) : type(type), direction(direction) {}
  ~BusList() { clear(); }
  BusList(const BusList&) = delete;
  BusList& operator=(const BusList&) = delete;

  MediaType getType() const { return type; }
  BusDirection getDirection() const { return direction; }
  int32 size() const { return static_cast<int32>(buses.size()); }
  // Null for an index out of range. Inline: the audio thread asks every block.
  Bus* at(int32 index) const { return index < 0 || index >= size() ? nullptr : buses[static_cast<std::size_t>(index)]; }
  // Takes over the caller's reference.
  void append(Bus* bus);
  void removeAt(int32 index);
  // Puts `bus` at `index` (releasing the bus there), or appends it when index == size().
  void replaceAt(int32 index, Bus* bus);
  void clear();

private:
  MediaType type;
  BusDirection direction;
  std::vector<Bus*> buses;
};

}  // namespace Vst
}  // namespace Steinberg
