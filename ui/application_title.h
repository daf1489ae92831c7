// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
// The application title, which captions the error box and names the program to the
// desktop: the executable's file name without directory and extension (cut at the first
// full stop), first character unchanged and every later one in lower case.
#pragma once

class QString;

namespace ui {

QString ApplicationTitle(const QString& executablePath);

}  // namespace ui
