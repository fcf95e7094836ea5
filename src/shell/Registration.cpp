#include "shell/Registration.h"

namespace Windows {

void registerAll() {}

} // namespace Windows
