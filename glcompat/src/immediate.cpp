// glBegin/glEnd: vertices gathered with the current attributes, turned into triangles (or
// points) and handed to the list being compiled, or drawn from a streaming buffer.
// Consecutive primitives of one kind are drawn together: every call that could change how
// they are drawn first flushes them (through OutsideBeginEnd), so a run of sparks between
// two state changes is one draw, as in Mesa's own immediate mode.
#include "state.h"

namespace glcompat {

namespace {
struct Primitive {
  bool open = false;
  GLenum mode = GL_TRIANGLES;
  std::vector<Vertex> vertices;
  unsigned defined = kAllAttributes;  // the list-set attributes its vertices carry
};
Primitive Open;
std::vector<Vertex> Pending;  // assembled, not yet drawn
GLenum PendingMode = GL_TRIANGLES;
GLuint StreamBuffer = 0;

void PushQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d, std::vector<Vertex>* out) {
  for (const Vertex* v : {&a, &b, &c, &a, &c, &d}) out->push_back(*v);
}

// Where glEnd puts an immediate primitive: after the pending ones when of the same kind.
void Queue(GLenum mode) {
  const GLenum kind = mode == GL_POINTS ? GL_POINTS : GL_TRIANGLES;
  if (kind != PendingMode) FlushImmediate();
  PendingMode = kind;
  Assemble(mode, Open.vertices, &Pending);
}
}  // namespace

bool InsideBeginEnd() { return Open.open; }

void FlushImmediate() {
  if (Pending.empty()) return;
  if (!StreamBuffer) glGenBuffers(1, &StreamBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, StreamBuffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(Pending.size() * sizeof(Vertex)), Pending.data(),
               GL_STREAM_DRAW);
  Submit({StreamBuffer, 0, static_cast<GLsizei>(Pending.size()), PendingMode, 0});
  Pending.clear();
}

// Quads split along their first diagonal (0-2), as Mesa does for a draw it need not clip,
// so that colours and lighting interpolate the same; a quad strip's quad i is 2i, 2i+1,
// 2i+3, 2i+2.
void Assemble(GLenum mode, const std::vector<Vertex>& in, std::vector<Vertex>* out) {
  const size_t n = in.size();
  switch (mode) {
    case GL_POINTS: out->insert(out->end(), in.begin(), in.end()); break;
    case GL_TRIANGLES: out->insert(out->end(), in.begin(), in.begin() + static_cast<long>(n - n % 3)); break;
    case GL_QUADS:
      for (size_t i = 0; i + 3 < n; i += 4) PushQuad(in[i], in[i + 1], in[i + 2], in[i + 3], out);
      break;
    case GL_QUAD_STRIP:
      for (size_t i = 0; i + 3 < n; i += 2) PushQuad(in[i], in[i + 1], in[i + 3], in[i + 2], out);
      break;
    default: break;
  }
}

void ReleaseImmediate() {
  if (StreamBuffer) glDeleteBuffers(1, &StreamBuffer);
  StreamBuffer = 0;
  Open = Primitive{};
  Pending.clear();
}

}  // namespace glcompat

using namespace glcompat;

extern "C" {

void lgl_Begin(GLenum mode) {
  if (Open.open) return Refuse("glBegin", "inside glBegin/glEnd", GL_INVALID_OPERATION);
  if (mode != GL_POINTS && mode != GL_TRIANGLES && mode != GL_QUADS && mode != GL_QUAD_STRIP)
    return Unsupported("glBegin", "mode", mode);
  Open.open = true;
  Open.mode = mode;
  Open.vertices.clear();
}

void lgl_End(void) {
  if (!Open.open) return Refuse("glEnd", "without glBegin", GL_INVALID_OPERATION);
  Open.open = false;
  if (!RecordPrimitive(Open.mode, Open.vertices, Open.defined)) Queue(Open.mode);
}

void lgl_Vertex3f(GLfloat x, GLfloat y, GLfloat z) {
  if (!Open.open) return Refuse("glVertex3f", "outside glBegin/glEnd", GL_INVALID_OPERATION);
  // A list vertex either carries an attribute or takes it at glCallList time; one primitive
  // must not mix the two, since it is drawn as one range.
  const unsigned defined = ListDefinedAttributes();
  if (Open.vertices.empty()) Open.defined = defined;
  if (defined != Open.defined)
    return Unsupported("glVertex3f", "an attribute first set inside this glBegin/glEnd of display list",
                       CompilingList());
  const Current& c = AttributeTarget(0);
  Open.vertices.push_back({{x, y, z},
                           {c.color[0], c.color[1], c.color[2], c.color[3]},
                           {c.normal[0], c.normal[1], c.normal[2]},
                           {c.texcoord[0], c.texcoord[1]}});
}

void lgl_Color4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  float* color = AttributeTarget(kColor).color;
  color[0] = red, color[1] = green, color[2] = blue, color[3] = alpha;
}

void lgl_Normal3f(GLfloat nx, GLfloat ny, GLfloat nz) {
  float* normal = AttributeTarget(kNormal).normal;
  normal[0] = nx, normal[1] = ny, normal[2] = nz;
}

void lgl_TexCoord2f(GLfloat s, GLfloat t) {
  float* texcoord = AttributeTarget(kTexcoord).texcoord;
  texcoord[0] = s, texcoord[1] = t;
}

}  // extern "C"
