#pragma once
// The class registrations that make this library the C++Builder add-in. They must all be made before
// the first singleton is requested; the library makes them when it is loaded.
void RegisterHostClasses();
