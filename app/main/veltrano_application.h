#pragma once

#include "runtime/kernel/application_descriptor.h"

namespace veltrano::app {

extern const ApplicationDescriptor kVeltranoApplication;

}  // namespace veltrano::app
