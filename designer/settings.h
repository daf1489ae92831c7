// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The last design that read, kept with QSettings in the platform's standard place, so that
// the window opens where the user left it.
#pragma once

#include <optional>

#include "designer/inputs.h"

namespace designer {

void SaveLastDesign(const Inputs& inputs);

// nullopt at first, or when what was kept no longer reads.
std::optional<Inputs> LastDesign();

}  // namespace designer
