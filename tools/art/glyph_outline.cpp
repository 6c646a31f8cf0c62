#include "tools/art/glyph_outline.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <stdexcept>
#include <string>

#include "tools/art/glyph_metrics.h"

namespace art {

namespace {

// Designs in a tiny pen language: "M x,y" starts a stroke, "L x,y" draws a line,
// "A cx,cy,rx,ry,from,to" follows an elliptical arc (degrees, counter-clockwise when
// to > from) and joins it to the stroke so far, ";" ends a stroke.
constexpr std::array<const char*, glyphCount> designs = {
    "",                                                                       // space
    "M2,6 L2,1.9; M2,0 L2,0",                                                 // !
    "M1,6 L1,4.2; M3,6 L3,4.2",                                               // "
    "M1.6,6 L1.0,0; M3.2,6 L2.6,0; M0,4.1 L4,4.1; M0,1.9 L4,1.9",             // #
    "A2,4.5,2,1.5,30,270 A2,1.5,2,1.5,90,-150; M2,7 L2,-1",                   // $
    "M0.4,0 L3.6,6; A0.9,4.8,0.85,1.1,0,360; A3.1,1.2,0.85,1.1,0,360",        // %
    "M4,0 L1.4,3.9 A1.9,4.9,1.0,1.1,240,-60 L0.5,1.9 A1.7,1.4,1.4,1.4,160,380 L3.9,3",  // &
    "M2,6 L2,4.2",                                                            // '
    "A5.5,3,5,4.2,120,240",                                                   // (
    "A-1.5,3,5,4.2,60,-60",                                                   // )
    "M2,6 L2,2.8; M0.4,5.2 L3.6,3.6; M3.6,5.2 L0.4,3.6",                      // *
    "M2,4.9 L2,1.1; M0,3 L4,3",                                               // +
    "M2.8,0.6 L2.8,0 L1.0,-1.3",                                              // ,
    "M0,3 L4,3",                                                              // -
    "M2,0 L2,0",                                                              // .
    "M4,6.3 L0,-0.3",                                                         // /
    "A2,3,2,3,0,360",                                                         // 0
    "M0.5,4.6 L2.4,6 L2.4,0; M0.4,0 L4,0",                                    // 1
    "A2,4.3,2,1.7,155,-25 L0,0 L4,0",                                         // 2
    "A2,4.5,1.9,1.5,150,-90 A2,1.6,2,1.6,90,-150",                            // 3
    "M3,0 L3,6 L0,1.6 L4,1.6",                                                // 4
    "M3.9,6 L0.5,6 L0.2,3.5 A2,1.9,2,1.9,128,-150",                           // 5
    "M3.3,6 L0.5,2.7 A2,1.9,2,1.9,160,520",                                   // 6
    "M0,6 L4,6 L1.4,0",                                                       // 7
    "A2,4.6,1.7,1.4,0,360; A2,1.6,2,1.6,0,360",                               // 8
    "M0.7,0 L3.5,3.3 A2,4.1,2,1.9,-20,340",                                   // 9
    "M2,3.6 L2,3.6; M2,0 L2,0",                                               // :
    "M2.6,3.6 L2.6,3.6; M2.6,0.6 L2.6,0 L1.2,-1.3",                           // ;
    "M4,5 L0,3 L4,1",                                                         // <
    "M0,4 L4,4; M0,2 L4,2",                                                   // =
    "M0,5 L4,3 L0,1",                                                         // >
    "A2,4.4,2,1.6,160,-60 L2,2.3 L2,1.8; M2,0 L2,0",                          // ?
    "A2.1,3,0.9,1.2,0,360; M3.0,4.2 L3.0,2.3 A3.5,2.3,0.5,0.6,180,360 A2,3,2,3,-13,300",  // @
    "M0,0 L2,6 L4,0; M0.7,2 L3.3,2",                                          // A
    "M0,0 L0,6 L2.5,6 A2.5,4.6,1.3,1.4,90,-90 L0,3.2; M2.5,3.2 A2.5,1.6,1.5,1.6,90,-90 L0,0",  // B
    "A2.4,3,2.4,3,48,312",                                                    // C
    "M0,0 L0,6 L1.6,6 A1.6,3,2.4,3,90,-90 L0,0",                              // D
    "M4,6 L0,6 L0,0 L4,0; M0,3.1 L3.2,3.1",                                   // E
    "M4,6 L0,6 L0,0; M0,3.1 L3.2,3.1",                                        // F
    "A2.1,3,1.9,3,45,335 L4,2.8 L2.3,2.8",                                    // G
    "M0,0 L0,6; M4,0 L4,6; M0,3.1 L4,3.1",                                    // H
    "M2,0 L2,6",                                                              // I
    "M4,6 L4,1.8 A2,1.8,2,1.8,0,-165",                                        // J
    "M0,0 L0,6; M4,6 L0,2.2; M1.4,3.4 L4,0",                                  // K
    "M0,6 L0,0 L4,0",                                                         // L
    "M0,0 L0,6 L2,2.2 L4,6 L4,0",                                             // M
    "M0,0 L0,6 L4,0 L4,6",                                                    // N
    "A2,3,2,3,0,360",                                                         // O
    "M0,0 L0,6 L2.4,6 A2.4,4.4,1.6,1.6,90,-90 L0,2.8",                        // P
    "A2,3,2,3,0,360; M2.4,1.4 L4,-0.4",                                       // Q
    "M0,0 L0,6 L2.4,6 A2.4,4.5,1.6,1.5,90,-90 L0,3; M1.9,3 L4,0",             // R
    "A2,4.5,2,1.5,30,270 A2,1.5,2,1.5,90,-150",                               // S
    "M0,6 L4,6; M2,6 L2,0",                                                   // T
    "M0,6 L0,2 A2,2,2,2,180,360 L4,6",                                        // U
    "M0,6 L2,0 L4,6",                                                         // V
    "M0,6 L1,0 L2,4.2 L3,0 L4,6",                                             // W
    "M0,6 L4,0; M4,6 L0,0",                                                   // X
    "M0,6 L2,3 L4,6; M2,3 L2,0",                                              // Y
    "M0,6 L4,6 L0,0 L4,0",                                                    // Z
};

void appendArc(Polyline& stroke, const std::vector<float>& v) {
    const float cx = v[0], cy = v[1], rx = v[2], ry = v[3], from = v[4], to = v[5];
    const int steps = std::max(4, int(std::ceil(std::fabs(to - from) / 7.5f)));
    for (int i = 0; i <= steps; ++i) {
        const float a = (from + (to - from) * float(i) / float(steps)) * std::numbers::pi_v<float> / 180;
        stroke.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
}

std::vector<float> readNumbers(const std::string& text, size_t& pos) {
    std::vector<float> values;
    const char* start = text.c_str() + pos;
    char* end = nullptr;
    for (;;) {
        const float v = std::strtof(start, &end);
        if (end == start) break;
        values.push_back(v);
        start = end;
        if (*start != ',') break;
        ++start;
    }
    pos = size_t(start - text.c_str());
    return values;
}

std::vector<Polyline> parseDesign(const std::string& design) {
    std::vector<Polyline> strokes(1);
    for (size_t pos = 0; pos < design.size();) {
        const char command = design[pos++];
        if (command == ' ') continue;
        if (command == ';') {
            strokes.emplace_back();
            continue;
        }
        const std::vector<float> v = readNumbers(design, pos);
        if ((command == 'M' || command == 'L') && v.size() == 2) {
            if (command == 'M' && !strokes.back().empty()) strokes.emplace_back();
            strokes.back().push_back({v[0], v[1]});
        } else if (command == 'A' && v.size() == 6) {
            appendArc(strokes.back(), v);
        } else {
            throw std::invalid_argument("bad glyph design: " + design);
        }
    }
    std::erase_if(strokes, [](const Polyline& s) { return s.empty(); });
    return strokes;
}

std::array<std::vector<Polyline>, glyphCount> parseAll() {
    std::array<std::vector<Polyline>, glyphCount> all;
    for (int i = 0; i < glyphCount; ++i) all[size_t(i)] = parseDesign(designs[size_t(i)]);
    return all;
}

}  // namespace

const std::vector<Polyline>& glyphStrokes(unsigned char code) {
    static const std::array<std::vector<Polyline>, glyphCount> all = parseAll();
    return all[size_t(code - firstGlyph)];
}

}  // namespace art
