// The contributes boundary: calls into module and extension code (module loads, extension
// activations, event handlers) run here, so that a module that throws costs its own item and
// nothing else. Nothing thrown by a module goes on across the library's interface.
#pragma once

#include <functional>
#include <string>

namespace velto::extension_support {

struct Culprit {
  std::string module;
  std::string extension_id;
  std::string contributes_id;
};

// Runs `call`. An exception is logged at level 1 ("<what> threw, module:... extension:...
// contributes:...: <reason>") and swallowed; false then.
bool Contain(const char* what, const Culprit& culprit, const std::function<void()>& call);

}  // namespace velto::extension_support
