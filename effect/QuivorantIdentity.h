// The effect's fixed identity, readable before any instance exists (the factories need it).
#pragma once

#include "plug/EffectIdentity.h"

namespace quivorant {

// The host API field is 0; each front end copies the record and sets its own API code.
const EffectIdentity& QuivorantIdentity();

}  // namespace quivorant
