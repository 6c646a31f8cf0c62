#pragma once
// Every quad the screens cut from the picture atlas: where it comes from in the atlas
// and where, how large and at which depth the screen draws it. The atlas painters
// size their detail from these placements and the preview composes the screens
// from them, so this table is the one place the layout lives.
#include <array>

namespace art {

enum class Screen { Logo, Intro, Main, About, Info };

enum class Picture {
    Logo, Background, IntroPicture,
    Banner, DeckPanel, TransportDecoration, VolumeBar, TitlePanel, TitleFrame, DriftLight,
    Stop, Play, Pause, Previous, Next, InfoLabel, AboutLabel, ExitLabel, VolumeUp, VolumeDown,
    Minimise, Close, EqualizerCell,
    AboutHeader, Signature, Spark, TextFrame,
    InfoStrip, InfoHeading,
};

struct TexRect {
    float left, top, right, bottom;
};

// x, y: lower-left corner in drawing coordinates (-1..1, y up); w, h: extent. When
// heightTimesAspect is set the screen multiplies h by the window's width / height.
// Quads that a screen repeats (volume bars, equalizer cells, particles) appear once,
// with their first position and a typical size.
struct ScreenQuad {
    Screen screen;
    Picture picture;
    TexRect tex;
    float x, y, w, h;
    bool heightTimesAspect;
    float depth;
};

constexpr float windowAspect = 820.0f / 320.0f;

// Per screen in the order the screen submits them.
inline constexpr std::array screenQuads = {
    ScreenQuad{Screen::Logo, Picture::Logo, {0.6982421875f, 0.646484375f, 0.9999f, 0.771484375f}, -0.35f, -0.35f, 0.7f, 0.7f, false, 1.0f},

    ScreenQuad{Screen::Intro, Picture::Background, {0, 0, 0.7979f, 0.3105f}, -1, -1, 2, 2, false, 1.0f},
    ScreenQuad{Screen::Intro, Picture::IntroPicture, {0.453f, 0.484f, 0.955f, 0.64f}, -0.35f, -0.5f, 1.3f, 1.1f, false, 1.0f},

    ScreenQuad{Screen::Main, Picture::Background, {0, 0, 0.7979f, 0.3105f}, -1, -1, 2, 2, false, 1.0f},
    ScreenQuad{Screen::Main, Picture::Banner, {0, 0.3906f, 0.6152f, 0.4746f}, -0.635f, 0.3f, 1.6f, 0.6f, false, 1.0f},
    ScreenQuad{Screen::Main, Picture::DeckPanel, {0, 0.7129f, 0.2588f, 0.9179f}, 0.264f, -0.904f, 0.7f, 1.4f, false, 0.61f},
    ScreenQuad{Screen::Main, Picture::Stop, {0.548828125f, 0.6982421875f, 0.5791015625f, 0.7265625f}, 0.6f, -0.18f, 0.09f, 0.08f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::Play, {0.5791015625f, 0.6982421875f, 0.6103515625f, 0.7265625f}, 0.69f, -0.18f, 0.09f, 0.08f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::Pause, {0.5712890625f, 0.7265625f, 0.587890625f, 0.744140625f}, 0.667f, -0.311f, 0.0475f, 0.052f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::Previous, {0.548828125f, 0.7265625f, 0.5712890625f, 0.76171875f}, 0.6f, -0.438f, 0.067f, 0.1f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::Next, {0.587890625f, 0.7265625f, 0.6103515625f, 0.76171875f}, 0.7146f, -0.438f, 0.067f, 0.1f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::TransportDecoration, {0.5712890625f, 0.744140625f, 0.587890625f, 0.7620187f}, 0.667f, -0.4423f, 0.0474f, 0.135f, false, 0.59f},
    ScreenQuad{Screen::Main, Picture::VolumeBar, {0.0332f, 0.9863f, 0.03809f, 1}, 0.276f, -0.875f, 0.013f, 0.09f, false, 0.6f},
    ScreenQuad{Screen::Main, Picture::TitlePanel, {0, 0.3145f, 0.32f, 0.3496f}, -0.464f, -0.57f, 0.73f, 0.25f, false, 1.0f},
    ScreenQuad{Screen::Main, Picture::TitleFrame, {0.68f, 0.3145f, 1, 0.3496f}, -0.464f, -0.57f, 0.73f, 0.25f, false, 0.85f},
    ScreenQuad{Screen::Main, Picture::EqualizerCell, {0.005859375f, 0.9599609375f, 0.0673828125f, 0.9765625f}, -0.457f, -0.32f, 0.04f, 0.04f, false, 1.0f},
    ScreenQuad{Screen::Main, Picture::InfoLabel, {0.488f, 0.318f, 0.5195f, 0.329f}, 0.28f, -0.395f, 0.09f, 0.033f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::AboutLabel, {0.432f, 0.318f, 0.475f, 0.329f}, 0.28f, -0.535f, 0.13f, 0.033f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::ExitLabel, {0.388f, 0.318f, 0.416f, 0.329f}, 0.28f, -0.68f, 0.09f, 0.033f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::VolumeUp, {0.00098f, 0.9863f, 0.0166f, 1}, 0.473f, -0.87f, 0.04f, 0.032f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::VolumeDown, {0.0176f, 0.9863f, 0.03222f, 1}, 0.43f, -0.87f, 0.04f, 0.032f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::DriftLight, {0.875f, 0.875f, 0.99f, 0.99f}, -1.5f, -1.3f, 0.375f, 0.375f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::Minimise, {0.3477f, 0.3164f, 0.366f, 0.331f}, 0.862f, 0.77f, 0.05f, 0.046f, true, 0.1f},
    ScreenQuad{Screen::Main, Picture::Close, {0.366f, 0.3164f, 0.383f, 0.331f}, 0.912f, 0.77f, 0.05f, 0.046f, true, 0.1f},

    ScreenQuad{Screen::About, Picture::Background, {0, 0, 0.7979f, 0.3105f}, -1, -1, 2, 2, false, 1.0f},
    ScreenQuad{Screen::About, Picture::AboutHeader, {0, 0.488f, 0.449f, 0.625f}, -0.3f, -0.2f, 1.2f, 1.0f, false, 0.2f},
    ScreenQuad{Screen::About, Picture::Signature, {0, 0.361f, 0.146f, 0.381f}, 0.46f, -0.95f, 0.43f, 0.177f, false, 1.0f},
    ScreenQuad{Screen::About, Picture::Spark, {0.083984375f, 0.96875f, 0.1152578f, 0.9999f}, 0, 0, 0.06f, 0.06f, true, 0.1f},
    ScreenQuad{Screen::About, Picture::TextFrame, {0.30644f, 0.81445f, 0.72266f, 0.920898f}, -0.23f, -0.698f, 1.0400390625f, 0.27462885f, true, 0.5f},

    ScreenQuad{Screen::Info, Picture::Background, {0, 0, 0.7979f, 0.3105f}, -1, -1, 2, 2, false, 1.0f},
    ScreenQuad{Screen::Info, Picture::Signature, {0, 0.361f, 0.146f, 0.381f}, 0.46f, -0.95f, 0.43f, 0.177f, false, 1.0f},
    ScreenQuad{Screen::Info, Picture::InfoStrip, {0.86621f, 0.015625f, 0.99218f, 0.2871f}, 0.65f, -0.8f, 0.35f, 1.55f, false, 1.0f},
    ScreenQuad{Screen::Info, Picture::InfoHeading, {0.3203f, 0.95703f, 0.4746f, 0.999f}, -0.4f, 0.5f, 0.3f, 0.2f, false, 1.0f},
};

constexpr int atlasSize = 1024;
// The drawing area of the 820 x 320 window.
constexpr int screenWidth = 818;
constexpr int screenHeight = 318;

inline float quadHeight(const ScreenQuad& q) { return q.heightTimesAspect ? q.h * windowAspect : q.h; }

}  // namespace art
