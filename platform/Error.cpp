#include "platform/Error.h"

namespace orvelle::platform {

// Not inlined, so that the return address is the code that raised the error.
#if defined(_MSC_VER)
#include <intrin.h>
#pragma intrinsic(_ReturnAddress)
__declspec(noinline) Error::Error(std::wstring message)
    : message_(std::move(message)), address_(_ReturnAddress()) {}
#else
__attribute__((noinline)) Error::Error(std::wstring message)
    : message_(std::move(message)), address_(__builtin_return_address(0)) {}
#endif

}  // namespace orvelle::platform
