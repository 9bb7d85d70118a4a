// Display lists. A list keeps its vertices, already turned into triangles or points, in one
// vertex buffer, and a sequence of operations: draws of ranges of that buffer and the
// state calls recorded between them, replayed in order by glCallList.
//
// Merging: a primitive that follows another with no recorded call in between, of the same
// kind (triangles or points) and taking the same attributes from the call-time state, only
// lengthens the previous draw. So a list of thousands of quad strips under one texture is
// one draw. Attribute calls (glColor4f, glNormal3f, glTexCoord2f) never split a draw: they
// live in the vertices. Only the first use of each attribute in a list can split one, since
// the vertices before it take that attribute from the state at glCallList time.
#include <algorithm>
#include <unordered_map>

#include "state.h"

namespace glcompat {

namespace {
constexpr int kDraw = -1;

struct Op {
  int kind = kDraw;
  GLenum e1 = 0, e2 = 0;
  float args[16] = {};
  DrawSource draw{};
};

struct List {
  std::vector<Op> ops;
  GLuint buffer = 0;
  Current last;          // the attributes the list leaves current...
  unsigned defined = 0;  // ...for those it sets
};

struct Recording {
  GLuint name = 0;
  List list;
  std::vector<Vertex> vertices;
  Current current;
};

std::unordered_map<GLuint, List> Lists;
Recording Compile;
GLuint NextName = 1;

void Release(List* list) {
  if (list->buffer) glDeleteBuffers(1, &list->buffer);
  list->buffer = 0;
}

void Replay(const Op& op) {
  switch (op.kind) {
    case kDraw: Submit(op.draw); break;
    case kCallBindTexture: lgl_BindTexture(GL_TEXTURE_2D, op.e1); break;
    case kCallRotate: lgl_Rotatef(op.args[0], op.args[1], op.args[2], op.args[3]); break;
    case kCallTranslate: lgl_Translatef(op.args[0], op.args[1], op.args[2]); break;
    case kCallScale: lgl_Scalef(op.args[0], op.args[1], op.args[2]); break;
    case kCallMultMatrix: lgl_MultMatrixf(op.args); break;
    case kCallPush: lgl_PushMatrix(); break;
    case kCallPop: lgl_PopMatrix(); break;
    case kCallLoadIdentity: lgl_LoadIdentity(); break;
    case kCallMaterial: lgl_Materialfv(op.e1, op.e2, op.args); break;
    case kCallPointSize: lgl_PointSize(op.args[0]); break;
    case kCallLight: lgl_Lightfv(op.e1, op.e2, op.args); break;
    default: break;
  }
}

void LeaveAttributes(const List& list) {
  Current& now = S().current;
  if (list.defined & kColor) std::copy(list.last.color, list.last.color + 4, now.color);
  if (list.defined & kNormal) std::copy(list.last.normal, list.last.normal + 3, now.normal);
  if (list.defined & kTexcoord) std::copy(list.last.texcoord, list.last.texcoord + 2, now.texcoord);
}
}  // namespace

GLuint CompilingList() { return Compile.name; }

Current& AttributeTarget(unsigned setting) {
  if (!Compile.name) return S().current;
  Compile.list.defined |= setting;
  return Compile.current;
}

unsigned ListDefinedAttributes() { return Compile.name ? Compile.list.defined : unsigned(kAllAttributes); }

bool RecordCall(int kind, const float* args, int count, GLenum e1, GLenum e2) {
  if (!Compile.name) return false;
  Op op;
  op.kind = kind;
  op.e1 = e1;
  op.e2 = e2;
  for (int i = 0; i < count; ++i) op.args[i] = args[i];
  Compile.list.ops.push_back(op);
  return true;
}

bool RecordPrimitive(GLenum mode, const std::vector<Vertex>& vertices, unsigned defined) {
  if (!Compile.name) return false;
  const size_t before = Compile.vertices.size();
  Assemble(mode, vertices, &Compile.vertices);
  const auto added = static_cast<GLsizei>(Compile.vertices.size() - before);
  if (added == 0) return true;
  const GLenum kind = mode == GL_POINTS ? GL_POINTS : GL_TRIANGLES;
  const unsigned inherited = ~defined & kAllAttributes;
  std::vector<Op>& ops = Compile.list.ops;
  if (!ops.empty() && ops.back().kind == kDraw && ops.back().draw.mode == kind &&
      ops.back().draw.inherited == inherited) {
    ops.back().draw.count += added;
  } else {
    Op op;
    op.draw = {0, static_cast<GLint>(before), added, kind, inherited};
    ops.push_back(op);
  }
  return true;
}

void ReleaseLists() {
  for (auto& entry : Lists) Release(&entry.second);
  Lists.clear();
  Compile = Recording{};
  NextName = 1;
}

}  // namespace glcompat

using namespace glcompat;

extern "C" {

GLuint lgl_GenLists(GLsizei range) {
  if (!OutsideBeginEnd("glGenLists")) return 0;
  if (range < 0) {
    Refuse("glGenLists", "negative range", GL_INVALID_VALUE);
    return 0;
  }
  const GLuint first = NextName;
  NextName += static_cast<GLuint>(range);
  for (GLuint name = first; name < NextName; ++name) Lists[name];  // reserved, empty
  return range ? first : 0;
}

void lgl_NewList(GLuint list, GLenum mode) {
  if (!OutsideBeginEnd("glNewList")) return;
  if (Compile.name) return Refuse("glNewList", "already compiling a list", GL_INVALID_OPERATION);
  if (list == 0) return Refuse("glNewList", "list name 0", GL_INVALID_VALUE);
  if (mode != GL_COMPILE) return Unsupported("glNewList", "mode", mode);
  Compile = Recording{};
  Compile.name = list;
}

void lgl_EndList(void) {
  if (!OutsideBeginEnd("glEndList")) return;
  if (!Compile.name) return Refuse("glEndList", "no list being compiled", GL_INVALID_OPERATION);
  List& list = Compile.list;
  list.last = Compile.current;
  if (!Compile.vertices.empty()) {
    glGenBuffers(1, &list.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, list.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(Compile.vertices.size() * sizeof(Vertex)),
                 Compile.vertices.data(), GL_STATIC_DRAW);
  }
  for (Op& op : list.ops)
    if (op.kind == kDraw) op.draw.buffer = list.buffer;
  List& slot = Lists[Compile.name];
  Release(&slot);
  slot = std::move(list);
  Compile = Recording{};
}

void lgl_CallList(GLuint list) {
  if (!Immediate("glCallList")) return;
  const auto found = Lists.find(list);
  if (found == Lists.end()) return;  // GL ignores names that are no list
  for (const Op& op : found->second.ops) Replay(op);
  LeaveAttributes(found->second);
}

void lgl_DeleteLists(GLuint list, GLsizei range) {
  if (!OutsideBeginEnd("glDeleteLists")) return;
  if (range < 0) return Refuse("glDeleteLists", "negative range", GL_INVALID_VALUE);
  for (GLuint name = list; name < list + static_cast<GLuint>(range); ++name) {
    const auto found = Lists.find(name);
    if (found == Lists.end()) continue;
    Release(&found->second);
    Lists.erase(found);
  }
}

}  // extern "C"
