// SPDX-FileCopyrightText: 2026 The butterworth3 developers
// SPDX-License-Identifier: MIT
#include "calc/errors.h"

namespace calc {

std::string ErrorBoxText(std::string_view message)
{
    const bool addFullStop = !message.empty() && static_cast<unsigned char>(message.back()) > '.';
    std::string text;
    text.reserve(message.size() + 1);
    text.append(message);
    if (addFullStop)
        text.push_back('.');
    return text;
}

}  // namespace calc
