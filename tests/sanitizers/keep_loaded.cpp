// Linked into the windowed programs of the sanitizer build only. SDL unloads the graphics and bus
// libraries it opened when it quits, before the leak check runs at exit; what they never freed
// then shows as leaks of an unknown module, which no suppression can name. Opening them here for
// good keeps them mapped, so the leak report names them and lsan.supp suppresses them by name.
#include <dlfcn.h>

#include <initializer_list>

namespace {

__attribute__((constructor)) void keepSystemLibrariesLoaded() {
    for (const char* lib : {"libEGL.so.1", "libEGL_mesa.so.0", "libGL.so.1", "libGLX.so.0",
                            "libGLX_mesa.so.0", "libGLdispatch.so.0", "libglapi.so.0",
                            "libdbus-1.so.3", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"})
        dlopen(lib, RTLD_LAZY | RTLD_NODELETE); // a library that is missing is simply not kept
}

} // namespace
