// The window's width over its height: heights are multiplied by it so that a
// square in these coordinates is square in pixels.
#pragma once

float screenAspect();
