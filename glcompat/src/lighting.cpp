// Lights, the light model, the material, colour material, fog and the shade model: state
// the programs read as uniforms.
#include <algorithm>

#include "state.h"

namespace glcompat {

namespace {
// Positions are kept in eye space, moved by the modelview of the moment they are given;
// a positional light's w is divided out.
void SetPosition(Light* light, const GLfloat* p) {
  const Mat4& m = S().modelview.back();
  float eye[4];
  for (int row = 0; row < 4; ++row)
    eye[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2] + m[12 + row] * p[3];
  if (eye[3] != 0) {
    for (int i = 0; i < 3; ++i) eye[i] /= eye[3];
    eye[3] = 1;
  }
  std::copy(eye, eye + 4, light->position);
}

bool FogParameter(const char* call, GLenum pname, GLfloat value) {
  switch (pname) {
    case GL_FOG_MODE:
      if (static_cast<GLenum>(value) != GL_EXP) Unsupported(call, "fog mode", static_cast<GLenum>(value));
      return true;
    case GL_FOG_DENSITY:
      if (value < 0) {
        Refuse(call, "negative fog density", GL_INVALID_VALUE);
        return true;
      }
      S().fogDensity = value;
      break;
    case GL_FOG_START: S().fogStart = value; break;
    case GL_FOG_END: S().fogEnd = value; break;
    default: return false;
  }
  Changed();
  return true;
}
}  // namespace

}  // namespace glcompat

using namespace glcompat;

extern "C" {

void lgl_Lightfv(GLenum light, GLenum pname, const GLfloat* params) {
  if (!OutsideBeginEnd("glLightfv")) return;
  if (light < GL_LIGHT0 || light >= GL_LIGHT0 + kLights) return Unsupported("glLightfv", "light", light);
  if (pname != GL_AMBIENT && pname != GL_DIFFUSE && pname != GL_SPECULAR && pname != GL_POSITION)
    return Unsupported("glLightfv", "parameter", pname);
  if (RecordCall(kCallLight, params, 4, light, pname)) return;
  Light& l = S().lights[light - GL_LIGHT0];
  switch (pname) {
    case GL_AMBIENT: std::copy(params, params + 4, l.ambient); break;
    case GL_DIFFUSE: std::copy(params, params + 4, l.diffuse); break;
    case GL_SPECULAR: std::copy(params, params + 4, l.specular); break;
    default: SetPosition(&l, params); break;
  }
  Changed();
}

void lgl_LightModelfv(GLenum pname, const GLfloat* params) {
  if (!Immediate("glLightModelfv")) return;
  if (pname != GL_LIGHT_MODEL_AMBIENT) return Unsupported("glLightModelfv", "parameter", pname);
  std::copy(params, params + 4, S().sceneAmbient);
  Changed();
}

void lgl_Materialfv(GLenum face, GLenum pname, const GLfloat* params) {
  if (!OutsideBeginEnd("glMaterialfv")) return;
  if (face != GL_FRONT_AND_BACK) return Unsupported("glMaterialfv", "face", face);
  const bool scalar = pname == GL_SHININESS;
  if (!scalar && pname != GL_AMBIENT && pname != GL_DIFFUSE && pname != GL_SPECULAR && pname != GL_AMBIENT_AND_DIFFUSE)
    return Unsupported("glMaterialfv", "parameter", pname);
  if (scalar && (params[0] < 0 || params[0] > 128))
    return Refuse("glMaterialfv", "shininess outside 0 to 128", GL_INVALID_VALUE);
  if (RecordCall(kCallMaterial, params, scalar ? 1 : 4, face, pname)) return;
  Material& m = S().material;
  if (pname == GL_AMBIENT || pname == GL_AMBIENT_AND_DIFFUSE) std::copy(params, params + 4, m.ambient);
  if (pname == GL_DIFFUSE || pname == GL_AMBIENT_AND_DIFFUSE) std::copy(params, params + 4, m.diffuse);
  if (pname == GL_SPECULAR) std::copy(params, params + 4, m.specular);
  if (scalar) m.shininess = params[0];
  Changed();
}

void lgl_Materialf(GLenum face, GLenum pname, GLfloat param) {
  if (pname != GL_SHININESS) return Unsupported("glMaterialf", "parameter", pname);
  lgl_Materialfv(face, pname, &param);
}

// GL's default pairing is the only one the layer lights with.
void lgl_ColorMaterial(GLenum face, GLenum mode) {
  if (!Immediate("glColorMaterial")) return;
  if (face != GL_FRONT_AND_BACK) return Unsupported("glColorMaterial", "face", face);
  if (mode != GL_AMBIENT_AND_DIFFUSE) return Unsupported("glColorMaterial", "mode", mode);
}

void lgl_ShadeModel(GLenum mode) {
  if (!Immediate("glShadeModel")) return;
  if (mode != GL_SMOOTH) Unsupported("glShadeModel", "mode", mode);
}

void lgl_Fogf(GLenum pname, GLfloat param) {
  if (!Immediate("glFogf")) return;
  if (!FogParameter("glFogf", pname, param)) Unsupported("glFogf", "parameter", pname);
}

void lgl_Fogi(GLenum pname, GLint param) {
  if (!Immediate("glFogi")) return;
  if (!FogParameter("glFogi", pname, static_cast<GLfloat>(param))) Unsupported("glFogi", "parameter", pname);
}

void lgl_Fogfv(GLenum pname, const GLfloat* params) {
  if (!Immediate("glFogfv")) return;
  if (pname == GL_FOG_COLOR) {
    for (int i = 0; i < 4; ++i) S().fogColor[i] = std::clamp(params[i], 0.0f, 1.0f);
    Changed();
  } else if (!FogParameter("glFogfv", pname, params[0])) {
    Unsupported("glFogfv", "parameter", pname);
  }
}

}  // extern "C"
