#include "app/windows.h"

namespace app {

Windows windows;

}  // namespace app
