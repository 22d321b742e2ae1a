#pragma once
// The desktop's top-level windows of every program, as far as the windowing system shows them.
#include <string>

// Finds a top-level window of any program whose title begins with `titlePrefix` (among the first 31
// characters of the title), restores it when it is minimised and brings it to the front. False when
// there is none, or when the platform can't show other programs' windows (offscreen).
bool RaiseWindowTitled(const std::string& titlePrefix);
