#pragma once
// Runs a check as a user without special rights, so that folder permissions apply even when the
// tests run as root: root forks a child that drops to "nobody" (or to `user`); anyone else runs it in
// place.
#include <functional>

#include <sys/types.h>

constexpr uid_t NobodyUser = 65534;
constexpr uid_t SecondUser = 65533;   // a second user without rights, for checks between users

// The check's result; false as well when the child could not drop its rights.
bool RunUnprivileged(const std::function<bool()>& check, uid_t user = NobodyUser);
