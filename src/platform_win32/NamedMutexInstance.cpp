#include "platform_win32/NamedMutexInstance.h"

#include <windows.h>

#include <string>

#include "platform_win32/WideText.h"

namespace moravel {

NamedMutexInstance::NamedMutexInstance(std::string_view name) {
  const std::wstring wide = WideFromUtf8(name);
  // Owned by this thread when we create it; nobody ever waits on it.
  HANDLE mutex = ::CreateMutexW(nullptr, TRUE, wide.c_str());
  if (!mutex) {
    // Refused when a copy running with other rights (elevated) made it;
    // any other failure: no mutex to be had, count as first.
    first_ = ::GetLastError() != ERROR_ACCESS_DENIED;
    return;
  }
  first_ = ::GetLastError() != ERROR_ALREADY_EXISTS;
  mutex_ = mutex;
}

NamedMutexInstance::~NamedMutexInstance() {
  if (mutex_) ::CloseHandle(mutex_);
}

}  // namespace moravel
