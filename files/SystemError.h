// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The reason of a failed system call in Spanish, whatever the user's locale:
// the program speaks Spanish, and a reason in another language beside its
// Spanish texts reads as a fault. The errors files and folders give are
// worded here; any other comes from the C library, with its number.
namespace SystemError {

QString Text(int error);

} // namespace SystemError
