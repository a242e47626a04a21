#include <windows.h>

#include "runtime/kernel/runtime_application.h"

// The one application object was constructed before this runs; it owns the
// process from here on.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return veltrano::RuntimeApplication::current().run();
}
