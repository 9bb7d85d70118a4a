// Scenes for transforms, matrix stacks, primitive types and display lists.
#include <GL/gl.h>
#include <GL/glu.h>

#include "scene_kit.h"

namespace glctest::GLCTEST_SIDE {

unsigned Error() { return glGetError(); }

namespace {
void ReadMatrices(Values* out) {
  Read(GL_MODELVIEW_MATRIX, out, 16);
  Read(GL_PROJECTION_MATRIX, out, 16);
  ReadInteger(GL_MODELVIEW_STACK_DEPTH, out);
  ReadInteger(GL_PROJECTION_STACK_DEPTH, out);
  ReadInteger(GL_MATRIX_MODE, out);
}

// Two quad strips a cube: bottom, right, top, left round the x axis... as the lattice builds
// them, with texture coordinates along each strip.
void CubeStrips(float x, float y, float z, float h) {
  const float x0 = x - h, x1 = x + h, y0 = y - h, y1 = y + h, z0 = z - h, z1 = z + h;
  const float first[8][5] = {{0, 1, x0, y0, z1}, {0, 0, x0, y0, z0}, {1, 1, x1, y0, z1}, {1, 0, x1, y0, z0},
                             {2, 1, x1, y1, z1}, {2, 0, x1, y1, z0}, {3, 1, x0, y1, z1}, {3, 0, x0, y1, z0}};
  const float second[8][5] = {{3, 0, x1, y0, z1}, {3, 1, x1, y1, z1}, {2, 0, x0, y0, z1}, {2, 1, x0, y1, z1},
                              {1, 0, x0, y0, z0}, {1, 1, x0, y1, z0}, {0, 0, x1, y0, z0}, {0, 1, x1, y1, z0}};
  for (const auto* strip : {first, second}) {
    glBegin(GL_QUAD_STRIP);
    for (int i = 0; i < 8; ++i) {
      glTexCoord2f(strip[i][0], strip[i][1]);
      glVertex3f(strip[i][2], strip[i][3], strip[i][4]);
    }
    glEnd();
  }
}

GLuint MakeTexture(int seed, GLint internal, GLenum format, int channels) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gluBuild2DMipmaps(GL_TEXTURE_2D, internal, 16, 16, format, GL_UNSIGNED_BYTE, Pattern(16, 16, channels, seed).data());
  return texture;
}
}  // namespace

// Rotations about odd axes, scales, both matrix multiplies, nested pushes, an orthographic
// overlay on a pushed projection, and (variant 1) a camera riding on the projection.
void Transforms(int variant, Values* out) {
  Start(0.1f, 0.1f, 0.2f);
  glEnable(GL_DEPTH_TEST);
  if (variant == 1) {
    glMatrixMode(GL_PROJECTION);
    glRotatef(12, 0, 0, 1);
    glTranslatef(0.4f, -0.2f, -1);
    glMatrixMode(GL_MODELVIEW);
  }
  glTranslatef(0, 0, -6);
  glPushMatrix();
  glRotatef(30, 0, 0, 1);
  glScalef(1.5f, 0.5f, 1);
  glColor4f(1, 0.5f, 0, 1);
  Quad(-1, -1, 1, 1, 0);
  glPopMatrix();
  glPushMatrix();
  const float shear[16] = {1, 0.3f, 0, 0, 0.2f, 1, 0, 0, 0, 0, 1, 0, -1.4f, 1.1f, 0.5f, 1};
  glMultMatrixf(shear);
  glColor4f(0, 1, 0.5f, 1);
  Quad(-0.6f, -0.6f, 0.6f, 0.6f, 0);
  glPushMatrix();
  const double turn[16] = {0.766, 0, -0.643, 0, 0, 1, 0, 0, 0.643, 0, 0.766, 0, 2.6, -0.2, -1, 1};
  glMultMatrixd(turn);
  glRotatef(-35, 1, 2, 0.5f);
  glColor4f(0.3f, 0.4f, 1, 1);
  Quad(-0.7f, -0.7f, 0.7f, 0.7f, 0);
  ReadMatrices(out);
  glPopMatrix();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 1.33, 0, 1, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor4f(1, 1, 1, 1);
  Quad(0.05f, 0.05f, 0.4f, 0.2f, 0.5f);
  ReadMatrices(out);
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  ReadMatrices(out);
}

// Matrices read back as the demo reads them (the facing matrix, the billboard), and the
// modelview stack filled to its end: the error past it.
void MatrixQueries(int variant, Values* out) {
  Start();
  glPushMatrix();
  glLoadIdentity();
  for (float t : {0.7f, 13.3f}) {
    glRotatef(-21.3f * t, 0, 0, 1);
    glRotatef(-27 * t, 1, 0, 0);
    glRotatef(-35 * t, 0, 1, 0);
    glTranslatef(0, 0, -0.01f);
    float f[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, f);
    out->insert(out->end(), f, f + 16);
    Read(GL_MODELVIEW_MATRIX, out, 16);
  }
  glPopMatrix();
  glScalef(2, 0.5f, -1);
  glRotatef(90, 0, 0, 0);  // no axis: no rotation
  Read(GL_MODELVIEW_MATRIX, out, 16);
  if (variant == 1) {
    for (int i = 1; i < 32; ++i) glPushMatrix();
    ReadInteger(GL_MODELVIEW_STACK_DEPTH, out);
    out->push_back(glGetError());
    glPushMatrix();  // one too many
    out->push_back(glGetError());
    ReadInteger(GL_MODELVIEW_STACK_DEPTH, out);
  }
}

// Variant 0: triangles, quads and a non-planar quad strip with a colour per vertex (and
// leftover vertices GL drops); variant 1: plain points of several sizes.
void Primitives(int variant, Values*) {
  Start(0.05f, 0.05f, 0.05f);
  glTranslatef(0, 0, -4);
  if (variant == 1) {
    const float sizes[] = {1, 2, 3, 4, 6, 1.5f, 2.7f, 3.2f};
    for (int i = 0; i < 8; ++i) {
      glPointSize(sizes[i]);
      glColor4f(1, 0.3f + 0.08f * i, 0.2f, 1);
      glBegin(GL_POINTS);
      for (int k = 0; k < 5; ++k) glVertex3f(-1.4f + 0.37f * i, -1.2f + 0.53f * k + 0.01f * i, 0);
      glEnd();
    }
    return;
  }
  glBegin(GL_TRIANGLES);
  const float tri[7][2] = {{-1.6f, 0.2f},  {-0.4f, 0.4f}, {-1.1f, 1.5f}, {-1.5f, -0.1f},
                           {-0.2f, -0.3f}, {-1, 0.1f},    {0, 0}};
  for (int i = 0; i < 7; ++i) {  // the seventh is left over
    glColor4f(i % 3 == 0, i % 3 == 1, i % 3 == 2, 1);
    glVertex3f(tri[i][0], tri[i][1], 0);
  }
  glEnd();
  glBegin(GL_QUADS);
  const float quad[6][2] = {{0.1f, 0.3f}, {1.5f, 0.1f}, {1.3f, 1.4f}, {0.3f, 1.1f}, {2, 2}, {2, -2}};
  const float colors[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
  for (int i = 0; i < 6; ++i) {
    glColor4f(colors[i % 4][0], colors[i % 4][1], colors[i % 4][2], 1);
    glVertex3f(quad[i][0], quad[i][1], 0);
  }
  glEnd();
  glBegin(GL_QUAD_STRIP);
  for (int i = 0; i < 11; ++i) {  // five quads and a vertex over
    const float x = -1.6f + 0.32f * (i / 2);
    glColor4f(0.2f * (i / 2), i % 2, 1 - 0.15f * (i / 2), 1);
    glVertex3f(x, i % 2 ? -0.4f : -1.5f + 0.1f * (i / 2), (i % 4) * 0.3f);
  }
  glEnd();
}

// A list holding texture binds, colours, matrix calls between primitives, a pushed scale
// and a point size; called twice. Compiling executes nothing; calling leaves the list's
// last colour and its matrix changes in force, which the quad drawn after it shows.
void ListWithState(int, Values* out) {
  Start(0.1f, 0, 0.1f);
  const GLuint a = MakeTexture(1, GL_RGBA8, GL_BGRA_EXT, 4), b = MakeTexture(2, GL_RGB8, GL_BGR_EXT, 3);
  glColor4f(0.2f, 0.9f, 0.2f, 1);
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, a);
  glColor4f(1, 0.8f, 0.6f, 1);
  Quad(-1, -1, 0, 0, 0);
  glTranslatef(1.1f, 0, 0);
  glRotatef(20, 0, 0, 1);
  Quad(-1, -1, 0, 0, 0);
  glBindTexture(GL_TEXTURE_2D, b);
  glColor4f(0.5f, 1, 1, 1);
  glPushMatrix();
  glScalef(0.5f, 0.5f, 1);
  const float shear[16] = {1, 0, 0, 0, 0.4f, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  glMultMatrixf(shear);
  Quad(-1, 0.2f, 1, 2, 0);
  glPopMatrix();
  glPointSize(5);
  glBegin(GL_POINTS);
  glVertex3f(-0.5f, 1.2f, 0);
  glVertex3f(0.5f, 1.4f, 0);
  glEnd();
  glColor4f(1, 1, 0, 1);
  glEndList();
  Read(GL_MODELVIEW_MATRIX, out, 16);  // untouched by compiling
  glTranslatef(-1.2f, 0.4f, -6);
  Quad(-1.6f, -1.6f, -1.2f, -1.2f, 0);  // still green, untextured: compiling ran nothing
  glEnable(GL_TEXTURE_2D);
  glCallList(list);
  Read(GL_MODELVIEW_MATRIX, out, 16);
  glDisable(GL_TEXTURE_2D);
  Quad(0.2f, 0.2f, 0.6f, 0.6f, 0);  // yellow, moved by the list's matrix calls
  glLoadIdentity();
  glTranslatef(0.3f, -1.8f, -7);
  glEnable(GL_TEXTURE_2D);
  glCallList(list);
  glDeleteLists(list, 1);
  glCallList(list);  // deleted: nothing
  glDeleteTextures(1, &a);
  glDeleteTextures(1, &b);
}

// Lists whose vertices carry no colour, normal or texture coordinate take them from the
// state when called; a list that sets the colour only after its first primitive draws that
// primitive in the caller's colour, the rest in its own.
void ListInheritsAttributes(int, Values*) {
  Start(0, 0, 0.15f);
  const GLuint texture = MakeTexture(3, GL_RGBA8, GL_RGBA, 4);
  const GLuint bare = glGenLists(2), late = bare + 1;
  glNewList(bare, GL_COMPILE);
  Quad(-0.5f, -0.5f, 0.5f, 0.5f, 0);  // sets texture coordinates only
  glBegin(GL_TRIANGLES);
  glVertex3f(-0.5f, 0.6f, 0);
  glVertex3f(0.5f, 0.6f, 0);
  glVertex3f(0, 1, 0);
  glEnd();
  glEndList();
  glNewList(late, GL_COMPILE);
  Quad(-0.4f, -0.4f, 0.4f, 0.4f, 0);
  glColor4f(0.3f, 0.3f, 1, 1);
  Quad(0.5f, -0.4f, 0.9f, 0.4f, 0);
  glEndList();
  glTranslatef(-1, 0.6f, -5);
  glColor4f(1, 0.2f, 0.2f, 1);
  glCallList(bare);
  glTranslatef(1.2f, 0, 0);
  glColor4f(0.2f, 1, 0.2f, 1);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glCallList(bare);
  glDisable(GL_TEXTURE_2D);
  glTranslatef(-1.2f, -1.6f, 0);
  glColor4f(1, 1, 1, 1);
  glCallList(late);
  glTranslatef(1.5f, 0, 0);
  Quad(-0.3f, -0.3f, 0.3f, 0.3f, 0);  // in the late list's blue
  glDeleteLists(bare, 2);
  glDeleteTextures(1, &texture);
}

// The fogged lattice: 12 x 12 x 12 cubes of two quad strips each under one texture, in one
// list, with culling and exponential fog, called once. The layer draws it in one draw.
void Lattice(int, Values*) {
  Start();
  const GLuint texture = MakeTexture(4, GL_RGBA8, GL_LUMINANCE, 1);
  const GLuint list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBindTexture(GL_TEXTURE_2D, texture);
  for (int i = 0; i < 12 * 12 * 12; ++i) CubeStrips(i % 12 - 5.5f, i / 12 % 12 - 5.5f, i / 144 - 5.5f, 0.3f);
  glEndList();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
  glEnable(GL_FOG);
  glFogi(GL_FOG_MODE, GL_EXP);
  glFogf(GL_FOG_DENSITY, 0.15f);
  const float black[] = {0, 0, 0, 0};
  glFogfv(GL_FOG_COLOR, black);
  glTranslatef(0.3f, -0.2f, -9);
  glRotatef(25, 1, 0, 0);
  glRotatef(35, 0, 1, 0);
  glColor4f(0.9f, 0.8f, 0.6f, 0);
  glCallList(list);
  glDisable(GL_FOG);
  glDisable(GL_CULL_FACE);
  glDeleteLists(list, 1);
  glDeleteTextures(1, &texture);
}

}  // namespace glctest::GLCTEST_SIDE
