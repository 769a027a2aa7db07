#include "plug/HostIdentification.h"

#include <cctype>
#include <cstring>

namespace quivorant {

namespace {

struct HostRow {
  const char* substring;
  int code;
};

// Searched in order; the order settles names that hold several of these.
constexpr HostRow kHostTable[] = {
    {"brainwaveproducer", kHostBrainwaveProducer},
    {"cubase", kHostCubase},
    {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostCakewalk},
    {"samplitude", kHostSamplitude},
    {"fruity", kHostFruity},
    {"live", kHostLive},
    {"melodyne", kHostMelodyne},
    {"vstmanlib", kHostVstManLib},
    {"aulab", kHostAuLab},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"sawstudio", kHostSawStudio},
    {"logic", kHostLogic},
    {"digital", kHostDigital},
    {"audiomulch", kHostAudioMulch},
    {"presonus", kHostPresonus},
    {"acoustica", kHostAcoustica},
    {"garageband", kHostGarageBand},
    {"ardour", kHostArdour},
    {"wavelab", kHostWavelab},
    {"gold", kHostGold},
};

constexpr std::size_t kMaxHostNameLength = 255;

}  // namespace

int LookupHostCode(const char* name) {
  char lower[kMaxHostNameLength + 1];
  std::size_t n = 0;
  if (name) {
    for (; n < kMaxHostNameLength && name[n] != '\0'; ++n) {
      lower[n] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[n])));
    }
  }
  lower[n] = '\0';
  for (const HostRow& row : kHostTable) {
    if (std::strstr(lower, row.substring)) return row.code;
  }
  return kHostUnknown;
}

}  // namespace quivorant
