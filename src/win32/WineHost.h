#pragma once

namespace kv {

// True when the program runs under Wine rather than Windows. Used only to work
// around a Wine behaviour beside the call that needs it; Windows paths never
// change.
bool HostIsWine();

}  // namespace kv
