// Calls a function with raw 32-bit argument slots and measures how many bytes of them the
// callee removed from the stack: the slot count times four for the standard calling
// convention, zero for the C convention.
#pragma once

#include <cstdint>

namespace qrwin {

uint32_t BytesRemovedByCallee(const void* function, const uint32_t* slots, uint32_t count);

}  // namespace qrwin
