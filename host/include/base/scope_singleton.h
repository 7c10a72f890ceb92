// Lazily created singletons register their destruction here; TeardownScopeSingletons() (library
// teardown, hostkit::Reset) destroys them in reverse order of registration.
#pragma once

namespace base {

using SingletonDestroyer = void (*)(void* holder);

void RegisterScopeSingleton(void* holder, SingletonDestroyer destroy);
void TeardownScopeSingletons();

}  // namespace base
