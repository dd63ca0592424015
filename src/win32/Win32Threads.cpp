#include "win32/Win32Threads.h"

#include "win32/Win32Api.h"

#include <memory>
#include <string>

#include "handles/WindowsHandles.h"
#include "platform/Errors.h"
#include "win32/Win32Proc.h"

namespace kv {
namespace {

using Body = std::function<void()>;

DWORD WINAPI RunBody(LPVOID parameter) {
  std::unique_ptr<Body> body(static_cast<Body*>(parameter));
  (*body)();
  return 0;
}

}  // namespace

uint32_t Win32Threads::Start(std::function<void()> body, ThreadHandle* thread) {
  auto owned = std::make_unique<Body>(std::move(body));
  // NT 4.0 and the 9x platform need a place for the thread id.
  DWORD threadId = 0;
  HANDLE started = ::CreateThread(nullptr, 0, RunBody, owned.get(), 0, &threadId);
  if (started == nullptr) return LastErrorOr(kErrorNotEnoughMemory);
  owned.release();  // the thread owns its body now
  *thread = reinterpret_cast<ThreadHandle>(started);
  return kErrorSuccess;
}

uint32_t Win32Threads::Join(ThreadHandle thread) {
  const KernelHandle handle(reinterpret_cast<HANDLE>(thread));
  DWORD waited = ::WaitForSingleObject(handle.get(), INFINITE);
  return waited == WAIT_OBJECT_0 ? kErrorSuccess : LastErrorOr(kErrorInvalidHandle);
}

uint32_t Win32Threads::JoinDispatching(ThreadHandle thread) {
  HANDLE handle = reinterpret_cast<HANDLE>(thread);
  for (;;) {
    DWORD waited = ::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT);
    if (waited != WAIT_OBJECT_0 + 1) break;
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // Left for the caller's own loop; the thread is still waited for.
        ::PostQuitMessage(static_cast<int>(message.wParam));
        return Join(thread);
      }
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  return Join(thread);
}

uint32_t Win32Threads::CreateNamedMutex(std::string_view name, MutexHandle* mutex,
                                        bool* alreadyExisted) {
  HANDLE created = ::CreateMutexA(nullptr, FALSE, std::string(name).c_str());
  if (created == nullptr) return LastErrorOr(kErrorInvalidHandle);
  *alreadyExisted = GetLastError() == ERROR_ALREADY_EXISTS;
  *mutex = reinterpret_cast<MutexHandle>(created);
  return kErrorSuccess;
}

uint32_t Win32Threads::CloseMutex(MutexHandle mutex) {
  if (!KernelHandleTraits::Close(reinterpret_cast<HANDLE>(mutex)))
    return LastErrorOr(kErrorInvalidHandle);
  return kErrorSuccess;
}

bool Win32Threads::NamedMutexExists(std::string_view name) {
  KernelHandle opened(::OpenMutexA(SYNCHRONIZE, FALSE, std::string(name).c_str()));
  if (opened.valid()) return true;
  return GetLastError() == ERROR_ACCESS_DENIED;
}

}  // namespace kv
