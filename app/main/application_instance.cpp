#include "app/main/main_routine.h"
#include "app/main/veltrano_application.h"
#include "runtime/kernel/runtime_application.h"

// The one application object of the program, alive before anything runs.
veltrano::RuntimeApplication theApplication(veltrano::app::kVeltranoApplication, &veltrano::app::applicationMain);
