// The four floor textures. Each is computed pixel by pixel from a height map
// and a colour map that both repeat every 64 pixels, then lit from the top
// left, so the tiles join without seams and still show depth.

#include "pictures_drawn.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

namespace ferlan::art {
namespace {

constexpr int kTile = 64;

int wrap(int v) { return ((v % kTile) + kTile) % kTile; }

std::size_t cellIndex(int x, int y) {
    return static_cast<std::size_t>(y) * kTile + static_cast<std::size_t>(x);
}

struct Surface {
    std::function<double(int, int)> height;  // any integer x, y; repeats every 64
    std::function<QColor(int, int)> colour;
    double bump;  // how strongly height turns into light
};

QImage shade(const Surface& surface) {
    // Heights are sampled once into a table so the lighting can wrap around.
    std::array<double, std::size_t{kTile} * kTile> height{};
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            height[cellIndex(x, y)] = surface.height(x, y);
        }
    }
    auto h = [&height](int x, int y) { return height[cellIndex(wrap(x), wrap(y))]; };

    const double lx = -0.55, ly = -0.65, lz = 0.52;
    QImage image(kTile, kTile, QImage::Format_ARGB32);
    for (int y = 0; y < kTile; ++y) {
        for (int x = 0; x < kTile; ++x) {
            const double dx = (h(x + 1, y) - h(x - 1, y)) * surface.bump;
            const double dy = (h(x, y + 1) - h(x, y - 1)) * surface.bump;
            const double len = std::sqrt(dx * dx + dy * dy + 1.0);
            const double nx = -dx / len, ny = -dy / len, nz = 1.0 / len;
            const double flat = lz;
            const double light = (nx * lx + ny * ly + nz * lz) / flat;  // 1 on flat ground
            const QColor base = surface.colour(x, y);
            // Soft light: slopes away from the lamp darken by at most a third,
            // so the floor stays quieter than the elements on it.
            const double lit = std::clamp(light, 0.0, 1.8);
            auto channel = [lit](int c) {
                const double v =
                    lit >= 1.0 ? c + (255 - c) * (lit - 1.0) * 0.6 : c * (0.62 + 0.38 * lit);
                return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
            };
            image.setPixel(x, y,
                           qRgb(channel(base.red()), channel(base.green()), channel(base.blue())));
        }
    }
    return image;
}

double smoothstep(double a, double b, double v) {
    const double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

QColor scaled(const QColor& c, double f) {
    auto ch = [f](int v) { return std::clamp(static_cast<int>(std::lround(v * f)), 0, 255); };
    return QColor(ch(c.red()), ch(c.green()), ch(c.blue()));
}

// Boden1: pale ceramic laboratory tiles, four to a texture, each a little
// different in tone.
QImage drawCeramicTiles() {
    auto noise = std::make_shared<TileNoise>(kTile, 16, 1101u);
    auto fine = std::make_shared<TileNoise>(kTile, 32, 1102u);
    std::array<double, 4> tone{1.0, 0.965, 0.985, 0.95};
    Surface surface;
    surface.bump = 1.2;
    surface.height = [](int x, int y) {
        // Distance from the grout line in the 32-pixel grid, grout 2 px wide.
        const double ex = std::min((x % 32) + 0.5, 32 - (x % 32) - 0.5);
        const double ey = std::min((y % 32) + 0.5, 32 - (y % 32) - 0.5);
        return smoothstep(0.8, 3.2, std::min(ex, ey));
    };
    surface.colour = [noise, fine, tone](int x, int y) {
        const double ex = std::min((x % 32) + 0.5, 32 - (x % 32) - 0.5);
        const double ey = std::min((y % 32) + 0.5, 32 - (y % 32) - 0.5);
        if (std::min(ex, ey) < 1.1) {
            return QColor(150, 156, 164);
        }
        const std::size_t tile =
            static_cast<std::size_t>(y / 32) * 2 + static_cast<std::size_t>(x / 32);
        const double f = tone[tile] * (0.96 + 0.05 * noise->at(x, y) + 0.03 * fine->at(x, y));
        return scaled(QColor(206, 216, 226), f);
    };
    return shade(surface);
}

// Boden2: oak floorboards, 16 pixels wide and 64 long, with staggered end
// joints and a wavy grain along each board; the joints stay soft so the
// boards read as wood, not as brickwork.
QImage drawWoodPlanks() {
    constexpr int board = 16;
    auto grain = std::make_shared<TileNoise>(kTile, 4, 32, 2201u);
    auto wave = std::make_shared<TileNoise>(kTile, 2, 8, 2202u);
    // Where each board row has its end joint; the rows repeat every 64 pixels.
    const std::array<int, 4> joint{10, 42, 26, 58};
    const std::array<double, 4> tone{1.0, 0.93, 0.97, 0.91};
    Surface surface;
    surface.bump = 0.8;
    surface.height = [joint](int x, int y) {
        const int row = wrap(y) / board;
        const int inRow = wrap(y) % board;
        const double ey = std::min(inRow + 0.5, board - inRow - 0.5);
        const int dx = wrap(x - joint[static_cast<std::size_t>(row)]);
        const double ex = std::min(dx + 0.5, kTile - dx - 0.5);
        return 0.5 * smoothstep(0.4, 1.6, ey) + 0.3 * smoothstep(0.4, 1.5, ex);
    };
    surface.colour = [grain, wave, joint, tone](int x, int y) {
        const int row = y / board;
        const int inRow = y % board;
        const int dx = wrap(x - joint[static_cast<std::size_t>(row)]);
        if (inRow == 0) {
            return QColor(160, 120, 80);
        }
        if (dx == 0) {
            return QColor(178, 138, 94);
        }
        // Whole periods over the tile keep the grain lines seamless.
        const double phase =
            2.0 * std::numbers::pi * 24.0 * y / kTile + wave->at(x + row * 16, y) * 9.0;
        const double line = std::pow(0.5 + 0.5 * std::sin(phase), 6.0);
        const double f =
            tone[static_cast<std::size_t>(row)] * (0.94 + 0.06 * grain->at(x + row * 16, y)) -
            0.08 * line;
        return scaled(QColor(218, 184, 140), f);
    };
    return shade(surface);
}

// Boden3: sandstone cobbles from a Voronoi pattern whose seeds repeat every
// 64 pixels, so the stones cross the tile edges seamlessly.
QImage drawCobbles() {
    struct Seed {
        double x, y, tone;
    };
    auto seeds = std::make_shared<std::vector<Seed>>();
    SeededRandom random(3301u);
    // A jittered 4 x 4 grid keeps the stones of similar size.
    for (int gy = 0; gy < 4; ++gy) {
        for (int gx = 0; gx < 4; ++gx) {
            const double jx = random.unit(), jy = random.unit();
            seeds->push_back(
                {gx * 16 + 3 + jx * 10, gy * 16 + 3 + jy * 10, 0.88 + 0.16 * random.unit()});
        }
    }
    auto nearest = [seeds](int x, int y) {
        double best = 1e9, second = 1e9;
        const Seed* bestSeed = nullptr;
        for (const Seed& s : *seeds) {
            for (int oy = -1; oy <= 1; ++oy) {
                for (int ox = -1; ox <= 1; ++ox) {
                    const double ddx = x + 0.5 - (s.x + ox * kTile);
                    const double ddy = y + 0.5 - (s.y + oy * kTile);
                    const double d = std::sqrt(ddx * ddx + ddy * ddy);
                    if (d < best) {
                        second = best;
                        best = d;
                        bestSeed = &s;
                    } else if (d < second) {
                        second = d;
                    }
                }
            }
        }
        return std::make_pair((second - best) / 2.0, bestSeed);
    };
    auto noise = std::make_shared<TileNoise>(kTile, 16, 3302u);
    auto fine = std::make_shared<TileNoise>(kTile, 64, 3303u);
    Surface surface;
    surface.bump = 1.1;
    surface.height = [nearest, noise](int x, int y) {
        const double edge = nearest(wrap(x), wrap(y)).first;
        return smoothstep(0.6, 4.5, edge) * (0.85 + 0.15 * noise->at(x, y));
    };
    surface.colour = [nearest, noise, fine](int x, int y) {
        const auto [edge, seed] = nearest(x, y);
        if (edge < 0.9) {
            return QColor(132, 120, 100);
        }
        const double f =
            seed->tone * (0.92 + 0.08 * noise->at(x * 2, y * 2) + 0.06 * fine->at(x, y));
        return scaled(QColor(222, 204, 168), f);
    };
    return shade(surface);
}

// Boden4: a sage-green steel tread plate with raised lozenges in alternating
// directions, the classic non-slip floor of a workshop.
QImage drawTreadPlate() {
    auto noise = std::make_shared<TileNoise>(kTile, 16, 4401u);
    auto lozenge = [](int x, int y) {
        // Cells of 16 x 16; the lozenge leans one way or the other by cell.
        const int cx = x / 16, cy = y / 16;
        const double px = (x % 16) + 0.5 - 8.0;
        const double py = (y % 16) + 0.5 - 8.0;
        const double sign = ((cx + cy) % 2 == 0) ? 1.0 : -1.0;
        const double c = 0.7071;
        const double u = (px + sign * py) * c;  // along the lozenge
        const double v = (px - sign * py) * c;  // across it
        const double r = std::sqrt((u / 6.0) * (u / 6.0) + (v / 1.9) * (v / 1.9));
        return 1.0 - smoothstep(0.7, 1.15, r);
    };
    Surface surface;
    surface.bump = 1.0;
    surface.height = [lozenge, noise](int x, int y) {
        return lozenge(wrap(x), wrap(y)) * 1.2 + noise->at(x, y) * 0.15;
    };
    surface.colour = [noise](int x, int y) {
        const double f = 0.94 + 0.08 * noise->at(x * 3, y * 3);
        return scaled(QColor(178, 196, 176), f);
    };
    return shade(surface);
}

}  // namespace

std::vector<Picture> drawFloorPictures() {
    return {
        {"Boden1", "Boden1.png", drawCeramicTiles()},
        {"Boden2", "Boden2.png", drawWoodPlanks()},
        {"Boden3", "Boden3.png", drawCobbles()},
        {"Boden4", "Boden4.png", drawTreadPlate()},
    };
}

}  // namespace ferlan::art
