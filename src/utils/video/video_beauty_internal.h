// Pieces of the AI settings lists shared by their files. Not installed.
#pragma once

#include <string>
#include <string_view>

namespace velto::beauty_internal {

// The dark theme is on (theme model 10074); light when the model cannot say.
bool IsDarkTheme();

// `dir` + `name` + ".svg", or "_dark.svg" in the dark theme.
std::string IconPath(const std::string& dir, std::string_view name, bool dark);

}  // namespace velto::beauty_internal
