#pragma once
// Runs a check as a user without special rights, so that folder permissions apply even when the
// tests run as root: root forks a child that drops to "nobody"; anyone else runs it in place.
#include <functional>

// The check's result; false as well when the child could not drop its rights.
bool RunUnprivileged(const std::function<bool()>& check);
