#include "platform/WineCheck.h"

namespace quivorant {

bool IsRunningUnderWine() { return false; }

}  // namespace quivorant
