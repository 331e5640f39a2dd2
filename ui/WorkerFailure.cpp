#include "WorkerFailure.h"

#include <new>

namespace ppspin {

std::string FailureReason(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const std::exception& e) {
        if (*e.what() != '\0')
            return e.what();
    } catch (...) {
    }
    return "an unexpected error";
}

} // namespace ppspin
