// Stands in for the system's <GL/gl.h> in code built against the GL 1.1 layer over GLES2:
// the same names and enum values, each entry point routed to the layer's own function.
#pragma once
#define GLCOMPAT_LAYER 1
#include "glcompat/api.h"

#define glEnable lgl_Enable
#define glDisable lgl_Disable
#define glIsEnabled lgl_IsEnabled
#define glBlendFunc lgl_BlendFunc
#define glDepthMask lgl_DepthMask
#define glDepthFunc lgl_DepthFunc
#define glCullFace lgl_CullFace
#define glShadeModel lgl_ShadeModel
#define glHint lgl_Hint
#define glPointSize lgl_PointSize
#define glViewport lgl_Viewport
#define glScissor lgl_Scissor
#define glClear lgl_Clear
#define glClearColor lgl_ClearColor
#define glClearDepth lgl_ClearDepth
#define glFinish lgl_Finish
#define glFlush lgl_Flush

#define glBegin lgl_Begin
#define glEnd lgl_End
#define glVertex3f lgl_Vertex3f
#define glColor4f lgl_Color4f
#define glNormal3f lgl_Normal3f
#define glTexCoord2f lgl_TexCoord2f

#define glMatrixMode lgl_MatrixMode
#define glLoadIdentity lgl_LoadIdentity
#define glPushMatrix lgl_PushMatrix
#define glPopMatrix lgl_PopMatrix
#define glRotatef lgl_Rotatef
#define glTranslatef lgl_Translatef
#define glScalef lgl_Scalef
#define glMultMatrixf lgl_MultMatrixf
#define glMultMatrixd lgl_MultMatrixd
#define glOrtho lgl_Ortho

#define glGenLists lgl_GenLists
#define glNewList lgl_NewList
#define glEndList lgl_EndList
#define glCallList lgl_CallList
#define glDeleteLists lgl_DeleteLists

#define glLightfv lgl_Lightfv
#define glLightModelfv lgl_LightModelfv
#define glMaterialfv lgl_Materialfv
#define glMaterialf lgl_Materialf
#define glColorMaterial lgl_ColorMaterial
#define glFogf lgl_Fogf
#define glFogi lgl_Fogi
#define glFogfv lgl_Fogfv

#define glGenTextures lgl_GenTextures
#define glDeleteTextures lgl_DeleteTextures
#define glBindTexture lgl_BindTexture
#define glIsTexture lgl_IsTexture
#define glTexParameteri lgl_TexParameteri
#define glTexEnvf lgl_TexEnvf
#define glTexImage2D lgl_TexImage2D
#define glGetTexLevelParameteriv lgl_GetTexLevelParameteriv
#define glGetTexParameteriv lgl_GetTexParameteriv
#define glGetTexEnviv lgl_GetTexEnviv
#define glGetTexImage lgl_GetTexImage

#define glPixelStorei lgl_PixelStorei
#define glReadPixels lgl_ReadPixels
#define glGetError lgl_GetError
#define glGetString lgl_GetString
#define glGetIntegerv lgl_GetIntegerv
#define glGetFloatv lgl_GetFloatv
#define glGetDoublev lgl_GetDoublev
#define glGetBooleanv lgl_GetBooleanv
