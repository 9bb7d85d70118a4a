// The programs' source text.
#pragma once

namespace glcompat {
extern const char* const kVertexShader;
extern const char* const kFragmentShader;
}  // namespace glcompat
