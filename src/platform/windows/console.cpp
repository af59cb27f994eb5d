#include "platform/console.hpp"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace kelvar {

void binaryStandardOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}

} // namespace kelvar
