// The GLSL ES 1.00 text of the fixed-function programs. Each variant is this text behind
// some of the defines LIGHTING, TEXTURE, FOG, POINTS and SMOOTH.
#include "shaders.h"

namespace glcompat {

const char* const kVertexShader = R"(
attribute vec3 a_position;
attribute vec4 a_color;
attribute vec3 a_normal;
attribute vec2 a_texcoord;
uniform mat4 u_mvp;
uniform mat4 u_modelview;
varying vec4 v_color;
#ifdef TEXTURE
varying vec2 v_texcoord;
#endif
#ifdef FOG
varying float v_fog;
#endif
#ifdef POINTS
uniform float u_pointSize;
#endif
#ifdef LIGHTING
uniform mat3 u_normalMatrix;
uniform vec4 u_lightPosition[3];
uniform vec3 u_lightAmbient[3];
uniform vec3 u_lightDiffuse[3];
uniform vec3 u_lightSpecular[3];
uniform float u_lightOn[3];
uniform vec3 u_sceneAmbient;
uniform vec4 u_materialAmbient;
uniform vec4 u_materialDiffuse;
uniform vec3 u_materialSpecular;
uniform vec3 u_materialEmission;
uniform float u_shininess;
uniform bool u_colorMaterial;

/* GL's lighting of one vertex, front side, viewer at infinity, no attenuation or spot:
     emission + ambient * scene ambient
     + for each light: ambient * light ambient
                       + max(n.L, 0) * diffuse * light diffuse
                       + (n.L > 0 ? max(n.H, 0)^shininess : 0) * specular * light specular
   L is the unit vector towards the light (its direction when w = 0), H = normalize(L + z).
   The normal is used as transformed, not renormalised, as GL does without GL_NORMALIZE.
   Colour material puts the vertex colour in place of the material's ambient and diffuse;
   the alpha is the diffuse alpha. */
vec4 Lit(vec3 eye, vec3 n) {
  vec4 ambient = u_colorMaterial ? a_color : u_materialAmbient;
  vec4 diffuse = u_colorMaterial ? a_color : u_materialDiffuse;
  vec3 sum = u_materialEmission + ambient.rgb * u_sceneAmbient;
  for (int i = 0; i < 3; ++i) {
    if (u_lightOn[i] > 0.5) {
      vec4 p = u_lightPosition[i];
      vec3 l = normalize(p.w == 0.0 ? p.xyz : p.xyz - eye);
      float nl = dot(n, l);
      sum += ambient.rgb * u_lightAmbient[i];
      if (nl > 0.0) {
        float nh = max(dot(n, normalize(l + vec3(0.0, 0.0, 1.0))), 0.0);
        float shine = nh > 0.0 ? pow(nh, u_shininess) : (u_shininess == 0.0 ? 1.0 : 0.0);
        sum += nl * diffuse.rgb * u_lightDiffuse[i] + shine * u_materialSpecular * u_lightSpecular[i];
      }
    }
  }
  return vec4(sum, diffuse.a);
}
#endif

void main() {
  vec4 position = vec4(a_position, 1.0);
  gl_Position = u_mvp * position;
  vec3 eye = (u_modelview * position).xyz;
#ifdef LIGHTING
  v_color = clamp(Lit(eye, u_normalMatrix * a_normal), 0.0, 1.0);
#else
  v_color = clamp(a_color, 0.0, 1.0);
#endif
#ifdef TEXTURE
  v_texcoord = a_texcoord;
#endif
#ifdef FOG
  v_fog = abs(eye.z);  // Mesa's fog distance: the eye-space depth
#endif
#ifdef POINTS
  gl_PointSize = u_pointSize;
  // GL drops a point whose centre is outside the view volume; GLES would still draw the
  // pixels of it that reach in. Such a point is moved far outside instead.
  if (any(greaterThan(abs(gl_Position.xyz), vec3(gl_Position.w)))) gl_Position = vec4(2.0, 2.0, 2.0, 1.0);
#endif
}
)";

const char* const kFragmentShader = R"(
#ifdef GL_OES_standard_derivatives
#extension GL_OES_standard_derivatives : enable
#endif
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
varying vec4 v_color;
#ifdef TEXTURE
varying vec2 v_texcoord;
uniform sampler2D u_texture;
uniform vec3 u_border;       // x, y: GL_CLAMP across, along; z: the texels have an alpha
uniform vec3 u_textureSize;  // level 0's width and height; z: 1 when mipmapped

/* GL_CLAMP filters the border colour, transparent black, into the outer half texel of the
   level sampled, which GL_CLAMP_TO_EDGE (all GLES2 has) does not: the edge texel is faded
   by the border's share of the linear filter, per axis. A mipmapped texture is sampled from
   two levels as GL_LINEAR_MIPMAP_LINEAR weighs them, from the level of detail the
   derivatives give; without derivatives, from level 0. */
float BorderShare(float s, float size) {
  float u = clamp(s, 0.0, 1.0) * size - 0.5;
  return clamp(min(u + 1.0, size - u), 0.0, 1.0);
}
float Fade(vec2 st, float scale) {
  vec2 size = max(floor(u_textureSize.xy * scale), 1.0);
  return mix(1.0, BorderShare(st.s, size.x), u_border.x) * mix(1.0, BorderShare(st.t, size.y), u_border.y);
}
float BorderFade(vec2 st) {
#ifdef GL_OES_standard_derivatives
  if (u_textureSize.z > 0.5) {
    vec2 dx = dFdx(st * u_textureSize.xy), dy = dFdy(st * u_textureSize.xy);
    float lod = max(log2(max(length(dx), length(dy))), 0.0), level = floor(lod);
    return mix(Fade(st, exp2(-level)), Fade(st, exp2(-level - 1.0)), lod - level);
  }
#endif
  return Fade(st, 1.0);
}
#endif
#ifdef FOG
varying float v_fog;
uniform vec3 u_fogColor;
uniform float u_fogDensity;
#endif
#ifdef SMOOTH
uniform vec2 u_pointRadius;
#endif

void main() {
  vec4 color = v_color;
#ifdef TEXTURE
  vec4 texel = texture2D(u_texture, v_texcoord);
  float fade = u_border.x + u_border.y > 0.0 ? BorderFade(v_texcoord) : 1.0;
  texel.rgb *= fade;
  texel.a *= mix(1.0, fade, u_border.z);  // only a stored alpha meets the border's
  color *= texel;
#endif
#ifdef FOG
  color.rgb = mix(u_fogColor, color.rgb, clamp(exp(-u_fogDensity * v_fog), 0.0, 1.0));
#endif
#ifdef SMOOTH
  /* A round point: the pixel's coverage from its centre's distance to the point's centre,
     full inside radius - 0.5, none beyond radius + 0.5; GL puts coverage in alpha. */
  float coverage = clamp(u_pointRadius.x + 0.5 - length(gl_PointCoord - 0.5) * u_pointRadius.y, 0.0, 1.0);
  if (coverage <= 0.0) discard;
  color.a *= coverage;
#endif
  gl_FragColor = color;
}
)";

}  // namespace glcompat
