// exp and log as the desktop build's C library gives them (see ExpLog.cpp).
#pragma once

namespace ppspin::web {

double Exp(double x);
double Log(double x);

} // namespace ppspin::web
