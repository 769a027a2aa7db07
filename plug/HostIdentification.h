// Which host application runs the plug-in, as a small integer, so that a few places can work
// around host behaviour. The wrapper learns the host's product name and hands it to
// IEffectBase::SetHost; the code is -1 before that and 0 for a host we do not know.
#pragma once

namespace quivorant {

enum HostCodeValue : int {
  kHostNotIdentified = -1,
  kHostUnknown = 0,
  kHostReaper = 1,
  kHostCubase = 3,
  kHostNuendo = 4,
  kHostCakewalk = 5,
  kHostFruity = 7,
  kHostSamplitude = 8,
  kHostLive = 9,
  kHostMelodyne = 12,
  kHostVstManLib = 13,
  kHostAuLab = 14,
  kHostForte = 15,
  kHostChainer = 16,
  kHostAudition = 17,
  kHostOrion = 18,
  kHostSawStudio = 20,
  kHostLogic = 21,
  kHostDigital = 22,
  kHostAudioMulch = 23,
  kHostPresonus = 24,
  kHostAcoustica = 25,
  kHostGarageBand = 26,
  kHostArdour = 27,
  kHostWavelab = 28,
  kHostBrainwaveProducer = 29,
  kHostGold = 30,
};

// Case-insensitive substring match of the host's product name against our host table; the
// first row that occurs wins. A null name counts as the empty name (code 0). Only the first
// 255 characters are looked at.
int LookupHostCode(const char* name);

}  // namespace quivorant
