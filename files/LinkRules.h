// SPDX-License-Identifier: MIT
#pragma once

#include "Outcome.h"

#include <QByteArray>

// Which symbolic links the program follows to its files. Someone who may
// write to the folder that holds a link could point it anywhere: at a file
// of the user's (or of the superuser running the program), to be overwritten
// with a colour list, or at a name not yet taken, to be created with the
// user's rights. So a link is followed only when it and the folder holding it
// belong to the user or to the superuser, and no one else may write to that
// folder (the rule the kernel's protected_symlinks applies to sticky folders,
// made stricter).
namespace LinkRules {

struct Target
{
    QByteArray path;       // where path leads: itself when it is no link
    bool dangling = false; // a link that leads to nothing
};

// Follows the links at path's last component, each checked as above; fails
// with the reason at the first link that is not followed.
Outcome<Target> Follow(const QByteArray& path);

} // namespace LinkRules
