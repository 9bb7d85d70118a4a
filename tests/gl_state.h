// The GL state a frame can leave behind, read back as named numbers: for checking what a
// scene leaves, and for comparing two ways of reaching the same moment.
#pragma once
#include <GL/gl.h>

#include <map>
#include <string>
#include <vector>

namespace lumaro {

using GlSnapshot = std::map<std::string, std::vector<double>>;

inline GlSnapshot TakeGlSnapshot() {
  GlSnapshot s;
  auto flag = [&](const char* name, GLenum cap) { s[name] = {static_cast<double>(glIsEnabled(cap))}; };
  auto ints = [&](const char* name, GLenum what, int count) {
    GLint v[16] = {};
    glGetIntegerv(what, v);
    s[name].assign(v, v + count);
  };
  auto floats = [&](const char* name, GLenum what, int count) {
    GLfloat v[16] = {};
    glGetFloatv(what, v);
    s[name].assign(v, v + count);
  };
  for (auto [name, cap] : {std::pair{"lighting", GL_LIGHTING},
                           {"light0", GL_LIGHT0},
                           {"light1", GL_LIGHT1},
                           {"light2", GL_LIGHT2},
                           {"blend", GL_BLEND},
                           {"cull face", GL_CULL_FACE},
                           {"depth test", GL_DEPTH_TEST},
                           {"texture 2d", GL_TEXTURE_2D},
                           {"fog", GL_FOG},
                           {"colour material", GL_COLOR_MATERIAL},
                           {"point smooth", GL_POINT_SMOOTH},
                           {"scissor test", GL_SCISSOR_TEST}})
    flag(name, cap);
  GLint source = 0, destination = 0;
  glGetIntegerv(GL_BLEND_SRC, &source);
  glGetIntegerv(GL_BLEND_DST, &destination);
  s["blend func"] = {static_cast<double>(source), static_cast<double>(destination)};
  ints("depth func", GL_DEPTH_FUNC, 1);
  ints("depth mask", GL_DEPTH_WRITEMASK, 1);
  ints("cull mode", GL_CULL_FACE_MODE, 1);
  ints("front face", GL_FRONT_FACE, 1);
  ints("shade model", GL_SHADE_MODEL, 1);
  ints("matrix mode", GL_MATRIX_MODE, 1);
  ints("modelview depth", GL_MODELVIEW_STACK_DEPTH, 1);
  ints("projection depth", GL_PROJECTION_STACK_DEPTH, 1);
  floats("modelview", GL_MODELVIEW_MATRIX, 16);
  floats("projection", GL_PROJECTION_MATRIX, 16);
  ints("viewport", GL_VIEWPORT, 4);
  ints("scissor box", GL_SCISSOR_BOX, 4);
  floats("clear colour", GL_COLOR_CLEAR_VALUE, 4);
  floats("colour", GL_CURRENT_COLOR, 4);
  floats("normal", GL_CURRENT_NORMAL, 3);
  floats("texcoord", GL_CURRENT_TEXTURE_COORDS, 4);
  floats("point size", GL_POINT_SIZE, 1);
  floats("light model ambient", GL_LIGHT_MODEL_AMBIENT, 4);
  ints("fog mode", GL_FOG_MODE, 1);
  floats("fog density", GL_FOG_DENSITY, 1);
  floats("fog colour", GL_FOG_COLOR, 4);
  ints("texture", GL_TEXTURE_BINDING_2D, 1);
  GLint size[2] = {};
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size[0]);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &size[1]);
  s["texture size"] = {static_cast<double>(size[0]), static_cast<double>(size[1])};
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  s["texture env"] = {static_cast<double>(mode)};
  const char* parts[] = {"ambient", "diffuse", "specular", "position"};
  const GLenum params[] = {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR, GL_POSITION};
  for (int light = 0; light < 3; ++light)
    for (int p = 0; p < 4; ++p) {
      GLfloat v[4] = {};
      glGetLightfv(GL_LIGHT0 + light, params[p], v);
      s["light" + std::to_string(light) + " " + parts[p]].assign(v, v + 4);
    }
  for (auto [name, param] : {std::pair{"material ambient", GL_AMBIENT},
                             {"material diffuse", GL_DIFFUSE},
                             {"material specular", GL_SPECULAR},
                             {"material emission", GL_EMISSION}}) {
    GLfloat v[4] = {};
    glGetMaterialfv(GL_FRONT, param, v);
    s[name].assign(v, v + 4);
  }
  GLfloat shininess = 0;
  glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
  s["material shininess"] = {shininess};
  return s;
}

// The entries of `a` that `b` lacks or holds otherwise, one a line.
inline std::string SnapshotDifferences(const GlSnapshot& a, const GlSnapshot& b) {
  std::string out;
  auto text = [](const std::vector<double>& v) {
    std::string t;
    for (double x : v) t += (t.empty() ? "" : " ") + std::to_string(x);
    return t;
  };
  for (const auto& [name, values] : a) {
    const auto other = b.find(name);
    if (other == b.end() || other->second != values)
      out += name + ": " + text(values) + " / " + (other == b.end() ? "-" : text(other->second)) + "\n";
  }
  return out;
}

}  // namespace lumaro
