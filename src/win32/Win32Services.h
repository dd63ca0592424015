#pragma once

#include "platform/Services.h"

namespace kv {

// The service control manager. Its functions are looked up at run time: the
// 9x platform has no service control manager, and this program must still
// load there.
class Win32Services : public Services {
 public:
  uint32_t OpenManager(ScHandle* manager) override;
  uint32_t OpenService(ScHandle manager, std::string_view name, uint32_t access,
                       ScHandle* service) override;
  uint32_t CloseHandle(ScHandle handle) override;
  uint32_t Stop(ScHandle service) override;
  uint32_t Start(ScHandle service) override;
  uint32_t QueryState(ScHandle service, uint32_t* currentState) override;
};

}  // namespace kv
