#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "skinui/window_shape.h"

// How the drop shadow around a window looks.
struct ShadowSettings {
    int size = 0;        // how far it reaches beyond the window, -20..20
    int sharpness = 5;   // width of the blurred edge, 0..20
    int darkness = 150;  // alpha of the darkest part, 0..255
    int xOffset = 5;     // shift relative to the window, -20..20
    int yOffset = 5;
    uint32_t color = 0;  // low byte red, then green, then blue
};

// The shape of the blur that MakeShadow stamps along the outline.
struct ShadowKernel {
    int radius;        // the larger of size and sharpness
    int centreRadius;  // size - sharpness when size is larger, else 0
    int erosions;  // how often the outline shrinks before the blur: sharpness - size, at least 0
};
ShadowKernel DescribeShadowKernel(const ShadowSettings& settings);

// The shadow colour at an alpha, premultiplied ARGB.
uint32_t ShadowTint(uint32_t color, int alpha);

// Draws the shadow of a window of width x height whose outline has the given
// row spans (WindowShape::RowSpans) into `pixels`: premultiplied ARGB,
// (width + 2 size) x (height + 2 size), rows from the top, cleared to 0
// beforehand. The part the window covers stays transparent.
void MakeShadow(std::span<uint32_t> pixels, const ShadowSettings& settings, int width, int height,
                const std::vector<skinui::WindowShape::Span>& parentSpans);
