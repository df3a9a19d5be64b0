#include "ui/make_shadow.h"

#include <algorithm>
#include <cmath>

namespace {

using Span = skinui::WindowShape::Span;

// Writes only inside the picture; with a negative size the outline can reach past it.
struct Canvas {
    std::span<uint32_t> pixels;
    int width;
    int height;

    void Max(int x, int y, uint32_t value) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        uint32_t& p = pixels[static_cast<size_t>(y) * width + x];
        if (value > p) p = value;
    }
    void Set(int y, int from, int to, uint32_t value) {
        if (y < 0 || y >= height) return;
        from = std::max(from, 0);
        to = std::min(to, width);
        for (int x = from; x < to; ++x) pixels[static_cast<size_t>(y) * width + x] = value;
    }
};

}  // namespace

ShadowKernel DescribeShadowKernel(const ShadowSettings& s) {
    return {std::max(s.size, s.sharpness), s.size > s.sharpness ? s.size - s.sharpness : 0,
            std::max(0, s.sharpness - s.size)};
}

uint32_t ShadowTint(uint32_t color, int alpha) {
    const uint32_t a = static_cast<uint32_t>(std::clamp(alpha, 0, 255));
    const uint32_t r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
    return (a << 24) | ((r * a / 255) << 16) | ((g * a / 255) << 8) | (b * a / 255);
}

void MakeShadow(std::span<uint32_t> pixels, const ShadowSettings& settings, int W, int H,
                const std::vector<Span>& parentSpans) {
    const int s = settings.size;
    const int W2 = W + 2 * s;
    const int H2 = H + 2 * s;
    if (W <= 0 || H <= 0 || W2 <= 0 || H2 <= 0) return;
    if (pixels.size() < static_cast<size_t>(W2) * H2) return;
    if (parentSpans.size() < static_cast<size_t>(H)) return;
    Canvas canvas{pixels, W2, H2};
    const Span kEmpty{W, 0};

    // Anchor spans: one per shadow row, with an empty row before and after.
    const int rows = std::max(H, H2);
    std::vector<Span> anchors(static_cast<size_t>(rows) + 2, kEmpty);
    for (int y = 0; y < H; ++y) {
        const Span& p = parentSpans[static_cast<size_t>(y)];
        const int row = s + y;
        if (row < 0 || row >= rows || p.start >= p.end) continue;
        anchors[static_cast<size_t>(row) + 1] = {p.start + s, p.end + s};
    }

    // Shrink the outline so that the blur ends where the shadow should.
    const ShadowKernel kernel = DescribeShadowKernel(settings);
    for (int round = 0; round < kernel.erosions; ++round) {
        std::vector<Span> next = anchors;
        for (size_t i = 1; i + 1 < anchors.size(); ++i) {
            next[i].start =
                std::max({anchors[i - 1].start, anchors[i].start, anchors[i + 1].start}) + 1;
            next[i].end = std::min({anchors[i - 1].end, anchors[i].end, anchors[i + 1].end}) - 1;
        }
        anchors.swap(next);
    }

    // The blur: full darkness inside the centre radius, fading to the edge.
    const int R = kernel.radius;
    const int C = kernel.centreRadius;
    const int k = settings.sharpness;
    const int d = settings.darkness;
    const int side = 2 * R + 1;
    std::vector<uint32_t> stamp(static_cast<size_t>(side) * side, 0);
    for (int dy = -R; dy <= R; ++dy) {
        for (int dx = -R; dx <= R; ++dx) {
            const double L = std::sqrt(static_cast<double>(dx * dx + dy * dy));
            uint32_t value = 0;
            if (L < C) {
                value = ShadowTint(settings.color, d);
            } else if (L <= R) {
                value = ShadowTint(settings.color, static_cast<int>((1.0 - (L - C) / (k + 1)) * d));
            }
            stamp[static_cast<size_t>(dy + R) * side + (dx + R)] = value;
        }
    }
    const auto stampAt = [&](int cx, int cy) {
        for (int dy = -R; dy <= R; ++dy) {
            for (int dx = -R; dx <= R; ++dx) {
                canvas.Max(cx + dx, cy + dy, stamp[static_cast<size_t>(dy + R) * side + (dx + R)]);
            }
        }
    };

    // Blurred border: stamp along the ends of each row where the neighbours
    // do not already cover it.
    for (int i = R; i <= H2 - R - 1; ++i) {
        const Span& cur = anchors[static_cast<size_t>(i) + 1];
        if (cur.start >= cur.end) continue;
        const Span& prev = anchors[static_cast<size_t>(i)];
        const Span& next = anchors[static_cast<size_t>(i) + 2];
        int j = cur.start;
        for (; j < std::min(cur.end, 1 + std::max(prev.start, next.start)); ++j) stampAt(j, i);
        for (j = std::max(j, std::min(prev.end, next.end) - 1); j < cur.end; ++j) stampAt(j, i);
    }

    // Fill the inside at full darkness and cut out what the window covers.
    const uint32_t fill = ShadowTint(settings.color, d);
    const int first = std::min(R, std::max(s - settings.yOffset, 0));
    const int last = std::max(H2 - R, std::min(H + s - settings.yOffset, H + 2 * s));
    for (int i = first; i < last && i < rows; ++i) {
        const Span& a = anchors[static_cast<size_t>(i) + 1];
        const int p = i - s + settings.yOffset;
        if (p < 0 || p >= H) {
            canvas.Set(i, a.start, a.end, fill);
            continue;
        }
        const Span& o = parentSpans[static_cast<size_t>(p)];
        const int shift = s - settings.xOffset;
        const int o0 = o.start + shift, o1 = o.end + shift;
        canvas.Set(i, a.start, std::min(o0, a.end), fill);
        canvas.Set(i, std::max(o0, 0), std::min(o1, W2), 0);
        canvas.Set(i, std::max(o1, a.start), a.end, fill);
    }
}
