#include "platform/console.hpp"

namespace kelvar {

void binaryStandardOutput() {} // POSIX streams write the bytes as they are

} // namespace kelvar
