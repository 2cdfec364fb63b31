#include "stack_probe.h"

// uint32_t QrProbeCall(const void* fn, const uint32_t* slots, uint32_t count), C convention.
// Pushes slots[count-1] .. slots[0] (right to left, as a caller does), calls fn and answers
// how far the stack pointer moved back up during the call. EDI keeps the stack pointer from
// before the pushes and EBX the pushed size (both survive the call, the callee must keep them),
// so the stack is put right whatever the callee removed.
asm(R"(
    .text
    .globl _QrProbeCall
    .def _QrProbeCall; .scl 2; .type 32; .endef
_QrProbeCall:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 8(%ebp), %edx
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    movl %esp, %edi
    leal 0(,%ecx,4), %ebx
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  call *%edx
    movl %esp, %eax
    subl %edi, %eax
    addl %ebx, %eax
    movl %edi, %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

extern "C" uint32_t QrProbeCall(const void* function, const uint32_t* slots, uint32_t count);

namespace qrwin {

uint32_t BytesRemovedByCallee(const void* function, const uint32_t* slots, uint32_t count) {
    return QrProbeCall(function, slots, count);
}

}  // namespace qrwin
