#include "app/main/application_constants.h"

namespace veltrano::app {

const ApplicationConstants kConstants = {
    {'\0'},
    {1, 0},
};

}  // namespace veltrano::app
