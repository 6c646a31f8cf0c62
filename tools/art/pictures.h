#pragma once
// The painters of the atlas pictures, one per picture, each a shader in the
// picture's on-screen pixels (see region_painter.h).
#include "tools/art/region_painter.h"

namespace art::pictures {

// Opening screens and the shared backdrop.
Rgba background(Vec2 p, Surface s);
Rgba introPicture(Vec2 p, Surface s);
Rgba logo(Vec2 p, Surface s);

// Main player screen.
Rgba banner(Vec2 p, Surface s);
Rgba deckPanel(Vec2 p, Surface s);
Rgba titlePanel(Vec2 p, Surface s);
Rgba titleFrame(Vec2 p, Surface s);
Rgba volumeBar(Vec2 p, Surface s);
Rgba equalizerCell(Vec2 p, Surface s);
Rgba driftLight(Vec2 p, Surface s);

// Buttons of the main player screen.
Rgba stopButton(Vec2 p, Surface s);
Rgba playButton(Vec2 p, Surface s);
Rgba pauseButton(Vec2 p, Surface s);
Rgba previousButton(Vec2 p, Surface s);
Rgba nextButton(Vec2 p, Surface s);
Rgba transportDecoration(Vec2 p, Surface s);
Rgba infoLabel(Vec2 p, Surface s);
Rgba aboutLabel(Vec2 p, Surface s);
Rgba exitLabel(Vec2 p, Surface s);
Rgba volumeUpButton(Vec2 p, Surface s);
Rgba volumeDownButton(Vec2 p, Surface s);
Rgba minimiseButton(Vec2 p, Surface s);
Rgba closeButton(Vec2 p, Surface s);

// About and info screens.
Rgba aboutHeader(Vec2 p, Surface s);
Rgba signature(Vec2 p, Surface s);
Rgba spark(Vec2 p, Surface s);
Rgba textFrame(Vec2 p, Surface s);
Rgba infoStrip(Vec2 p, Surface s);
Rgba infoHeading(Vec2 p, Surface s);

}  // namespace art::pictures
