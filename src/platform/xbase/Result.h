#pragma once
// The engine reports failures with the program-wide result types; it names them in its own
// namespace so engine code reads as plain xbase.

#include "platform/Result.h"

namespace xbase {

using corvane::Result;
using corvane::Status;

}  // namespace xbase
