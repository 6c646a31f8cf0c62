#include "tools/art/preview.h"

#include <cmath>
#include <random>

#include "tools/art/png_file.h"
#include "tools/art/preview_text.h"
#include "tools/art/screen_composer.h"

namespace art {

namespace {

const Rgba white{1, 1, 1, 1};

PreviewQuad quadFor(const MipTexture& atlas, const ScreenQuad& q) {
    return {&atlas, q.tex, q.x, q.y, q.w, quadHeight(q), white, q.depth};
}

void addEqualizer(ScreenComposer& out, const MipTexture& atlas, const ScreenQuad& cell) {
    for (int k = 0; k < 16; ++k) {
        const int lit = int(6 + 5 * std::sin(float(k) * 0.7f) - float(k) * 0.25f);
        for (int j = 0; j < 12; ++j) {
            const float level = j < lit ? 1.0f : (j == lit ? 0.45f : 0.0f);
            PreviewQuad q = quadFor(atlas, cell);
            q.x = 0.045f * float(k) - 0.457f;
            q.y = 0.05f * float(j) - 0.32f;
            q.tint.a = level;
            out.add(q);
        }
    }
}

void addRepeated(ScreenComposer& out, const MipTexture& atlas, const ScreenQuad& q, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0, 1);
    if (q.picture == Picture::VolumeBar) {
        for (int i = 0; i < 7; ++i) {
            PreviewQuad bar = quadFor(atlas, q);
            bar.x = q.x + 0.015f * float(i);
            out.add(bar);
        }
    } else if (q.picture == Picture::EqualizerCell) {
        addEqualizer(out, atlas, q);
    } else if (q.picture == Picture::DriftLight) {
        for (int i = 0; i < 50; ++i) {
            const float size = unit(random) * 0.15f + 0.3f;
            out.add({&atlas, q.tex, unit(random) * 3 - 1.5f, unit(random) * 0.4f - 1.5f, size, size * windowAspect, white, q.depth});
        }
    } else if (q.picture == Picture::Spark) {
        for (int i = 0; i < 50; ++i) {
            const float size = unit(random) * 0.08f + 0.02f;
            const float g = size * 4 + 0.5f;
            out.add({&atlas, q.tex, unit(random) * 2 - 1, unit(random) * 2 - 1, size, size * windowAspect, {1, g, g, 0.4f}, q.depth});
        }
    } else {
        out.add(quadFor(atlas, q));
    }
}

const char* const aboutText =
    "VELMORA IS A MUSIC DISK: A SMALL PROGRAM THAT PLAYS ITS OWN COLLECTION OF TRACKS WHILE THE "
    "SCREENS GLOW ALONG. ALL MUSIC, PICTURES AND THE FONT ARE MADE BY THE DISK'S OWN TOOLS. "
    "THANKS FOR LISTENING!";

const char* const helpLines[] = {"Play/Stop - Enter", "Pause - P", "Skip Track Forward - Cursor Right",
                                 "Skip Track Backward - Cursor Left", "About - A", "Info - I", "Exit - Esc",
                                 "Eq on/off - E", "Scrolltext Speed - +/-"};

void addScreenText(ScreenComposer& out, Screen screen, const PreviewFont& font) {
    if (screen == Screen::Main) previewScrolledLine(out, font, "Velmora - Night Drive (Demo Track)", -0.435f, -0.495f, 0.03f, 0.7f, -0.05f);
    if (screen == Screen::About) previewBlock(out, font, aboutText, -0.2f, -0.12f, 0.033f, 0.75f, 0.55f, 0.0f);
    if (screen == Screen::Info) {
        const float xs[] = {-0.375f, -0.375f, -0.38f, -0.38f, -0.38f, -0.38f, -0.38f, -0.38f, -0.383f};
        for (int i = 0; i < 9; ++i) previewLine(out, font, helpLines[i], xs[i], 0.35f - 0.12f * float(i), 0.037f);
    }
}

Canvas composeScreen(Screen screen, const MipTexture& atlas, const MipTexture& font) {
    ScreenComposer out;
    std::mt19937 random(7);
    for (const ScreenQuad& q : screenQuads)
        if (q.screen == screen) addRepeated(out, atlas, q, random);
    addScreenText(out, screen, {&font, white});
    return out.compose(screenWidth, screenHeight);
}

Canvas textSpecimen(const MipTexture& font) {
    ScreenComposer out;
    const float sizes[] = {0.03f, 0.033f, 0.037f, 0.05f, 0.075f};
    float y = 0.75f;
    for (float size : sizes) {
        previewLine(out, {&font, white}, "THE QUICK BROWN FOX JUMPS OVER 0123456789", -0.97f, y, size);
        y -= size * windowAspect * 1.25f + 0.04f;
    }
    previewLine(out, {&font, white}, "!\"#$%&'()*+,-./:;<=>?@ AVATAR WAVE LIMIT", -0.97f, y, 0.037f);
    return out.compose(screenWidth, screenHeight);
}

}  // namespace

bool writePreviews(const Canvas& atlasCanvas, const Canvas& fontCanvas, const std::string& directory, std::string& error) {
    const MipTexture atlas(atlasCanvas), font(fontCanvas);
    const std::pair<Screen, const char*> screens[] = {
        {Screen::Logo, "logo"}, {Screen::Intro, "intro"}, {Screen::Main, "main"}, {Screen::About, "about"}, {Screen::Info, "info"}};
    for (const auto& [screen, name] : screens)
        if (!writePng(directory + "/" + name + ".png", composeScreen(screen, atlas, font), error)) return false;
    return writePng(directory + "/text.png", textSpecimen(font), error);
}

}  // namespace art
