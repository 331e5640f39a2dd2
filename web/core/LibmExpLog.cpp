// The page's exp and log in place of the C library's, for every caller in
// the core (the model's properties, goal seeking's log scale): defined in
// the module itself, so the linker takes these before the library's.
#include "ExpLog.h"

extern "C" {

double exp(double x) {
    return ppspin::web::Exp(x);
}

double log(double x) {
    return ppspin::web::Log(x);
}

} // extern "C"
