#pragma once

#include "sim/SimMachine.h"

namespace kv::contract {

// The one simulated machine every contract case on the sim runs against.
sim::SimMachine& SimContractMachine();

}  // namespace kv::contract
