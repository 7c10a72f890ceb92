# The headers are commented with plain // lines, not Doxygen's markers. Doxygen reads each header
# through this filter (line for line, so its line numbers stay right):
# - the header's opening note, the comment block just above "#pragma once", becomes the file's
#   documentation: the "#pragma once" line turns into a \file command that joins that block;
# - "//   " lines (the usage examples, indented by three spaces) become code blocks;
# - every other "// " comment line becomes a "/// " documentation line for what follows it.
s|^#pragma once$|/// \\file|
s|^\([[:space:]]*\)//   |\1///       |
s|^\([[:space:]]*\)// |\1/// |
s|^\([[:space:]]*\)//$|\1///|
