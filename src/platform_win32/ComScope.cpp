#include "platform_win32/ComScope.h"

#include <objbase.h>
#include <windows.h>

namespace moravel {

ComScope::ComScope() {
  // S_FALSE (already initialised the same way) is owed a CoUninitialize too;
  // RPC_E_CHANGED_MODE (a multithreaded apartment) is not, and serves as well.
  const HRESULT result =
      ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  joined_ = SUCCEEDED(result);
}

ComScope::~ComScope() {
  if (joined_) ::CoUninitialize();
}

}  // namespace moravel
