// Stands in for <GL/glu.h> over the GL 1.1 layer: the two GLU calls the project makes.
#pragma once
#include <GL/gl.h>

#define gluPerspective lglu_Perspective
#define gluBuild2DMipmaps lglu_Build2DMipmaps
