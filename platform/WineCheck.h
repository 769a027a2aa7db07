// Whether we run under Wine. Windows: the key Software\Wine under HKEY_LOCAL_MACHINE exists
// (looked up once per process, then cached). Other systems: always false.
#pragma once

namespace quivorant {

bool IsRunningUnderWine();

}  // namespace quivorant
