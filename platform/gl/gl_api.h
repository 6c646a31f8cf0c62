// OpenGL 3.3 core, called directly: Mesa's libGL exports every core function.
#pragma once

#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>
