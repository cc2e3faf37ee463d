#pragma once
// Where a slider's pointer sits for a value and which value a pointer position stands for,
// on a linear or a logarithmic scale. Positions are pixels from the left end of the span, the
// client width less the pointer width.

struct SliderScale {
    int minimum = 0;
    int maximum = 20;
    int span = 0;             // client width - pointer width; may be 0 or negative
    bool logarithmic = false; // low values get more room
};

// The pixel 0..span for value, clamped to the range first. A range with maximum <= minimum or
// a span of 0 or less gives 0.
int SliderPixelOfValue(const SliderScale& scale, int value);

// The value minimum..maximum that pixel stands for; pixel is clamped to 0..span first. A range
// with maximum <= minimum or a span of 0 or less gives minimum.
int SliderValueOfPixel(const SliderScale& scale, int pixel);
