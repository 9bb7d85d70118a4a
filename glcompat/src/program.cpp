// The fixed-function programs: one variant per combination of lighting, texturing, fog and
// points (plain or smooth), built on first use; their uniforms from the state; the draws.
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shaders.h"
#include "state.h"

namespace glcompat {

namespace {
enum Feature : unsigned { kLighting = 1, kTexture = 2, kFog = 4, kPoints = 8, kSmooth = 16, kVariants = 32 };
enum Location { kPosition, kColorIn, kNormalIn, kTexcoordIn };

enum Uniform {
  uMvp,
  uModelview,
  uNormalMatrix,
  uLightPosition,
  uLightAmbient,
  uLightDiffuse,
  uLightSpecular,
  uLightOn,
  uSceneAmbient,
  uMaterialAmbient,
  uMaterialDiffuse,
  uMaterialSpecular,
  uMaterialEmission,
  uShininess,
  uColorMaterial,
  uTexture,
  uBorder,
  uTextureSize,
  uFogColor,
  uFogDensity,
  uPointSize,
  uPointRadius,
  kUniforms
};
const char* const kUniformNames[kUniforms] = {"u_mvp",
                                              "u_modelview",
                                              "u_normalMatrix",
                                              "u_lightPosition",
                                              "u_lightAmbient",
                                              "u_lightDiffuse",
                                              "u_lightSpecular",
                                              "u_lightOn",
                                              "u_sceneAmbient",
                                              "u_materialAmbient",
                                              "u_materialDiffuse",
                                              "u_materialSpecular",
                                              "u_materialEmission",
                                              "u_shininess",
                                              "u_colorMaterial",
                                              "u_texture",
                                              "u_border",
                                              "u_textureSize",
                                              "u_fogColor",
                                              "u_fogDensity",
                                              "u_pointSize",
                                              "u_pointRadius"};

struct Program {
  GLuint id = 0;
  uint64_t serial = 0;  // the state serial its uniforms were last set from
  GLint uniforms[kUniforms] = {};
};
Program Programs[kVariants];

GLuint CompileShader(GLenum type, unsigned features) {
  std::string source;
  const char* const names[] = {"LIGHTING", "TEXTURE", "FOG", "POINTS", "SMOOTH"};
  for (int bit = 0; bit < 5; ++bit)
    if (features & (1u << bit)) source += std::string("#define ") + names[bit] + "\n";
  source += type == GL_VERTEX_SHADER ? kVertexShader : kFragmentShader;
  const GLuint shader = glCreateShader(type);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[2048] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    Tell("glcompat: variant %u does not compile:\n%s", features, log);
    std::abort();  // the layer's own text: a bug, whatever the failure policy
  }
  return shader;
}

Program& Build(unsigned features) {
  Program& p = Programs[features];
  if (p.id) return p;
  p.id = glCreateProgram();
  const GLuint vs = CompileShader(GL_VERTEX_SHADER, features), fs = CompileShader(GL_FRAGMENT_SHADER, features);
  glAttachShader(p.id, vs);
  glAttachShader(p.id, fs);
  const char* const attributes[] = {"a_position", "a_color", "a_normal", "a_texcoord"};
  for (GLuint i = 0; i < 4; ++i) glBindAttribLocation(p.id, i, attributes[i]);
  glLinkProgram(p.id);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = 0;
  glGetProgramiv(p.id, GL_LINK_STATUS, &ok);
  if (!ok) {
    Tell("glcompat: variant %u does not link", features);
    std::abort();
  }
  for (int u = 0; u < kUniforms; ++u) p.uniforms[u] = glGetUniformLocation(p.id, kUniformNames[u]);
  return p;
}

const Texture* BoundTexture() {
  const auto found = S().textures.find(S().boundTexture);
  return found != S().textures.end() && TextureComplete(found->second) ? &found->second : nullptr;
}

// GL turns texturing off for a texture that is not complete; so does the choice of variant.
unsigned Features(GLenum mode) {
  const State& s = S();
  unsigned f = 0;
  if (s.lighting) f |= kLighting;
  if (s.texture2d && BoundTexture()) f |= kTexture;
  if (s.fog) f |= kFog;
  if (mode == GL_POINTS) f |= s.pointSmooth ? kPoints | kSmooth : kPoints;
  return f;
}

// The inverse transpose of the modelview's upper 3 x 3: its cofactors over its determinant.
void NormalMatrix(const Mat4& m, float out[9]) {
  const double a[3][3] = {{m[0], m[1], m[2]}, {m[4], m[5], m[6]}, {m[8], m[9], m[10]}};  // columns
  double cofactor[3][3];
  for (int c = 0; c < 3; ++c) {
    const double* u = a[(c + 1) % 3];
    const double* v = a[(c + 2) % 3];
    cofactor[c][0] = u[1] * v[2] - u[2] * v[1];
    cofactor[c][1] = u[2] * v[0] - u[0] * v[2];
    cofactor[c][2] = u[0] * v[1] - u[1] * v[0];
  }
  const double det = a[0][0] * cofactor[0][0] + a[0][1] * cofactor[0][1] + a[0][2] * cofactor[0][2];
  const double scale = det != 0 ? 1 / det : 0;
  for (int c = 0; c < 3; ++c)
    for (int r = 0; r < 3; ++r) out[c * 3 + r] = static_cast<float>(cofactor[c][r] * scale);
}

void SetLighting(const Program& p) {
  const State& s = S();
  float normal[9], position[4 * kLights], ambient[3 * kLights], diffuse[3 * kLights], specular[3 * kLights];
  float on[kLights];
  NormalMatrix(s.modelview.back(), normal);
  for (int i = 0; i < kLights; ++i) {
    const Light& l = s.lights[i];
    for (int k = 0; k < 4; ++k) position[4 * i + k] = l.position[k];
    for (int k = 0; k < 3; ++k) {
      ambient[3 * i + k] = l.ambient[k];
      diffuse[3 * i + k] = l.diffuse[k];
      specular[3 * i + k] = l.specular[k];
    }
    on[i] = l.enabled ? 1.0f : 0.0f;
  }
  glUniformMatrix3fv(p.uniforms[uNormalMatrix], 1, GL_FALSE, normal);
  glUniform4fv(p.uniforms[uLightPosition], kLights, position);
  glUniform3fv(p.uniforms[uLightAmbient], kLights, ambient);
  glUniform3fv(p.uniforms[uLightDiffuse], kLights, diffuse);
  glUniform3fv(p.uniforms[uLightSpecular], kLights, specular);
  glUniform1fv(p.uniforms[uLightOn], kLights, on);
  glUniform3fv(p.uniforms[uSceneAmbient], 1, s.sceneAmbient);
  glUniform4fv(p.uniforms[uMaterialAmbient], 1, s.material.ambient);
  glUniform4fv(p.uniforms[uMaterialDiffuse], 1, s.material.diffuse);
  glUniform3fv(p.uniforms[uMaterialSpecular], 1, s.material.specular);
  glUniform3fv(p.uniforms[uMaterialEmission], 1, s.material.emission);
  glUniform1f(p.uniforms[uShininess], s.material.shininess);
  glUniform1i(p.uniforms[uColorMaterial], s.colorMaterial);
}

// Plain points are a whole number of pixels, as in GL: Mesa takes the size to 1/256 and
// rounds halves down. Smooth points are at least 2 pixels wide, as on Mesa; their sprite is
// a pixel wider than the disc, for the soft rim.
void SetPoints(const Program& p, bool smooth) {
  const float size = S().pointSize;
  if (!smooth) {
    const float fixed = std::round(size * 256) / 256;
    return glUniform1f(p.uniforms[uPointSize], std::max(1.0f, std::ceil(fixed - 0.5f)));
  }
  const float radius = std::max(size / 2, 1.0f), sprite = 2 * radius + 1;
  glUniform1f(p.uniforms[uPointSize], sprite);
  glUniform2f(p.uniforms[uPointRadius], radius, sprite);
}

void SetUniforms(Program& p, unsigned features) {
  const State& s = S();
  if (p.serial == s.serial) return;
  p.serial = s.serial;
  const Mat4 mvp = Multiply(s.projection.back(), s.modelview.back());
  glUniformMatrix4fv(p.uniforms[uMvp], 1, GL_FALSE, mvp.data());
  glUniformMatrix4fv(p.uniforms[uModelview], 1, GL_FALSE, s.modelview.back().data());
  if (features & kLighting) SetLighting(p);
  if (const Texture* t = (features & kTexture) ? BoundTexture() : nullptr) {
    glUniform1i(p.uniforms[uTexture], 0);
    glUniform3f(p.uniforms[uBorder], t->wrapS == GL_CLAMP, t->wrapT == GL_CLAMP, t->format == GL_RGBA);
    glUniform3f(p.uniforms[uTextureSize], static_cast<float>(t->width[0]), static_cast<float>(t->height[0]),
                t->minFilter == GL_LINEAR ? 0.0f : 1.0f);
  }
  if (features & kFog) {
    glUniform3fv(p.uniforms[uFogColor], 1, s.fogColor);
    glUniform1f(p.uniforms[uFogDensity], s.fogDensity);
  }
  if (features & kPoints) SetPoints(p, features & kSmooth);
}

// Attributes a list left to the call-time state are constants, not arrays.
void SetAttributes(const DrawSource& source) {
  const Current& c = S().current;
  const struct {
    GLuint location;
    GLint size;
    size_t offset;
    unsigned bit;
    const float* value;
  } attributes[] = {{kPosition, 3, offsetof(Vertex, position), 0, nullptr},
                    {kColorIn, 4, offsetof(Vertex, color), kColor, c.color},
                    {kNormalIn, 3, offsetof(Vertex, normal), kNormal, c.normal},
                    {kTexcoordIn, 2, offsetof(Vertex, texcoord), kTexcoord, c.texcoord}};
  glBindBuffer(GL_ARRAY_BUFFER, source.buffer);
  for (const auto& a : attributes) {
    if (source.inherited & a.bit) {
      glDisableVertexAttribArray(a.location);
      const float v[4] = {a.value[0], a.value[1], a.size > 2 ? a.value[2] : 0, a.size > 3 ? a.value[3] : 1};
      glVertexAttrib4fv(a.location, v);
    } else {
      glEnableVertexAttribArray(a.location);
      glVertexAttribPointer(a.location, a.size, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                            reinterpret_cast<const void*>(a.offset));
    }
  }
}
}  // namespace

void Submit(const DrawSource& source) {
  const unsigned features = Features(source.mode);
  Program& p = Build(features);
  glUseProgram(p.id);
  SetUniforms(p, features);
  SetAttributes(source);
  glDrawArrays(source.mode, source.first, source.count);
  ++S().draws;
}

void ReleasePrograms() {
  for (Program& p : Programs) {
    if (p.id) glDeleteProgram(p.id);
    p = Program{};
  }
}

}  // namespace glcompat
