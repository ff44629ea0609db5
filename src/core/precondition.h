#pragma once
// Checks of the engine's documented preconditions (indices in range, finite
// inputs). Debug builds check them and abort with the failed condition; release
// builds compile them away unless HABITOPIA_CHECK_PRECONDITIONS is defined.

namespace habitopia {

[[noreturn]] void PreconditionFailed(const char* condition, const char* file, int line);

}  // namespace habitopia

#if !defined(NDEBUG) || defined(HABITOPIA_CHECK_PRECONDITIONS)
#define HABITOPIA_EXPECTS(condition)  \
  ((condition) ? static_cast<void>(0) \
               : ::habitopia::PreconditionFailed(#condition, __FILE__, __LINE__))
#define HABITOPIA_PRECONDITIONS_CHECKED 1
#else
#define HABITOPIA_EXPECTS(condition) static_cast<void>(0)
#define HABITOPIA_PRECONDITIONS_CHECKED 0
#endif
