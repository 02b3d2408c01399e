#pragma once

// Pixels laid out for the standard 96 dots per inch, brought to the scale of a display.

namespace vellix {

constexpr int STANDARD_DPI = 96;

// Rounded to the nearest pixel, as the system scales.
constexpr int scaledToDpi(int pixels, int dpi) {
    const long long scaled = static_cast<long long>(pixels) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + STANDARD_DPI / 2) / STANDARD_DPI
                                        : -((-scaled + STANDARD_DPI / 2) / STANDARD_DPI));
}

// A width measured at dpi in standard pixels, rounded up: scaled back it still holds what
// was measured.
constexpr int unscaledFromDpi(int pixels, int dpi) {
    if (pixels <= 0 || dpi <= 0)
        return 0;
    return static_cast<int>((static_cast<long long>(pixels) * STANDARD_DPI + dpi - 1) / dpi);
}

// The pictures are drawn at these sizes: the one nearest to 16 pixels scaled, the smaller on
// a tie, so that a picture never grows past the room laid out for it.
constexpr int pictureSizeForDpi(int dpi) {
    constexpr int DRAWN[] = {16, 24, 32, 48};
    const int wanted = scaledToDpi(16, dpi);
    int best = DRAWN[0];
    for (const int size : DRAWN) {
        const int distance = size > wanted ? size - wanted : wanted - size;
        const int bestDistance = best > wanted ? best - wanted : wanted - best;
        if (distance < bestDistance)
            best = size;
    }
    return best;
}

} // namespace vellix
