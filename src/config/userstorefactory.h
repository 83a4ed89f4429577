#pragma once

#include "config/userstore.h"

#include <memory>

namespace vex {

// The platform's per-user store: the registry on Windows, the store file elsewhere.
std::unique_ptr<UserStore> CreatePlatformUserStore();

// Whether the desktop's visual themes are active. On Windows the per-user value
// ThemeActive of the theme manager decides (on unless it reads exactly "0"); elsewhere a
// desktop style is always in effect, so themes are on.
bool ReadThemesActive();

}  // namespace vex
